#pragma once
// A text control that another control keeps up to date (its caption with the
// value and unit, or its name label). The text controls implement it.
// UI thread.

class ILinkedText
{
public:
    // Takes a copy of text (UTF-8, never null) and marks the control for
    // redraw only when it differs from the text shown.
    virtual void SetTextIfChanged(const char* text) = 0;

protected:
    ~ILinkedText() = default;
};
