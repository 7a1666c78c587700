#pragma once
// A display delegate wrapped around another to add behaviour; by itself it
// forwards every operation. It owns a clone of the wrapped delegate, and its
// copies clone it again.

#include "framework/aax/AAX_IDisplayDelegate.h"

#include <memory>

template <class T>
class AAX_IDisplayDelegateDecorator : public AAX_IDisplayDelegate<T>
{
public:
    explicit AAX_IDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& wrapped) : wrapped(wrapped.Duplicate()) {}
    AAX_IDisplayDelegateDecorator(const AAX_IDisplayDelegateDecorator& other) : wrapped(other.wrapped->Duplicate()) {}
    AAX_IDisplayDelegateDecorator& operator=(const AAX_IDisplayDelegateDecorator&) = delete;

    AAX_IDisplayDelegateDecorator* Duplicate() const override { return new AAX_IDisplayDelegateDecorator(*this); }

    bool TextLimited(T value, int32_t maxLength, AAX_IString& out) const override
    {
        return wrapped->TextLimited(value, maxLength, out);
    }

    bool Text(T value, AAX_IString& out) const override { return wrapped->Text(value, out); }
    bool Parse(const AAX_IString& text, T& out) const override { return wrapped->Parse(text, out); }

private:
    std::unique_ptr<AAX_IDisplayDelegate<T>> wrapped;
};
