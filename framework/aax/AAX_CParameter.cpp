#include "framework/aax/AAX_CParameter.h"

#include "framework/core/CopyText.h"

#include <cmath>
#include <iterator>
#include <type_traits>

template <class T>
AAX_CParameter<T>::AAX_CParameter(const char* id, const AAX_IString& name, T defaultValue,
                                  const AAX_ITaperDelegate<T>& taper, const AAX_IDisplayDelegate<T>& display,
                                  bool automatable)
    : fullName(name), automatable(automatable), taper(taper.Duplicate()), display(display.Duplicate()),
      defaultValue(defaultValue)
{
    CopyText(identifier, id);
    RequestValue(defaultValue);
}

template <class T>
AAX_CParameter<T>::~AAX_CParameter()
{
    if (automationDelegate)
        automationDelegate->UnregisterParameter(identifier);
}

template <class T>
void AAX_CParameter<T>::AddAbbreviation(const AAX_IString& text)
{
    abbreviations[static_cast<int32_t>(text.Length())] = AAX_CString(text);
}

template <class T>
AAX_CString AAX_CParameter<T>::AbbreviationFor(int32_t maxLength) const
{
    if (maxLength < 0 || static_cast<uint32_t>(maxLength) >= fullName.Length() || abbreviations.empty())
        return fullName;
    const auto longer = abbreviations.upper_bound(maxLength);
    if (longer == abbreviations.begin())
        return longer->second;  // none fits: the shortest
    return std::prev(longer)->second;
}

template <class T>
void AAX_CParameter<T>::BindAutomationDelegate(AAX_IAutomationDelegate* delegate)
{
    if (automationDelegate)
        automationDelegate->UnregisterParameter(identifier);
    automationDelegate = delegate;
    if (automationDelegate)
        automationDelegate->RegisterParameter(identifier);
}

template <class T>
void AAX_CParameter<T>::BeginGesture()
{
    if (automationDelegate)
        automationDelegate->TouchParameter(identifier);
}

template <class T>
void AAX_CParameter<T>::EndGesture()
{
    if (automationDelegate)
        automationDelegate->ReleaseParameter(identifier);
}

template <class T>
void AAX_CParameter<T>::RequestNormalized(double normalized)
{
    if (!std::isnan(normalized))
        RequestValue(taper->ValueFromNormalized(normalized));
}

template <class T>
void AAX_CParameter<T>::AssignDefaultNormalized(double normalized)
{
    if (!std::isnan(normalized))
        defaultValue.store(taper->Constrain(taper->ValueFromNormalized(normalized)));
}

template <class T>
uint32_t AAX_CParameter<T>::CurrentStep() const
{
    const double steps = static_cast<double>(StepCount());
    if (steps < 2.0)
        return 0;
    const double x = CurrentNormalized() * (steps - 1.0) + 0.5;
    return static_cast<uint32_t>(x < 0.0 ? 0.0 : (x > steps - 1.0 ? steps - 1.0 : x));
}

template <class T>
void AAX_CParameter<T>::RequestStep(uint32_t step)
{
    const uint32_t steps = StepCount();
    if (steps < 2)
        return;
    RequestNormalized(ClampNormalized(static_cast<double>(step) / static_cast<double>(steps - 1)));
}

template <class T>
bool AAX_CParameter<T>::CurrentValueTextLimited(int32_t, AAX_IString& out) const
{
    return display->Text(value.load(), out);
}

template <class T>
bool AAX_CParameter<T>::NormalizedFromText(const AAX_IString& text, double* out) const
{
    T parsed{};
    if (!display->Parse(text, parsed))
        return false;
    if (out)
        *out = taper->NormalizedFromValue(parsed);
    return InRange(parsed);
}

template <class T>
bool AAX_CParameter<T>::TextForNormalizedLimited(double normalized, int32_t maxLength, AAX_IString& out) const
{
    const T v = taper->ValueFromNormalized(normalized);
    return display->TextLimited(v, maxLength, out) && InRange(v);
}

