#include "framework/core/IPlugParam.h"

#include "framework/core/CopyText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int32_t kMaxPrecision = 6;

// v truncated toward zero, false when it has no int32 value (NaN, too large).
bool TruncToInt32(double v, int32_t* out)
{
    if (!(v > -2147483649.0 && v < 2147483648.0))
        return false;
    *out = static_cast<int32_t>(v);
    return true;
}

}  // namespace

void IPlugParam::InitRange(const char* newName, double defaultVal, double minVal, double maxVal,
                           double stepVal, const char* newLabel, const char* newGroup, double exp)
{
    if (kind == kParamNone)
        kind = kParamDouble;
    if (displayTexts.GetSize() > 0)
        displayTexts.Resize(0, true);
    CopyText(name, newName);
    CopyText(label, newLabel);
    CopyText(group, newGroup);

    min = minVal;
    value.store(defaultVal, std::memory_order_relaxed);
    max = minVal + stepVal > maxVal ? minVal + stepVal : maxVal;
    step = stepVal;
    defaultValue = defaultVal;

    precision = 0;
    for (double s = stepVal; std::floor(s) != s && precision < kMaxPrecision; s *= 10.0)
        ++precision;

    if (exp != 0.0)
        exponent = exp;
}

void IPlugParam::InitIntRange(const char* newName, int32_t defaultVal, int32_t minVal, int32_t maxVal,
                              const char* newLabel, const char* newGroup)
{
    if (kind == kParamNone)
        kind = kParamInt;
    InitRange(newName, defaultVal, minVal, maxVal, 1.0, newLabel, newGroup, 1.0);
}

void IPlugParam::InitChoice(const char* newName, int32_t defaultVal, int32_t count, const char* newLabel,
                            const char* newGroup)
{
    if (kind == kParamNone)
        kind = kParamChoice;
    InitRange(newName, defaultVal, 0.0, static_cast<double>(count) - 1.0, 1.0, newLabel, newGroup, 1.0);
}

void IPlugParam::SetExponent(double exp)
{
    if (exp != 0.0)
        exponent = exp;
}

void IPlugParam::AddDisplayText(int32_t v, const char* text)
{
    const int32_t count = DisplayTextCount();
    const auto newSize = static_cast<int32_t>((count + 1) * sizeof(ParamDisplayText));
    if (!displayTexts.Resize(newSize, false) || displayTexts.GetSize() != newSize)
        return;
    auto* entry = static_cast<ParamDisplayText*>(displayTexts.Get()) + count;
    entry->value = v;
    CopyText(entry->text, text);
}

double IPlugParam::MapToUnit(double plain) const
{
    if (std::isnan(plain))
        plain = Value();
    const double range = max - min;
    if (!(range > 0.0))
        return 0.0;
    const double v = std::max(min, std::min(plain, max));
    return std::pow((v - min) / range, 1.0 / exponent);
}

double IPlugParam::MapFromUnitRaw(double unit) const { return min + (max - min) * std::pow(unit, exponent); }

double IPlugParam::MapFromUnit(double unit) const
{
    if (std::isnan(unit))
        return Value();
    double v = MapFromUnitRaw(std::clamp(unit, 0.0, 1.0));
    if (kind != kParamDouble && step > 0.0)
        v = std::floor(v / step + 0.5) * step;
    return std::min(v, max);
}

void IPlugParam::SetUnitValue(double unit)
{
    const double v = MapFromUnit(unit);
    if (!std::isnan(v))
        value.store(v, std::memory_order_relaxed);
}

void IPlugParam::SetValue(double plain)
{
    if (!std::isnan(plain))
        value.store(std::max(min, std::min(plain, max)), std::memory_order_relaxed);
}

const char* IPlugParam::UnitLabel() const
{
    int32_t v = 0;
    if (DisplayTextCount() > 0 && TruncToInt32(Value(), &v) && DisplayTextForValue(v)[0] != '\0')
        return "";
    return label;
}

int32_t IPlugParam::DisplayTextCount() const
{
    return displayTexts.GetSize() / static_cast<int32_t>(sizeof(ParamDisplayText));
}

const char* IPlugParam::DisplayTextForValue(int32_t v) const
{
    const ParamDisplayText* texts = Texts();
    for (int32_t i = 0, n = DisplayTextCount(); i < n; ++i)
        if (texts[i].value == v)
            return texts[i].text;
    return "";
}

const char* IPlugParam::DisplayTextAt(int32_t index, int32_t* outValue) const
{
    if (index < 0 || index >= DisplayTextCount())
        return "";
    const ParamDisplayText& entry = Texts()[index];
    if (outValue)
        *outValue = entry.value;
    return entry.text;
}

bool IPlugParam::ValueForDisplayText(const char* text, int32_t* outValue) const
{
    if (!text)
        return false;
    const ParamDisplayText* texts = Texts();
    for (int32_t i = 0, n = DisplayTextCount(); i < n; ++i)
    {
        if (std::strcmp(texts[i].text, text) == 0)
        {
            if (outValue)
                *outValue = texts[i].value;
            return true;
        }
    }
    return false;
}

void IPlugParam::FormatValue(double v, bool isUnit, char* out, size_t outSize, bool useDisplayText) const
{
    if (!out || outSize == 0)
        return;
    if (isUnit)
        v = MapFromUnitRaw(v);
    int32_t iv = 0;
    if (useDisplayText && DisplayTextCount() > 0 && TruncToInt32(v, &iv))
    {
        const char* text = DisplayTextForValue(iv);
        if (text[0] != '\0')
        {
            CopyText(out, outSize, text);
            return;
        }
    }
    // "%.0f" of a whole number prints what "%d" would, without the overflow
    // of a conversion to int for values beyond its range.
    if (precision > 0)
        std::snprintf(out, outSize, "%.*f", precision, v);
    else
        std::snprintf(out, outSize, "%.0f", std::floor(v + 0.5));
}
