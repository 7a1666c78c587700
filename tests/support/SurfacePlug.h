#pragma once
// A plug-in for the editor's and the controls' tests: five parameters on the
// plug-in base and records of everything the editor asks of it. Header-only.

#include "platform/FourCharCode.h"
#include "tests/support/StubPlug.h"

#include <functional>
#include <string>
#include <vector>

enum SurfacePlugParam : int32_t
{
    kParamGain,   // double -60 .. 0 dB, step 0.1, default -20
    kParamCount,  // integer 0 .. 10, default 3; no display texts
    kParamMode,   // choice "RMS" / "EBU" / "Peak", default "EBU"
    kParamFixed,  // double 5 .. 5: an empty range
    kParamSolo,   // choice of the one text "Only one choice to make"
    kSurfaceParams,
};

class SurfacePlug : public StubPlug
{
public:
    explicit SurfacePlug(int32_t plugApi = 4)
        : StubPlug(kSurfaceParams, "2-2", 1, "Test", "Product", "Maker", 0x00010000,
                   static_cast<int32_t>(FourCharCode("QZ17")), static_cast<int32_t>(FourCharCode("QZLV")), 0, false,
                   false, false, plugApi)
    {
        GetParam(kParamGain)->InitRange("Gain", -20.0, -60.0, 0.0, 0.1, "dB");
        GetParam(kParamCount)->InitIntRange("Count", 3, 0, 10, "x");
        GetParam(kParamMode)->InitChoice("Mode", 1, 3);
        GetParam(kParamMode)->AddDisplayText(0, "RMS");
        GetParam(kParamMode)->AddDisplayText(1, "EBU");
        GetParam(kParamMode)->AddDisplayText(2, "Peak");
        GetParam(kParamFixed)->InitRange("Fixed", 5.0, 5.0, 5.0, 0.0);
        GetParam(kParamSolo)->InitChoice("Solo", 0, 1);
        GetParam(kParamSolo)->AddDisplayText(0, "Only one choice to make");
    }

    // Parameter indices into changes; indices from kSurfaceParams on are
    // commands, kept with whether a button was held on the editor.
    void HandleParamChange(int32_t idx) override
    {
        if (idx < NParams())
            return changes.push_back(idx);
        commands.push_back(idx);
        heldAtCommand.push_back(GetEditor() && GetEditor()->IsMouseButtonHeld());
    }
    void IdleRefresh() override
    {
        if (onIdle)
            onIdle();
    }
    void OnControlsReset() override { ++controlsResets; }
    void BeginParamGesture(int32_t idx) override { gestures.push_back("begin " + std::to_string(idx)); }
    void EndParamGesture(int32_t idx) override { gestures.push_back("end " + std::to_string(idx)); }
    void SendParamToHost(int32_t, double unit) override { sent.push_back(unit); }
    bool ResizeHostView(int32_t width, int32_t height, int32_t flag) override
    {
        hostViewSizes.push_back(std::to_string(width) + " x " + std::to_string(height) + " " + std::to_string(flag));
        return true;
    }

    std::vector<double> sent;  // unit values, in order
    std::vector<int32_t> changes;
    std::vector<int32_t> commands;
    std::vector<bool> heldAtCommand;
    std::vector<std::string> gestures;
    std::vector<std::string> hostViewSizes;  // "w x h keep"
    int32_t controlsResets = 0;
    // Runs on each IdleRefresh (the meter plug-in sets its controls there).
    std::function<void()> onIdle;
};
