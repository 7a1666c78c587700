#pragma once
// Display delegates: a parameter's real value to text for the host, and text
// typed by the user back to a value. A parameter owns a clone of its display.
// Lengths count bytes of the 8-bit text.

#include "platform/AAX_IString.h"

#include <cstdint>

class AAX_IDisplayDelegateBase
{
public:
    virtual ~AAX_IDisplayDelegateBase() = default;
};

template <class T>
class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase
{
public:
    // A new deep copy, owned by the caller.
    virtual AAX_IDisplayDelegate* Duplicate() const = 0;
    // The text in at most maxLength bytes where the delegate shortens texts
    // (a negative limit counts as 0); false when the value has no text.
    virtual bool TextLimited(T value, int32_t maxLength, AAX_IString& out) const = 0;
    virtual bool Text(T value, AAX_IString& out) const = 0;
    // false when the text reads as no value.
    virtual bool Parse(const AAX_IString& text, T& out) const = 0;
};