template <class T>
bool AAX_CParameter<T>::TextForNormalized(double normalized, AAX_IString& out) const
{
    const T v = taper->ValueFromNormalized(normalized);
    return display->Text(v, out) && InRange(v);
}

template <class T>
bool AAX_CParameter<T>::RequestValueFromText(const AAX_IString& text)
{
    T parsed{};
    if (!display->Parse(text, parsed))
        return false;
    RequestValue(parsed);
    return true;
}

template <class T>
template <class U>
bool AAX_CParameter<T>::Read(U* out) const
{
    if constexpr (std::is_same_v<T, U>)
    {
        if (out)
            *out = value.load();
        return out != nullptr;
    }
    else
    {
        (void)out;
        return false;
    }
}

template <class T>
template <class U>
bool AAX_CParameter<T>::Write(U v)
{
    if constexpr (std::is_same_v<T, U>)
    {
        if constexpr (std::is_floating_point_v<T>)
            if (std::isnan(v))
                return false;
        RequestValue(v);
        return true;
    }
    else
    {
        (void)v;
        return false;
    }
}

template <class T>
bool AAX_CParameter<T>::ReadBool(bool* out) const
{
    return Read(out);
}

template <class T>
bool AAX_CParameter<T>::ReadInt32(int32_t* out) const
{
    return Read(out);
}

template <class T>
bool AAX_CParameter<T>::ReadFloat(float* out) const
{
    return Read(out);
}

template <class T>
bool AAX_CParameter<T>::ReadDouble(double* out) const
{
    return Read(out);
}

template <class T>
bool AAX_CParameter<T>::WriteBool(bool v)
{
    return Write(v);
}

template <class T>
bool AAX_CParameter<T>::WriteInt32(int32_t v)
{
    return Write(v);
}

template <class T>
bool AAX_CParameter<T>::WriteFloat(float v)
{
    return Write(v);
}

template <class T>
bool AAX_CParameter<T>::WriteDouble(double v)
{
    return Write(v);
}

template <class T>
void AAX_CParameter<T>::ReplaceTaper(const AAX_ITaperDelegateBase& newTaper, bool keepValue)
{
    const auto* typed = dynamic_cast<const AAX_ITaperDelegate<T>*>(&newTaper);
    if (!typed)
        return;
    const double oldNormalized = CurrentNormalized();
    taper.reset(typed->Duplicate());
    reportPending.store(true);
    if (keepValue)
        RequestValue(value.load());
    else
        ApplyHostNormalized(oldNormalized);
}

template <class T>
void AAX_CParameter<T>::ReplaceDisplay(const AAX_IDisplayDelegateBase& newDisplay)
{
    const auto* typed = dynamic_cast<const AAX_IDisplayDelegate<T>*>(&newDisplay);
    if (!typed)
        return;
    display.reset(typed->Duplicate());
    if (automationDelegate)
        automationDelegate->ReportParameterValue(identifier, CurrentNormalized());
}

template <class T>
void AAX_CParameter<T>::ApplyHostNormalized(double normalized)
{
    if (std::isnan(normalized))
        return;
    const T v = taper->ValueFromNormalized(normalized);
    if (!reportPending.load() && v == value.load())
        return;
    value.store(v);
    if (automationDelegate)
        automationDelegate->ReportParameterValue(identifier, ClampNormalized(normalized));
    reportPending.store(false);
}

template <class T>
void AAX_CParameter<T>::RequestValue(T requested)
{
    const double normalized = taper->NormalizedFromValue(requested);
    if (automationDelegate)
    {
        BeginGesture();
        automationDelegate->RequestParameterValue(identifier, normalized);
        EndGesture();
        return;
    }
    reportPending.store(true);
    ApplyHostNormalized(normalized);
}

template class AAX_CParameter<bool>;
template class AAX_CParameter<int32_t>;
template class AAX_CParameter<double>;
