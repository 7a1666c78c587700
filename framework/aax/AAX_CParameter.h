#pragma once
// The one implementation of AAX_IParameter, for bool (the master bypass),
// int32 (list and integer parameters) and double. It keeps the real value and
// leaves the conversions to clones of the taper and display delegates it was
// given. Values compare exactly; a NaN differs from every value.

#include "framework/aax/AAX_IParameter.h"

#include <atomic>
#include <map>
#include <memory>

template <class T>
class AAX_CParameter final : public AAX_IParameter
{
public:
    static constexpr uint32_t kIdentifierMax = 31;

    // The identifier is cut to 31 bytes. Steps: 128 (the kind is continuous
    // until SetKind). The default is requested at once: without a delegate the
    // value becomes the default as the taper maps it there and back.
    AAX_CParameter(const char* identifier, const AAX_IString& name, T defaultValue,
                   const AAX_ITaperDelegate<T>& taper, const AAX_IDisplayDelegate<T>& display, bool automatable);
    ~AAX_CParameter() override;
    AAX_CParameter(const AAX_CParameter&) = delete;
    AAX_CParameter& operator=(const AAX_CParameter&) = delete;

    const char* IDText() const override { return identifier; }
    void SetFullName(const AAX_IString& name) override { fullName = name; }
    const AAX_CString& FullName() const override { return fullName; }
    void AddAbbreviation(const AAX_IString& text) override;
    AAX_CString AbbreviationFor(int32_t maxLength) const override;
    void ClearAbbreviations() override { abbreviations.clear(); }
    bool CanAutomate() const override { return automatable; }
    void BindAutomationDelegate(AAX_IAutomationDelegate* delegate) override;
    void BeginGesture() override;
    void EndGesture() override;

    void RequestNormalized(double normalized) override;
    double CurrentNormalized() const override { return taper->NormalizedFromValue(value.load()); }
    void AssignDefaultNormalized(double normalized) override;
    double DefaultNormalized() const override { return taper->NormalizedFromValue(defaultValue.load()); }
    void ResetToDefault() override { RequestValue(defaultValue.load()); }
    void SetStepCount(uint32_t steps) override { stepCount = steps; }
    uint32_t StepCount() const override { return stepCount; }
    uint32_t CurrentStep() const override;
    void RequestStep(uint32_t step) override;

    bool CurrentValueTextLimited(int32_t maxLength, AAX_IString& out) const override;
    bool CurrentValueText(AAX_IString& out) const override { return display->Text(value.load(), out); }
    bool NormalizedFromText(const AAX_IString& text, double* out) const override;
    bool TextForNormalizedLimited(double normalized, int32_t maxLength, AAX_IString& out) const override;
    bool TextForNormalized(double normalized, AAX_IString& out) const override;
    bool RequestValueFromText(const AAX_IString& text) override;

    bool ReadBool(bool* out) const override;
    bool ReadInt32(int32_t* out) const override;
    bool ReadFloat(float* out) const override;
    bool ReadDouble(double* out) const override;
    bool ReadText(AAX_IString*) const override { return false; }
    bool WriteBool(bool v) override;
    bool WriteInt32(int32_t v) override;
    bool WriteFloat(float v) override;
    bool WriteDouble(double v) override;
    bool WriteText(const char*) override { return false; }

    void SetKind(int32_t newKind) override { kind = newKind; }
    int32_t Kind() const override { return kind; }
    void SetStyle(int32_t newStyle) override { style = newStyle; }
    int32_t Style() const override { return style; }

    void ReplaceTaper(const AAX_ITaperDelegateBase& newTaper, bool keepValue) override;
    void ReplaceDisplay(const AAX_IDisplayDelegateBase& newDisplay) override;
    void ApplyHostNormalized(double normalized) override;

    // The one path by which the parameter asks for a value: with a delegate,
    // touch, request and release (the value changes when the host applies
    // it); without one the value is taken at once.
    void RequestValue(T requested);
    T Value() const { return value.load(); }

private:
    template <class U>
    bool Read(U* out) const;
    template <class U>
    bool Write(U v);
    bool InRange(T v) const { return !(v < taper->Minimum()) && !(taper->Maximum() < v); }

    char identifier[kIdentifierMax + 1] = {};
    AAX_CString fullName;
    std::map<int32_t, AAX_CString> abbreviations;
    bool automatable;
    uint32_t stepCount = 128;  // a continuous parameter's; a discrete one has 2
    int32_t kind = kAAXParameterContinuous;
    int32_t style = 0;
    std::unique_ptr<AAX_ITaperDelegate<T>> taper;
    std::unique_ptr<AAX_IDisplayDelegate<T>> display;
    AAX_IAutomationDelegate* automationDelegate = nullptr;
    std::atomic<bool> reportPending{true};
    std::atomic<T> value{};
    std::atomic<T> defaultValue;
};

extern template class AAX_CParameter<bool>;
extern template class AAX_CParameter<int32_t>;
extern template class AAX_CParameter<double>;
