#pragma once
// What the editor's meter view shows, copied out of the engines under the
// plug-in lock (Sonvarek::TakeDueMeterValues), so that the UI thread never
// reads an engine that the audio thread is stepping or a stream change is
// replacing. Plain values; dB, LUFS and LU exactly as the engines read out.

#include <cstdint>

struct MeterSnapshot
{
    static constexpr int32_t kChannels = 6;

    // Which refreshes were due (and are now taken): the bar meters, every
    // 50 ms of audio, and the read-outs, every 200 ms.
    bool barsDue = false;
    bool readoutsDue = false;

    // The settings the values go with.
    int32_t meterType = 0;         // MeterType
    int32_t ebuChannelConfig = 0;  // EbuChannelConfig
    int32_t rmsOffset = 0;         // "RMS Offset"
    int32_t ebuOffset = 0;         // "EBU Offset"
    double rmsRefLevel = 0.0;      // dBFS
    double ebuRefLevel = 0.0;      // LUFS

    // Bar meters of the selected type, linear, in channel order: the held
    // maximum and the falling peak (sample peak for "RMS", true peak for "EBU").
    double barHeld[kChannels] = {};
    double barFalling[kChannels] = {};

    // "RMS" read-outs (PeakRmsEngine), dB rounded to a tenth.
    double rmsIntegratedDb = 0.0;
    double rmsDb = 0.0;
    double rmsMaxDb = 0.0;
    double peakMaxDb = 0.0;
    double rmsTruePeakMaxDb = 0.0;
    double crestDb = 0.0;

    // "EBU" read-outs (LoudnessEngine).
    double integratedLufs = 0.0;     // -141.0 until a block passed the absolute gate
    double shortTermLufs = 0.0;
    double shortTermMaxLufs = 0.0;
    double momentaryLufs = 0.0;
    double momentaryMaxLufs = 0.0;
    double ebuTruePeakMaxDb = 0.0;   // not rounded
    double rangeLu = 0.0;
    bool integratorHasData = false;  // a momentary block has been integrated
    bool shortTermFilled = false;    // the 3 s window has filled since the reset
    bool momentaryFilled = false;    // the 400 ms window likewise
    bool rangeHasBlocks = false;     // the range holds a stored block
};
