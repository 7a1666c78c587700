#pragma once
// A plug-in with a preset manager: two factory presets, "Quiet" (parameter 0
// at -40.0) and "Choice 2" (parameter 2 at 2), and a captured default.

#include "framework/core/IPlugPresetmanager.h"
#include "support/TestPlug.h"

class TestPresetPlug : public TestPlug, public IPlugPresetmanager
{
public:
    explicit TestPresetPlug(int32_t nPresets = 3, int32_t nParams = 4) : TestPlug("1-1 2-2", nParams, nPresets)
    {
        SetOwner(this);
    }

    int32_t MakeFactoryPresets() override
    {
        MakePresetFromPairs("Quiet", {{0, -40.0}});
        MakePresetFromPairs("Choice 2", {{2, 2}});
        return 2;
    }
    void CaptureDefaultPreset(IPlugPreset* preset) override { FillPresetFromPairs(preset, "Factory Default", {}); }
};
