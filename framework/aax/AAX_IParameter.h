#pragma once
// A parameter as the host sees it: an identifier, a name with shorter
// abbreviations, a normalised value (0 to 1) that the host automates, a
// default, a step count, a kind and a style, and texts for values. Values go
// to the host through the automation delegate once one is bound; until then a
// requested value is taken at once.
//
// Threads: the value, the default and the pending report are shared whole
// between the host's threads and the audio thread; everything else (names,
// steps, kind, style, delegates, the binding) is set up before the host uses
// the parameter, or while it does not.

#include "framework/aax/AAX_CString.h"
#include "framework/aax/AAX_IAutomationDelegate.h"
#include "framework/aax/AAX_IDisplayDelegate.h"
#include "framework/aax/AAX_ITaperDelegate.h"
#include "platform/AAX_IString.h"

#include <cstdint>

// Kind values answered to the host.
enum AAXParameterKind : int32_t
{
    kAAXParameterDiscrete = 0,
    kAAXParameterContinuous = 1,
};

class AAX_IParameter
{
public:
    // With a delegate bound, unregisters the identifier from it.
    virtual ~AAX_IParameter() = default;

    // NUL-terminated, at most 31 bytes.
    virtual const char* IDText() const = 0;
    virtual void SetFullName(const AAX_IString& name) = 0;
    virtual const AAX_CString& FullName() const = 0;
    // Kept under its own length; a later one of the same length replaces it.
    virtual void AddAbbreviation(const AAX_IString& text) = 0;
    // The longest name of at most maxLength bytes: the full name when it fits
    // (or maxLength is negative, or there are no abbreviations), else the
    // longest abbreviation that fits, else the shortest one.
    virtual AAX_CString AbbreviationFor(int32_t maxLength) const = 0;
    virtual void ClearAbbreviations() = 0;
    virtual bool CanAutomate() const = 0;
    // Unregisters from the delegate bound before, registers with the new one;
    // null unbinds.
    virtual void BindAutomationDelegate(AAX_IAutomationDelegate* delegate) = 0;
    // Touch and release through the delegate; nothing without one.
    virtual void BeginGesture() = 0;
    virtual void EndGesture() = 0;

    // Asks for the value of that normalised position (NaN: nothing).
    virtual void RequestNormalized(double normalized) = 0;
    virtual double CurrentNormalized() const = 0;
    // The default moves there; the value stays (NaN: nothing).
    virtual void AssignDefaultNormalized(double normalized) = 0;
    virtual double DefaultNormalized() const = 0;
    virtual void ResetToDefault() = 0;
    virtual void SetStepCount(uint32_t steps) = 0;
    virtual uint32_t StepCount() const = 0;
    // 0 with fewer than 2 steps.
    virtual uint32_t CurrentStep() const = 0;
    // Asks for step / (steps - 1); nothing with fewer than 2 steps.
    virtual void RequestStep(uint32_t step) = 0;

    // The current value's full text (no limit is applied); the display's result.
    virtual bool CurrentValueTextLimited(int32_t maxLength, AAX_IString& out) const = 0;
    virtual bool CurrentValueText(AAX_IString& out) const = 0;
    // false when the text does not parse (out untouched) or parses to a value
    // outside the taper's range (out holds its constrained normalised value).
    virtual bool NormalizedFromText(const AAX_IString& text, double* out) const = 0;
    // false when the display has no text for the value.
    virtual bool TextForNormalizedLimited(double normalized, int32_t maxLength, AAX_IString& out) const = 0;
    virtual bool TextForNormalized(double normalized, AAX_IString& out) const = 0;
    // Asks for the value the text parses to; false when it does not parse.
    virtual bool RequestValueFromText(const AAX_IString& text) = 0;

    // Typed access: only the parameter's own type succeeds; a write asks for
    // the value as RequestNormalized does. A NaN is never written.
    virtual bool ReadBool(bool* out) const = 0;
    virtual bool ReadInt32(int32_t* out) const = 0;
    virtual bool ReadFloat(float* out) const = 0;
    virtual bool ReadDouble(double* out) const = 0;
    virtual bool ReadText(AAX_IString* out) const = 0;
    virtual bool WriteBool(bool value) = 0;
    virtual bool WriteInt32(int32_t value) = 0;
    virtual bool WriteFloat(float value) = 0;
    virtual bool WriteDouble(double value) = 0;
    virtual bool WriteText(const char* value) = 0;

    // An AAXParameterKind.
    virtual void SetKind(int32_t kind) = 0;
    virtual int32_t Kind() const = 0;
    virtual void SetStyle(int32_t style) = 0;
    virtual int32_t Style() const = 0;

    // A taper or display of another value type is ignored. keepValue: the
    // real value stays (and is asked for anew), else the normalised position.
    virtual void ReplaceTaper(const AAX_ITaperDelegateBase& taper, bool keepValue) = 0;
    // Reports the current value to the delegate.
    virtual void ReplaceDisplay(const AAX_IDisplayDelegateBase& display) = 0;

    // The host's value arrives: taken and reported to the delegate unless it
    // equals the current value and no report is pending (NaN: nothing).
    virtual void ApplyHostNormalized(double normalized) = 0;
};
