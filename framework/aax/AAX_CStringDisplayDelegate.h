#pragma once
// One text per value, as a list parameter shows its entries. No text is ever
// shortened. When two values share a text, parsing it gives the smaller.

#include "framework/aax/AAX_CString.h"
#include "framework/aax/AAX_IDisplayDelegate.h"

#include <map>

template <class T>
class AAX_CStringDisplayDelegate final : public AAX_IDisplayDelegate<T>
{
public:
    explicit AAX_CStringDisplayDelegate(const std::map<T, AAX_CString>& texts) : textByValue(texts)
    {
        for (const auto& [value, text] : textByValue)  // ascending values: the first holder of a text keeps it
            valueByText.emplace(text, value);
    }

    AAX_CStringDisplayDelegate* Duplicate() const override { return new AAX_CStringDisplayDelegate(*this); }
    bool TextLimited(T value, int32_t, AAX_IString& out) const override { return Text(value, out); }

    // A value without text: "String Not Found", false.
    bool Text(T value, AAX_IString& out) const override
    {
        const auto found = textByValue.find(value);
        if (found == textByValue.end())
        {
            out = "String Not Found";
            return false;
        }
        out = found->second;
        return true;
    }

    // A text of no value: out = 0, false.
    bool Parse(const AAX_IString& text, T& out) const override
    {
        const auto found = valueByText.find(AAX_CString(text));
        out = found == valueByText.end() ? T(0) : found->second;
        return found != valueByText.end();
    }

private:
    std::map<T, AAX_CString> textByValue;
    std::map<AAX_CString, T> valueByText;
};
