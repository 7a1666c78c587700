#pragma once
// The reference-counted base of every module object the host holds, and the
// module-wide count of live objects that tells the host whether it may unload
// the module. A host-visible class derives from ACFUnknownObject<its host
// interface>: the interface first, CACFUnknown second. Counts change only by
// atomic additions: objects are made and released on any host thread.

#include "platform/IACFUnknown.h"

#include <atomic>
#include <cstdint>

class CACFUnknown
{
public:
    // Reference count 0; the live-object count goes up by one.
    CACFUnknown();
    // The live-object count goes down by one.
    virtual ~CACFUnknown();
    CACFUnknown(const CACFUnknown&) = delete;
    CACFUnknown& operator=(const CACFUnknown&) = delete;

    virtual int32_t SpareHook(void* argument);
    // Called just before the last relinquish destroys the object.
    virtual void BeforeDestroy();
    virtual void DestroySelf();
    // Answers kIID_ACFUnknown with the inner unknown (retained); derived classes
    // answer their own IDs first. A null out gives kACFResultNullPointer.
    virtual int32_t LookupInterfaceInner(const ACFUID& iid, void** out);
    virtual uint32_t RetainInner();
    // Destroys the object when the count reaches 0.
    virtual uint32_t RelinquishInner();

    // Receives the object's outer lookup, retain and relinquish: the inner
    // unknown, since objects are never aggregated.
    IACFUnknown* OuterUnknown() const { return outer; }

    // Objects constructed and not yet destroyed, in the whole module.
    static int32_t LiveObjectCount();

private:
    class PrivateUnknown final : public IACFUnknown
    {
    public:
        explicit PrivateUnknown(CACFUnknown& owner) : owner(&owner) {}
        int32_t LookupInterface(const ACFUID& iid, void** out) override { return owner->LookupInterfaceInner(iid, out); }
        uint32_t Retain() override { return owner->RetainInner(); }
        uint32_t Relinquish() override { return owner->RelinquishInner(); }

    private:
        CACFUnknown* owner;
    };

    std::atomic<uint32_t> referenceCount{0};
    IACFUnknown* outer;
    PrivateUnknown inner;
};

// The one shared set of outer lookup, retain and relinquish of a host-visible
// class whose host interface is Interface.
template <class Interface>
class ACFUnknownObject : public Interface, public CACFUnknown
{
public:
    int32_t LookupInterface(const ACFUID& iid, void** out) override { return OuterUnknown()->LookupInterface(iid, out); }
    uint32_t Retain() override { return OuterUnknown()->Retain(); }
    uint32_t Relinquish() override { return OuterUnknown()->Relinquish(); }

protected:
    // For LookupInterfaceInner overrides: answers with this object's interface,
    // retained through the outer retain.
    int32_t ProvideInterface(void** out)
    {
        *out = static_cast<Interface*>(this);
        Retain();
        return 0;
    }
};
