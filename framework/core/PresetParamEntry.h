#pragma once

#include "framework/core/ParamKind.h"

#include <cstdint>

// One preset member of a plug-in's table for IPlugPresetmanager::MarkPresetParams;
// a record whose identifier is null ends the table.
struct PresetParamEntry
{
    const char* identifier;  // the index's name ("kType")
    int32_t index;           // parameter index
    ParamKind kind;
    const char* format;      // printf format of the value ("%d", "%.1lf")
};
