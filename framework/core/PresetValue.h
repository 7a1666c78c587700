#pragma once
// Type-safe arguments of the preset makers. A value is given as an integer
// for a parameter of integer, choice or the reserved kind 1, and as a double
// for a double parameter:
//   MakePresetFromPairs("Loud", {{kType, 1}, {kRefLevel, -16.0}});
// A value equal to kPresetValueNotGiven (exactly) takes the parameter's
// current value, as does every parameter that no value names.

#include <cstdint>
#include <initializer_list>

constexpr double kPresetValueNotGiven = 9.999e-8;

class PresetValue
{
public:
    PresetValue(int32_t v) : value(v), integer(true) {}
    PresetValue(double v) : value(v), integer(false) {}

    double Get() const { return value; }
    bool IsInteger() const { return integer; }

private:
    double value;
    bool integer;
};

struct PresetPair
{
    int32_t index;
    PresetValue value;
};

// A read-only view of consecutive items: a braced list for the duration of
// the call it is passed to, or an array of the caller's.
template <class T>
class PresetList
{
public:
    PresetList() = default;
    // The braced list's items live until the end of the call's full expression.
    PresetList(std::initializer_list<T> list) : PresetList(list.begin(), static_cast<int32_t>(list.size())) {}
    PresetList(const T* first, int32_t n) : items(first), count(first && n > 0 ? n : 0) {}

    const T* begin() const { return items; }
    const T* end() const { return items + count; }
    int32_t Size() const { return count; }

private:
    const T* items = nullptr;
    int32_t count = 0;
};

using PresetPairs = PresetList<PresetPair>;
using PresetValues = PresetList<PresetValue>;
