#pragma once
// The built-in programme: a stereo 1 kHz sine at 48 kHz, -26 dBFS for 20 s,
// -20 dBFS for 20.1 s, -26 dBFS for 20 s (both channels alike). Its
// integrated loudness is -23.0 LUFS.

#include "host/cli/input/AudioSource.h"

class TestProgramme final : public AudioSource
{
public:
    static constexpr double kIntegratedLufs = -23.0;

    TestProgramme();

    int32_t SampleRate() const override { return kRate; }
    int32_t Channels() const override { return 2; }
    int64_t Frames() const override;
    int32_t Read(float* const* channels, int32_t frames) override;

private:
    static constexpr int32_t kRate = 48000;
    static constexpr int32_t kPeriod = 48;  // 1 kHz at 48 kHz repeats every 48 frames

    double sine[kPeriod];
    int64_t position = 0;  // the phase runs on across segments
};
