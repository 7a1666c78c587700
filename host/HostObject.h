#pragma once
// The reference-counted base of the stand-in host's objects, offering the
// host interfaces Interfaces... (each an IACFUnknown). An object starts with
// the one reference of its maker and deletes itself when the last goes; the
// host's switches decide which interfaces a lookup finds.

#include "host/StandInHost.h"
#include "platform/ACFInterfaceIDs.h"
#include "platform/AAXResults.h"

#include <atomic>
#include <tuple>

template <class... Interfaces>
class HostObject : public Interfaces...
{
public:
    HostObject(StandInHost& host, const char* kind) : host(host), label(host.NextLabel(kind)) { host.ObjectMade(); }
    virtual ~HostObject() { host.ObjectGone(); }
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;

    int32_t LookupInterface(const ACFUID& iid, void** out) override
    {
        if (!out)
            return kACFResultNullPointer;
        *out = nullptr;
        if (!host.Offers(iid))
            return kACFResultNoInterface;
        void* answer = iid == kIID_ACFUnknown ? static_cast<void*>(Unknown()) : Answer(iid);
        if (!answer)
            return kACFResultNoInterface;
        Retain();
        *out = answer;
        return 0;
    }

    uint32_t Retain() override { return references.fetch_add(1) + 1; }

    uint32_t Relinquish() override
    {
        const uint32_t count = references.fetch_sub(1) - 1;
        if (count == 0)
            delete this;
        return count;
    }

    IACFUnknown* Unknown() { return static_cast<std::tuple_element_t<0, std::tuple<Interfaces...>>*>(this); }
    const std::string& Label() const { return label; }

protected:
    // The interface pointer (converted to void*) that answers iid, or null.
    virtual void* Answer(const ACFUID& iid) = 0;

    StandInHost& host;

private:
    std::string label;
    std::atomic<uint32_t> references{1};
};
