#include "host/cli/InputPlayer.h"

#include "host/HostAudio.h"
#include "host/HostString.h"
#include "host/cli/input/ReadAhead.h"
#include "host/cli/RealTimePacer.h"
#include "platform/AAX_ITransport.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr int32_t kLowestRate = 8000;
constexpr int32_t kHighestRate = 384000;

// "-23.00LUFS" as -23.0 and "LUFS".
MeterReading Reading(const std::string& name, const std::string& text)
{
    MeterReading reading;
    reading.name = name;
    char* end = nullptr;
    reading.value = std::strtod(text.c_str(), &end);
    reading.unit = end;
    return reading;
}

std::string TextOf(const HostInstance& instance, const HostParameterInfo* parameter)
{
    std::string text;
    if (parameter)
        instance.Text(parameter->id.c_str(), &text);
    return text;
}

// The values requested since the last call: into the trace, counted.
void TakePublications(HostInstance& instance, const MeterSettings& settings, int64_t frame, TraceWriter* trace,
                      Measurement& result)
{
    for (const HostAutomationEvent& event : instance.TakeAutomation())
    {
        if (event.kind != HostAutomationEvent::kRequest)
            continue;
        ++result.publications;
        if (!trace)
            continue;
        const HostParameterInfo* parameter = settings.FindID(event.id);
        if (!parameter)
            continue;
        HostString text;
        instance.Effect().FormatParameterValue(event.id.c_str(), event.value, &text, HostInstance::kTextMax);
        trace->Row(frame, event.id, parameter->name, Reading(parameter->name, text.Text()).value);
    }
}

// The readings a meter type gives relative to its reference level while its
// offset is on, and their unit then, as the editor labels them; the output
// parameters keep their absolute unit.
struct RelativeReadings
{
    const char* type;
    const char* unit;
    std::vector<std::string> outputs;
};

const RelativeReadings* RelativeReadingsOf(const std::string& type)
{
    static const RelativeReadings kTypes[] = {
        {"EBU", "LU", {"OUT:EBU IL", "OUT:EBU ML", "OUT:EBU ML Max", "OUT:EBU SL", "OUT:EBU SL Max"}},
        {"RMS", "dB", {"OUT:RMS IL", "OUT:RMS ML", "OUT:RMS ML Max"}},
    };
    for (const RelativeReadings& readings : kTypes)
        if (type == readings.type)
            return &readings;
    return nullptr;
}

bool OffsetOn(const HostInstance& instance, const MeterSettings& settings, const std::string& type)
{
    const HostParameterInfo* offset = settings.Find(type + " Offset");
    double value = 0.0;
    return offset && instance.Normalized(offset->id.c_str(), &value) == 0 && value >= 0.5;
}

void ReadMeters(const HostInstance& instance, const MeterSettings& settings, Measurement& result)
{
    result.meterType = TextOf(instance, settings.Find(MeterSettings::kMeterType));
    result.channelConfig = TextOf(instance, settings.Find(result.meterType + " Channel Config"));
    const RelativeReadings* relative =
        OffsetOn(instance, settings, result.meterType) ? RelativeReadingsOf(result.meterType) : nullptr;
    const std::string prefix = "OUT:" + result.meterType + " ";
    for (const HostParameterInfo& parameter : settings.Parameters())
        if (parameter.name.compare(0, prefix.size(), prefix) == 0)
        {
            result.readings.push_back(Reading(parameter.name, TextOf(instance, &parameter)));
            if (relative && std::find(relative->outputs.begin(), relative->outputs.end(), parameter.name) !=
                                relative->outputs.end())
                result.readings.back().unit = relative->unit;
        }
}

}  // namespace

InputPlayer::InputPlayer(MeterHost& host, const MeterSettings& settings, AudioSource& source,
                         const MeasureSetup& setup)
    : settings(settings), source(source), setup(setup)
{
    result.sampleRate = source.SampleRate();
    result.channels = source.Channels();
    if (result.sampleRate < kLowestRate || result.sampleRate > kHighestRate)
    {
        result.error = FormatText("unsupported sample rate %d Hz (the host plays %d to %d Hz)", result.sampleRate,
                                  kLowestRate, kHighestRate);
        return;
    }
    if (source.Frames() == 0)
    {
        result.error = "no audio frames";
        return;
    }
    placement = settings.SpeakersGiven() ? ChannelsAsTheyCome(result.channels)
                                         : PlaceChannels(source.Speakers(), result.channels);
    instance = host.NewInstance(placement.insertChannels, result.sampleRate, &result.error);
    if (instance && !settings.ApplyTo(*instance, placement, &result.error))
        instance.reset();
}

