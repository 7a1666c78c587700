#pragma once
// The host's object factory (kIID_ObjectFactory on the host object): the
// description wrappers create their host-side objects through it.

#include "platform/IACFUnknown.h"

class AAX_IHostObjectFactory : public IACFUnknown
{
public:
    // Makes an object of classID (outer must be null: no aggregation) and stores
    // its interface iid, retained for the caller, in *out. 0 on success.
    virtual int32_t CreateObject(const ACFUID& classID, IACFUnknown* outer, const ACFUID& iid, void** out) = 0;

protected:
    ~AAX_IHostObjectFactory() = default;
};
