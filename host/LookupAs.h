#pragma once
// A lookup of an interface on an object the host holds.

#include "platform/IACFUnknown.h"

// object's answer to a lookup of iid, retained for the caller, or null (also
// for a null object).
template <class T>
T* LookupAs(IACFUnknown* object, const ACFUID& iid)
{
    void* answer = nullptr;
    if (!object || object->LookupInterface(iid, &answer) != 0)
        return nullptr;
    return static_cast<T*>(answer);
}
