#pragma once
// Two labels, for false and true. No text is ever shortened; parsing compares
// exactly, case included.

#include "framework/aax/AAX_CString.h"
#include "framework/aax/AAX_IDisplayDelegate.h"

template <class T>
class AAX_CBinaryDisplayDelegate final : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CBinaryDisplayDelegate(const char* falseLabel, const char* trueLabel)
        : falseLabel(falseLabel), trueLabel(trueLabel)
    {
    }

    AAX_CBinaryDisplayDelegate* Duplicate() const override { return new AAX_CBinaryDisplayDelegate(*this); }
    bool TextLimited(T value, int32_t, AAX_IString& out) const override { return Text(value, out); }

    bool Text(T value, AAX_IString& out) const override
    {
        out = value ? trueLabel : falseLabel;
        return true;
    }

    // Neither label: out = false, false.
    bool Parse(const AAX_IString& text, T& out) const override
    {
        const AAX_CString given(text);
        out = given == trueLabel;
        return out || given == falseLabel;
    }

private:
    AAX_CString falseLabel;
    AAX_CString trueLabel;
};
