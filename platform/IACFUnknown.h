#pragma once
// The reference-counted lookup interface that every object crossing the host
// boundary starts with, on both sides. Objects are freed only by the side that
// made them: the other side only retains and relinquishes.

#include "platform/ACFUID.h"

#include <cstdint>

class IACFUnknown
{
public:
    // Stores in *out the object's interface iid (retained for the caller) and
    // returns 0; any other answer leaves *out null.
    virtual int32_t LookupInterface(const ACFUID& iid, void** out) = 0;
    // Both return the new reference count.
    virtual uint32_t Retain() = 0;
    virtual uint32_t Relinquish() = 0;

protected:
    ~IACFUnknown() = default;
};
