#pragma once
// Appends the unit label directly to the wrapped delegate's text ("-23.00LUFS")
// and strips it again before parsing. A limited text carries the unit only
// when the whole of it fits.

#include "framework/aax/AAX_CString.h"
#include "framework/aax/AAX_IDisplayDelegateDecorator.h"

template <class T>
class AAX_CUnitDisplayDelegateDecorator final : public AAX_IDisplayDelegateDecorator<T>
{
public:
    using Base = AAX_IDisplayDelegateDecorator<T>;

    AAX_CUnitDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& wrapped, const char* unit)
        : Base(wrapped), unit(unit)
    {
    }

    AAX_CUnitDisplayDelegateDecorator* Duplicate() const override
    {
        return new AAX_CUnitDisplayDelegateDecorator(*this);
    }

    bool TextLimited(T value, int32_t maxLength, AAX_IString& out) const override
    {
        const bool result = Base::TextLimited(value, maxLength, out);
        const uint32_t limit = maxLength > 0 ? static_cast<uint32_t>(maxLength) : 0u;
        const uint32_t length = out.Length();
        if (limit > length && limit - length >= unit.Length())
            AppendUnit(out);
        return result;
    }

    bool Text(T value, AAX_IString& out) const override
    {
        const bool result = Base::Text(value, out);
        AppendUnit(out);
        return result;
    }

    // A text that ends in the unit (and holds more) is parsed without it;
    // any other text is parsed whole.
    bool Parse(const AAX_IString& text, T& out) const override
    {
        const uint32_t length = text.Length();
        const uint32_t unitLength = unit.Length();
        if (length > unitLength)
        {
            const AAX_CString whole(text);
            AAX_CString tail;
            whole.SubString(length - unitLength, unitLength, tail);
            if (tail == unit)
            {
                AAX_CString number;
                whole.SubString(0, length - unitLength, number);
                return Base::Parse(number, out);
            }
        }
        return Base::Parse(text, out);
    }

private:
    void AppendUnit(AAX_IString& out) const
    {
        AAX_CString text(out);
        text.Append(unit);
        out = text;
    }

    AAX_CString unit;
};
