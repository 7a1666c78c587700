#pragma once
// A test double of the plug-in base's seams: a binding-and-plug-in that
// records what the base asks of the host.

#include "tests/support/StubPlug.h"

#include <vector>

struct SentValue
{
    int32_t idx;
    double unit;
};

// Unique ID "QZ17", version 1.2.0. By default "1-1 2-2" with four parameters: 0 double -60..0, 1 integer 0..4,
// 2 choice of 3, 3 double 1..3 step 0.1.
class TestPlug : public StubPlug
{
public:
    explicit TestPlug(const char* io = "1-1 2-2", int32_t nParams = 4, int32_t nPresets = 3, int32_t latency = 0,
                      bool doesChunks = false);

    void HandleParamChange(int32_t idx) override;
    void RunAudioBlock(double** inputs, double** outputs, int32_t nFrames) override;

    void SendParamToHost(int32_t idx, double unit) override { sent.push_back({idx, unit}); }
    void AnnounceProgramLoaded() override { ++programsLoaded; }

    std::vector<SentValue> sent;
    std::vector<int32_t> changes;
    // One entry per RunAudioBlock of the plug-in's own: the frame count.
    std::vector<int32_t> blocks;
    double** lastInputs = nullptr;
    double** lastOutputs = nullptr;
    // The plug-in's processing: outputs = inputs * gain (inputs it lacks read 0).
    double gain = 2.0;
    int programsLoaded = 0;
};
