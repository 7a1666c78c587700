#pragma once
// A value as a number in fixed notation with Precision decimals ("5.00" for
// the int 5). Parsing reads a number from the start of the text and ignores
// what follows; an integer instance truncates toward zero, after clamping to
// its type's range.

#include "framework/aax/AAX_CString.h"
#include "framework/aax/AAX_IDisplayDelegate.h"

#include <limits>
#include <type_traits>

template <class T, uint32_t Precision = 2, uint32_t Spacing = 0>
class AAX_CNumberDisplayDelegate final : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CNumberDisplayDelegate* Duplicate() const override { return new AAX_CNumberDisplayDelegate(*this); }

    // Cut to the limit; a cut text that ends in "." loses it ("12." of 12.34
    // in 3 bytes becomes "12").
    bool TextLimited(T value, int32_t maxLength, AAX_IString& out) const override
    {
        AAX_CString text;
        Text(value, text);
        const uint32_t limit = maxLength > 0 ? static_cast<uint32_t>(maxLength) : 0u;
        if (text.Length() > limit)
            text.Erase(limit, text.Length() - limit);
        if (limit != 0 && text.Length() == limit && text.CharAt(limit - 1) == '.')
            text.Erase(limit - 1, 1);
        out = text;
        return true;
    }

    bool Text(T value, AAX_IString& out) const override
    {
        AAX_CString text;
        text.AppendNumber(static_cast<double>(value), static_cast<int32_t>(Precision));
        out = text;
        return true;
    }

    // No number: out = 0, false.
    bool Parse(const AAX_IString& text, T& out) const override
    {
        double number = 0.0;
        const bool read = AAX_CString(text).ToDouble(&number);
        out = read ? FromDouble(number) : T(0);
        return read;
    }

private:
    static T FromDouble(double number)
    {
        if constexpr (std::is_integral_v<T>)
        {
            constexpr double lowest = static_cast<double>(std::numeric_limits<T>::lowest());
            constexpr double highest = static_cast<double>(std::numeric_limits<T>::max());
            if (!(number > lowest))
                return std::numeric_limits<T>::lowest();
            if (!(number < highest))
                return std::numeric_limits<T>::max();
        }
        return static_cast<T>(number);
    }
};
