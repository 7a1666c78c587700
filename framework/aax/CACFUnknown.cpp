#include "framework/aax/CACFUnknown.h"

#include "platform/ACFInterfaceIDs.h"
#include "platform/AAXResults.h"

namespace {

std::atomic<int32_t> liveObjects{0};

}  // namespace

CACFUnknown::CACFUnknown() : outer(&inner), inner(*this) { liveObjects.fetch_add(1); }

CACFUnknown::~CACFUnknown() { liveObjects.fetch_sub(1); }

int32_t CACFUnknown::SpareHook(void*) { return 0; }

void CACFUnknown::BeforeDestroy() {}

void CACFUnknown::DestroySelf() { delete this; }

int32_t CACFUnknown::LookupInterfaceInner(const ACFUID& iid, void** out)
{
    if (!out)
        return kACFResultNullPointer;
    *out = nullptr;
    if (iid != kIID_ACFUnknown)
        return kACFResultNoInterface;
    *out = static_cast<IACFUnknown*>(&inner);
    inner.Retain();
    return 0;
}

uint32_t CACFUnknown::RetainInner() { return referenceCount.fetch_add(1) + 1; }

uint32_t CACFUnknown::RelinquishInner()
{
    const uint32_t count = referenceCount.fetch_sub(1) - 1;
    if (count == 0)
    {
        BeforeDestroy();
        DestroySelf();
    }
    return count;
}

int32_t CACFUnknown::LiveObjectCount() { return liveObjects.load(); }
