#pragma once
// One host reference on a new module object, released as the host would.

#include <utility>

template <class T>
class HeldObject
{
public:
    template <class... Args>
    explicit HeldObject(Args&&... args) : object(new T(std::forward<Args>(args)...))
    {
        object->Retain();
    }
    ~HeldObject() { object->Relinquish(); }
    HeldObject(const HeldObject&) = delete;
    HeldObject& operator=(const HeldObject&) = delete;

    T* operator->() const { return object; }
    T& operator*() const { return *object; }

private:
    T* object;
};
