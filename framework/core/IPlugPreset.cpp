#include "framework/core/IPlugPreset.h"

#include <cstdio>

IPlugPreset::IPlugPreset(int32_t slotIndex)
{
    std::snprintf(name, sizeof name, "%s %d", "empty", slotIndex);
}
