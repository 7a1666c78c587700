#pragma once
// A plug-in for the editor's tests: four parameters on the plug-in base and
// records of everything the editor asks of it.

#include "tests/support/StubPlug.h"

#include <functional>
#include <string>
#include <vector>

enum SurfacePlugParam : int32_t
{
    kParamGain,    // double -60 .. 0 dB, step 0.1, default -20
    kParamCount,   // integer 0 .. 10, default 3
    kParamMode,    // choice "RMS" / "EBU" / "Peak", default "EBU"
    kParamFixed,   // double 5 .. 5: an empty range
    kSurfaceParams,
};

class SurfacePlug : public StubPlug
{
public:
    explicit SurfacePlug(int32_t plugApi = 4);

    void HandleParamChange(int32_t idx) override { changes.push_back(idx); }
    void IdleRefresh() override
    {
        if (onIdle)
            onIdle();
    }
    void OnControlsReset() override { ++controlsResets; }
    void BeginParamGesture(int32_t idx) override { gestures.push_back("begin " + std::to_string(idx)); }
    void EndParamGesture(int32_t idx) override { gestures.push_back("end " + std::to_string(idx)); }
    void SendParamToHost(int32_t idx, double unit) override { sent.push_back({idx, unit}); }
    bool ResizeHostView(int32_t width, int32_t height, int32_t flag) override;

    struct Sent
    {
        int32_t idx;
        double unit;
    };
    std::vector<Sent> sent;
    std::vector<int32_t> changes;
    std::vector<std::string> gestures;
    std::vector<std::string> hostViewSizes;  // "w x h keep"
    int32_t controlsResets = 0;
    // Runs on each IdleRefresh (the meter plug-in sets its controls there).
    std::function<void()> onIdle;
};
