// Preset slots of IPlugBase: makers, recall, modification and copies.
#include "framework/core/IPlugBase.h"

#include "framework/core/CopyText.h"

#include <cassert>
#include <cstdio>
#include <cstring>
#include <vector>

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

// entries: one per parameter, kPresetValueNotGiven where the current value goes.
bool IPlugBase::StorePreset(IPlugPreset* target, const char* name, double* entries)
{
    target->initialised = true;
    CopyText(target->name, name);
    // Cleared first: a slot may hold state from an earlier ModifyPreset.
    target->state.Clear();
    PlatformLockGuard guard(lock);
    for (int32_t i = 0; i < NParams(); ++i)
    {
        if (entries[i] == kPresetValueNotGiven)
            entries[i] = GetParam(i)->Value();
        if (!target->state.PutDoubleLE(entries[i]))
            return false;
    }
    return true;
}

bool IPlugBase::MakePresetFromPairsInto(IPlugPreset* target, const char* name, PresetPairs pairs)
{
    if (!target)
        return false;
    std::vector<double> entries(static_cast<size_t>(NParams()), kPresetValueNotGiven);
    for (const PresetPair& pair : pairs)
        if (pair.index >= 0 && pair.index < NParams())
            entries[static_cast<size_t>(pair.index)] = EntryFor(GetParam(pair.index), pair.value);
    return StorePreset(target, name, entries.data());
}

bool IPlugBase::MakePresetFromValues(const char* name, PresetValues values)
{
    IPlugPreset* target = FirstFreePreset();
    if (!target)
        return false;
    std::vector<double> entries(static_cast<size_t>(NParams()), kPresetValueNotGiven);
    for (int32_t i = 0; i < NParams() && i < values.Size(); ++i)
        entries[static_cast<size_t>(i)] = EntryFor(GetParam(i), values.begin()[i]);
    return StorePreset(target, name, entries.data());
}

bool IPlugBase::MakePresetFromPairs(const char* name, PresetPairs pairs)
{
    return MakePresetFromPairsInto(FirstFreePreset(), name, pairs);
}

bool IPlugBase::MakePresetAtFromPairs(int32_t slotIndex, const char* name, PresetPairs pairs)
{
    return MakePresetFromPairsInto(GetPreset(slotIndex), name, pairs);
}

bool IPlugBase::FillPresetFromPairs(IPlugPreset* preset, const char* name, PresetPairs pairs)
{
    return MakePresetFromPairsInto(preset, name, pairs);
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
