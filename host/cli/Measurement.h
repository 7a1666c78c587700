#pragma once
// One input played through its own instance, as a host plays a track
// through an insert: render calls of a fixed block size, the transport
// playing, each value the instance publishes answered after the call. What
// the meter measured is read back from its output parameters.

#include "host/cli/input/AudioSource.h"
#include "host/cli/MeterHost.h"
#include "host/cli/MeterSettings.h"
#include "host/cli/TraceWriter.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// An output parameter's value as the module shows it: the number and its
// unit ("LU" or "dB" for a reading relative to the reference level, as the
// editor labels it).
struct MeterReading
{
    std::string name;
    double value = 0.0;
    std::string unit;
};

struct Measurement
{
    std::string error;    // empty when the input was measured
    std::string warning;  // a measured input that was not whole (cut short)
    // A live run stopped while its stream's header was awaited: nothing was
    // measured, and only the warning says so.
    bool stoppedBeforeAudio = false;
    int32_t sampleRate = 0;
    int32_t channels = 0;
    int64_t frames = 0;        // rendered
    int64_t nonFinite = 0;     // samples that were NaN or ±Inf, passed on as they were
    double seconds = 0.0;      // wall time of reading and rendering
    int64_t publications = 0;  // values the instance published
    std::string meterType;     // "Type" as text
    std::string channelConfig;  // the selected type's channel configuration as text
    std::vector<MeterReading> readings;  // the selected type's output parameters, in the effect's order
    std::vector<uint8_t> state;          // the state chunk after the run, when asked for
    MeterHost::Instance instance{nullptr, {nullptr}};  // the instance after the run, when asked for

    // Times real time.
    double Speed() const;
};

class RealTimePacer;

struct MeasureSetup
{
    int32_t block = 512;
    TraceWriter* trace = nullptr;  // receives every value requested of the host
    bool keepState = false;
    bool keepInstance = false;  // for a look at its editor afterwards
    std::atomic<int64_t>* progress = nullptr;  // frames rendered so far
    RealTimePacer* pacer = nullptr;  // null: as fast as it goes
    // Once set, the play stops before its next render call, as a stopped
    // pacer stops it (the caller ends a wait for the source: Interrupt).
    const std::atomic<bool>* stop = nullptr;
    bool answerRequests = true;  // after each render call; false: by the owner of the instance
};

// Plays source through a new instance of host with settings applied (the
// channel configuration matched to the source where the settings leave it
// open). A source that ends before the length it announces is measured as
// far as it goes, with a warning. Any thread; each call has its own instance.
Measurement Measure(MeterHost& host, const MeterSettings& settings, AudioSource& source, const MeasureSetup& setup);
