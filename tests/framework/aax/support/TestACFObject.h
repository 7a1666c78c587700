#pragma once
// A host-visible module object for tests: answers kIID_EffectParameters with
// itself and counts its BeforeDestroy calls.

#include "framework/aax/CACFUnknown.h"
#include "platform/ACFInterfaceIDs.h"

class TestACFObject : public ACFUnknownObject<IACFUnknown>
{
public:
    explicit TestACFObject(int* beforeDestroyCalls = nullptr) : beforeDestroyCalls(beforeDestroyCalls) {}

    int32_t LookupInterfaceInner(const ACFUID& iid, void** out) override
    {
        if (out && iid == kIID_EffectParameters)
            return ProvideInterface(out);
        return CACFUnknown::LookupInterfaceInner(iid, out);
    }

    void BeforeDestroy() override
    {
        if (beforeDestroyCalls)
            ++*beforeDestroyCalls;
    }

private:
    int* beforeDestroyCalls;
};
