#pragma once
// Every call the host makes into the module runs inside this guard: an
// escaping exception becomes a result code instead of crossing the boundary.

#include "platform/AAXResults.h"

#include <cstdint>

template <class Body>
int32_t GuardBoundary(Body&& body, int32_t onException = kACFResultUnexpected) noexcept
{
    try
    {
        return body();
    }
    catch (...)
    {
        return onException;
    }
}
