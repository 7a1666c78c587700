#pragma once
// One plug-in parameter: a plain value in its own units with a range, a step,
// a display precision, texts, and the two mappings to and from the unit value
// (0 to 1) that the host and the editor's controls see:
//   unit = ((plain - min) / (max - min)) ^ (1 / exponent)
// No lock of its own: every writer of the value holds the plug-in lock; the
// value is one atomic word, so the editor reads it whole without the lock.
// Kind, range, step, precision and texts are set once, by the plug-in class's
// constructor, and do not change afterwards.
// A NaN never becomes the value: the setters leave the value as it was.

#include "framework/core/GrowBuf.h"
#include "framework/core/ParamKind.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

// Texts of names, labels, groups and display texts: at most this many bytes
// (the rest is cut).
constexpr int32_t kParamTextMax = 31;

struct ParamDisplayText
{
    int32_t value;
    char text[kParamTextMax + 1];
};

class IPlugParam
{
public:
    static_assert(std::atomic<double>::is_always_lock_free, "the audio path stores values without a lock");

    IPlugParam() = default;
    IPlugParam(const IPlugParam&) = delete;
    IPlugParam& operator=(const IPlugParam&) = delete;

    // Initialisation. Each sets the kind only while it is still none, drops
    // the display texts and copies the texts (null counts as empty). The value
    // and the default become defaultValue as given (neither clamped nor
    // snapped); max is raised to min + step when it lies below; the precision
    // is the number of decimals that make the step whole (at most 6); an
    // exponent of 0.0 keeps the previous one.
    void InitRange(const char* name, double defaultValue, double min, double max, double step,
                   const char* label = "", const char* group = "", double exponent = 1.0);
    // Integer kind over min..max, step 1, linear.
    void InitIntRange(const char* name, int32_t defaultValue, int32_t min, int32_t max,
                      const char* label = "", const char* group = "");
    // Choice kind over 0..count-1, step 1, linear.
    void InitChoice(const char* name, int32_t defaultValue, int32_t count,
                    const char* label = "", const char* group = "");
    // 0.0 is ignored.
    void SetExponent(double exponent);
    // Appends; adds nothing when the list cannot grow.
    void AddDisplayText(int32_t value, const char* text);

    // plain -> unit: plain clamped to [min, max] first; 0.0 for an empty range.
    // A NaN plain gives the current value's unit value.
    double MapToUnit(double plain) const;
    // unit -> plain: unit clamped to [0, 1]; snapped to the nearest multiple of
    // the step (halves up, counted from 0) for every kind but double; then at
    // most max. A NaN unit gives the current value.
    double MapFromUnit(double unit) const;
    // unit -> plain without clamping or snapping (the host's taper).
    double MapFromUnitRaw(double unit) const;

    // Any thread.
    double Value() const { return value.load(std::memory_order_relaxed); }
    double GetUnitValue() const { return MapToUnit(Value()); }
    // value = MapFromUnit(unit); a NaN unit leaves the value as it was.
    void SetUnitValue(double unit);
    // Stores a plain value clamped to [min, max], unsnapped (state restoring,
    // publication of meter values); a NaN leaves the value as it was.
    void SetValue(double plain);

    const char* Name() const { return name; }
    // The label, or empty while the value (truncated) has a non-empty display text.
    const char* UnitLabel() const;
    const char* Group() const { return group; }

    int32_t DisplayTextCount() const;
    // The first display text with that value; empty when there is none.
    const char* DisplayTextForValue(int32_t v) const;
    // The display text at index and its value (when outValue is not null);
    // empty, outValue untouched, for an index out of range.
    const char* DisplayTextAt(int32_t index, int32_t* outValue) const;
    // The value of the first display text equal to text (byte for byte);
    // false when none is.
    bool ValueForDisplayText(const char* text, int32_t* outValue) const;

    // Writes the display text of v (a unit value when isUnit) into out, cut to
    // outSize - 1 bytes: its display text when useDisplayText and one is set
    // for v truncated, else the number with the precision's decimals ("%d" of
    // floor(v + 0.5) for precision 0).
    void FormatValue(double v, bool isUnit, char* out, size_t outSize, bool useDisplayText) const;

    ParamKind Kind() const { return kind; }
    double Min() const { return min; }
    double Max() const { return max; }
    double Step() const { return step; }
    double Exponent() const { return exponent; }
    double DefaultValue() const { return defaultValue; }
    int32_t Precision() const { return precision; }
    bool Automatable() const { return automatable; }
    bool PresetMember() const { return presetMember; }
    // Preset recall with the members-only filter restores only members.
    void SetPresetMember(bool member) { presetMember = member; }

private:
    const ParamDisplayText* Texts() const { return static_cast<const ParamDisplayText*>(displayTexts.Get()); }

    ParamKind kind = kParamNone;
    std::atomic<double> value{0.0};
    double min = 0.0;
    double max = 1.0;
    double step = 1.0;
    double exponent = 1.0;
    double defaultValue = 0.0;
    int32_t precision = 0;
    char name[kParamTextMax + 1] = {};
    char label[kParamTextMax + 1] = {};
    char group[kParamTextMax + 1] = {};
    bool automatable = true;
    bool presetMember = true;
    GrowBuf displayTexts{4096};
};
