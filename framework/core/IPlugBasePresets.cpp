// Preset slots of IPlugBase: makers, recall, modification and copies.
#include "framework/core/IPlugBase.h"

#include "framework/core/CopyText.h"

#include <cassert>
#include <cstdio>
#include <cstring>

namespace {

// Checking builds catch a value whose type does not follow its parameter's
// kind (integers for integer, choice and kind 1); release builds take it as
// given.
double EntryFor(const IPlugParam* param, const PresetValue& value)
{
    const ParamKind kind = param->Kind();
    [[maybe_unused]] const bool integerKind = kind == kParamBool || kind == kParamInt || kind == kParamChoice;
    assert(value.IsInteger() == integerKind);
    return value.Get();
}

}  // namespace

IPlugPreset* IPlugBase::FirstFreePreset() const
{
    for (int32_t i = 0; i < NPresets(); ++i)
    {
        IPlugPreset* preset = GetPreset(i);
        if (preset && !preset->initialised)
            return preset;
    }
    return nullptr;
}

void IPlugBase::MakeUserPresetName(char* out, size_t outSize) const
{
    int32_t count = 0;
    for (int32_t i = 0; i < NPresets(); ++i)
    {
        const IPlugPreset* preset = GetPreset(i);
        if (preset && std::strstr(preset->name, "user preset"))
            ++count;
    }
    std::snprintf(out, outSize, "%s %d", "user preset", count + 1);
}

const char* IPlugBase::PresetName(int32_t idx) const
{
    const IPlugPreset* preset = GetPreset(idx);
    return preset ? preset->name : "";
}

bool IPlugBase::RecallPreset(int32_t idx, bool presetParamsOnly)
{
    IPlugPreset* preset = GetPreset(idx);
    if (!preset)
        return false;
    bool ok;
    if (!preset->initialised)
    {
        preset->initialised = true;
        MakeUserPresetName(preset->name, sizeof preset->name);
        preset->state.Clear();
        ok = SaveState(preset->state);
    }
    else
    {
        const int32_t pos = presetParamsOnly ? LoadPresetState(preset->state, 0, true) : LoadState(preset->state, 0);
        ok = pos > 0;
    }
    if (ok)
    {
        currentPreset = idx;
        OnPresetRecalled();
        RefreshParamControls();
    }
    return ok;
}

bool IPlugBase::ModifyPreset(int32_t idx, const char* name)
{
    IPlugPreset* preset = GetPreset(idx);
    if (!preset)
        return false;
    preset->state.Clear();
    const bool ok = SaveState(preset->state);
    if (name && *name)
        CopyText(preset->name, name);
    return ok;
}

void IPlugBase::MakeBlankPresets()
{
    presets.DeleteAll();
    for (int32_t i = 0; i < presetSlotCount; ++i)
    {
        auto* preset = new IPlugPreset(i);
        if (!presets.Add(preset))
        {
            delete preset;
            return;
        }
    }
}

// Parameter i takes values[i] when given, then the last pair that names it;
// the current value where neither gives one (or gives the not-given marker).
bool IPlugBase::StorePreset(IPlugPreset* target, const char* name, PresetPairs pairs, PresetValues values)
{
    if (!target)
        return false;
    target->initialised = true;
    CopyText(target->name, name);
    // Cleared first: a slot may hold state from an earlier ModifyPreset.
    target->state.Clear();
    PlatformLockGuard guard(lock);
    for (int32_t i = 0; i < NParams(); ++i)
    {
        const IPlugParam* param = GetParam(i);
        double v = kPresetValueNotGiven;
        if (i < values.Size())
            v = EntryFor(param, values.begin()[i]);
        for (const PresetPair& pair : pairs)
            if (pair.index == i)
                v = EntryFor(param, pair.value);
        if (v == kPresetValueNotGiven)
            v = param->Value();
        if (!target->state.PutDoubleLE(v))
            return false;
    }
    return true;
}

bool IPlugBase::MakePresetFromValues(const char* name, PresetValues values)
{
    return StorePreset(FirstFreePreset(), name, {}, values);
}

bool IPlugBase::MakePresetFromPairs(const char* name, PresetPairs pairs)
{
    return StorePreset(FirstFreePreset(), name, pairs, {});
}

bool IPlugBase::MakePresetAtFromPairs(int32_t slotIndex, const char* name, PresetPairs pairs)
{
    return StorePreset(GetPreset(slotIndex), name, pairs, {});
}

bool IPlugBase::FillPresetFromPairs(IPlugPreset* preset, const char* name, PresetPairs pairs)
{
    return StorePreset(preset, name, pairs, {});
}

bool IPlugBase::CopyPreset(int32_t srcIdx, int32_t dstIdx, bool copyName)
{
    if (srcIdx == dstIdx)
        return false;
    return CopyPresetFrom(GetPreset(srcIdx), dstIdx, copyName);
}

bool IPlugBase::CopyPresetFrom(const IPlugPreset* source, int32_t dstIdx, bool copyName)
{
    IPlugPreset* dest = GetPreset(dstIdx);
    if (!source || !dest || source == dest || !source->initialised)
        return false;
    if (!dest->state.Assign(source->state))
        return false;
    dest->initialised = true;
    if (copyName && source->name[0])
        CopyText(dest->name, source->name);
    return true;
}
