#pragma once
// One reference on a host interface, held by a wrapper and released when the
// holder is destroyed or looks up another interface into it.

#include "platform/AAX_IHostObjectFactory.h"
#include "platform/ACFInterfaceIDs.h"
#include "platform/IACFUnknown.h"

template <class T>
class HostInterfaceRef
{
public:
    HostInterfaceRef() = default;
    ~HostInterfaceRef() { Reset(); }
    HostInterfaceRef(const HostInterfaceRef&) = delete;
    HostInterfaceRef& operator=(const HostInterfaceRef&) = delete;

    T* Get() const { return pointer; }
    T* operator->() const { return pointer; }
    explicit operator bool() const { return pointer != nullptr; }

    // Releases what is held, then holds object's answer to a lookup of iid:
    // null when object is null or does not answer.
    void Lookup(IACFUnknown* object, const ACFUID& iid)
    {
        Reset();
        void* answer = nullptr;
        if (object && object->LookupInterface(iid, &answer) == 0)
            pointer = static_cast<T*>(answer);
    }

    // Holds object with a reference of its own.
    void Hold(T* object)
    {
        if (object)
            object->Retain();
        Reset();
        pointer = object;
    }

    // Takes over a reference already counted for the caller.
    void Adopt(T* object)
    {
        Reset();
        pointer = object;
    }

    void Reset()
    {
        if (pointer)
            pointer->Relinquish();
        pointer = nullptr;
    }

private:
    T* pointer = nullptr;
};

// Calls op on the interface held by ref; without one, answers missing and
// calls nothing.
template <class T, class R, class... Params, class... Args>
R CallHost(const HostInterfaceRef<T>& ref, R missing, R (T::*op)(Params...), Args&&... args)
{
    return ref ? (ref.Get()->*op)(static_cast<Params>(args)...) : missing;
}

// Asks the factory of hostObject to make an object of classID and holds its
// interface iid in into; null when any step fails.
template <class T>
void CreateHostObject(IACFUnknown* hostObject, const ACFUID& classID, const ACFUID& iid, HostInterfaceRef<T>& into)
{
    into.Reset();
    HostInterfaceRef<AAX_IHostObjectFactory> factory;
    factory.Lookup(hostObject, kIID_ObjectFactory);
    void* created = nullptr;
    if (factory && factory->CreateObject(classID, nullptr, iid, &created) == 0)
        into.Adopt(static_cast<T*>(created));
}