void InputPlayer::Play()
{
    if (!instance)
        return;
    // The blocks are rendered in place, from the chunks read ahead.
    ReadAhead ahead(source, setup.block, setup.pacer ? ReadAhead::Pace::kRealTime : ReadAhead::Pace::kWholeBlocks);
    HostAudio out(placement.insertChannels, setup.block);
    // The insert's channels, each the input's channel placed there or silence.
    const bool placed = !placement.AsTheyCome();
    HostAudio silence(1, placed ? setup.block : 0);
    std::vector<float*> inserted(static_cast<size_t>(placement.insertChannels));
    HostStreamState& transport = instance->Stream();
    const double ticksPerFrame = kAAXTicksPerQuarterNote * transport.tempo / 60.0 / result.sampleRate;
    const auto start = std::chrono::steady_clock::now();
    bool stalled = false;
    for (;;)
    {
        if ((setup.stop && setup.stop->load(std::memory_order_relaxed)) ||
            (setup.pacer && !setup.pacer->WaitUntilDue(result.frames, result.sampleRate)))
        {
            stoppedEarly = true;
            break;
        }
        float* const* in = nullptr;
        int32_t nonFinite = 0;
        const int32_t frames = ahead.Next(&in, &nonFinite);
        // A stream that stalls: the pacer is asked again (a stop ends the
        // wait), and the play goes on at real time once frames come.
        if (frames == ReadAhead::kWaiting)
        {
            stalled = true;
            continue;
        }
        if (stalled && frames > 0)
            setup.pacer->Resume(result.frames, result.sampleRate);
        stalled = false;
        if (frames < 0)
        {
            readError = ahead.Error();
            break;
        }
        if (frames == 0)
            break;
        result.nonFinite += nonFinite;
        if (placed)
        {
            for (size_t i = 0; i < inserted.size(); ++i)
                inserted[i] = placement.from[i] < 0 ? silence.Buffers()[0] : in[placement.from[i]];
            in = inserted.data();
        }
        instance->Render(in, out.Buffers(), frames);
        result.frames += frames;
        transport.samplePosition = result.frames;
        transport.tickPosition = std::llround(static_cast<double>(result.frames) * ticksPerFrame);
        if (setup.answerRequests)
            instance->DeliverRequests();
        TakePublications(*instance, settings, result.frames, setup.trace, result);
        if (setup.progress)
            setup.progress->store(result.frames, std::memory_order_relaxed);
    }
    // The programme ends when its last frame has been heard.
    if (setup.pacer && !stoppedEarly)
        setup.pacer->WaitUntilDue(result.frames, result.sampleRate);
    // However the play ended, the transport stops and a render call of no
    // frames tells the instance so, as a host's next call would: the meter
    // publishes what it measured after the last frame played.
    transport.playing = false;
    instance->Render(out.Buffers(), out.Buffers(), 0);
    if (setup.answerRequests)
        instance->DeliverRequests();
    TakePublications(*instance, settings, result.frames, setup.trace, result);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Measurement InputPlayer::Finish()
{
    if (!result.error.empty())
        return std::move(result);
    const int64_t declared = source.Frames();
    if (!readError.empty())
    {
        // Failing short of the declared length, after audio came: the
        // decoder met the cut of a file cut short.
        if (result.frames == 0 || result.frames >= declared)
        {
            result.error = "cannot read: " + readError;
            return std::move(result);
        }
    }
    if (stoppedEarly)
        result.warning = declared > 0 ? FormatText("stopped early: %lld frames played of %lld",
                                                   static_cast<long long>(result.frames),
                                                   static_cast<long long>(declared))
                                      : FormatText("stopped early: %lld frames played",
                                                   static_cast<long long>(result.frames));
    else if (result.frames == 0)
    {
        result.error = "no audio frames";
        return std::move(result);
    }
    else if (result.frames < declared)
        result.warning = FormatText("cut short: %lld frames read of the %lld its header declares",
                                    static_cast<long long>(result.frames), static_cast<long long>(declared)) +
                         (readError.empty() ? "" : " (" + readError + ")");
    for (const std::string& warning : {source.Warning(), placement.warning})
        if (!warning.empty())
            result.warning += (result.warning.empty() ? "" : "; ") + warning;
    ReadMeters(*instance, settings, result);
    const std::vector<uint32_t> chunks = instance->ChunkIDs();
    if (setup.keepState && !chunks.empty())
        instance->GetChunk(chunks.front(), &result.state);
    if (setup.keepInstance)
        result.instance = std::move(instance);
    return std::move(result);
}
