#pragma once
// The meter's preset members: the only parameters that recalling a preset
// (factory preset, user program file, "default.fxp") restores. Ends with a
// record whose identifier is null.

#include "framework/core/PresetParamEntry.h"

extern const PresetParamEntry kMeterPresetParams[];
