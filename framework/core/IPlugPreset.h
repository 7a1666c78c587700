#pragma once
// One preset slot of the plug-in: a name and the state it recalls.

#include "framework/core/IStateChunk.h"

#include <cstdint>

constexpr int32_t kPresetNameMax = 255;

struct IPlugPreset
{
    // A record outside the slot list, unnamed.
    IPlugPreset() = default;
    // An empty slot, named "empty <slotIndex>".
    explicit IPlugPreset(int32_t slotIndex);

    bool initialised = false;           // false while the slot is empty
    char name[kPresetNameMax + 1] = {};
    IStateChunk state;
    bool fromFile = false;              // read from the user's program files
};
