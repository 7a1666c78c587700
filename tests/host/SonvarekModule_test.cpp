// The meter through the real module boundary: the module loaded across
// dlopen, registered with the stand-in host, an instance made through the
// registered procedure and rendered through the registered render procedure.

#include "host/HostAudio.h"
#include "host/HostChunkRecord.h"
#include "host/HostInstance.h"
#include "host/HostModule.h"
#include "host/HostString.h"
#include "host/StandInHost.h"
#include "platform/AAXResults.h"
#include "platform/FourCharCode.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Event = HostAutomationEvent;

constexpr uint32_t kQZ17 = FourCharCode("QZ17");
constexpr int32_t kStateBytes = 29 * 8;

double DoubleAt(const Bytes& chunk, int32_t index)
{
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | chunk.at(static_cast<size_t>(index * 8 + i));
    double v = 0.0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

class SonvarekModule : public ::testing::Test
{
protected:
    SonvarekModule() : env(data.Path().c_str(), home.Path().c_str()) {}

    void SetUp() override
    {
        ASSERT_TRUE(module.Load(SONVAREK_MODULE_PATH)) << module.Error();
        ASSERT_EQ(module.startup(host.Unknown()), 0);
        IACFUnknown* definition = nullptr;
        ASSERT_EQ(module.registerPlugin(host.Unknown(), &definition), 0);
        definition->Relinquish();
        HostStreamState stream;  // stereo at 48 kHz
        std::string error;
        instance = HostInstance::Create(host, host.Record().description.effects.at(0), stream, &error);
        ASSERT_NE(instance, nullptr) << error;
    }

    void TearDown() override
    {
        instance.reset();
        if (module.Loaded())
        {
            EXPECT_EQ(module.canUnloadNow(host.Unknown()), 0);
            EXPECT_EQ(module.shutdown(host.Unknown()), 0);
        }
        EXPECT_EQ(host.LiveObjects(), 0);
    }

    std::string Text(const char* id, int32_t maxChars = HostInstance::kTextMax)
    {
        std::string text;
        EXPECT_EQ(instance->Text(id, &text, maxChars), 0) << id;
        return text;
    }

    std::string Formatted(const char* id, double normalized, int32_t maxChars)
    {
        HostString text;
        EXPECT_EQ(instance->Effect().FormatParameterValue(id, normalized, &text, maxChars), 0) << id;
        return text.Text();
    }

    Bytes Chunk()
    {
        Bytes chunk;
        EXPECT_EQ(instance->GetChunk(kQZ17, &chunk), 0);
        return chunk;
    }

    TempFolder data;
    TempFolder home;
    DataHomeOverride env;
    StandInHost host;
    HostModule module;
    std::unique_ptr<HostInstance> instance;
};

TEST_F(SonvarekModule, TheHostSeesThirtyParametersByNameStepsAndKind)
{
    struct Expected
    {
        const char* name;
        int32_t steps;  // 128: continuous (kind 1); fewer: a list (kind 0)
    };
    const Expected expected[] = {
        {"Master Bypass", 2},           {"GUI Scale", 128},
        {"GUI Layout", 128},            {"Type", 2},
        {"Sync", 128},                  {"WriteAutomationData", 128},
        {"RMS Channel Config", 5},      {"RMS Gain", 128},
        {"RMS RefLevel", 128},          {"RMS Meter Mode", 3},
        {"RMS Window", 128},            {"RMS Offset", 128},
        {"RMS Weighting Filer Mode", 7}, {"OUT:RMS IL", 128},
        {"OUT:RMS ML", 128},            {"OUT:RMS ML Max", 128},
        {"OUT:RMS Peak Max", 128},      {"OUT:RMS TP Max", 128},
        {"OUT:RMS Crest", 128},         {"EBU Channel Config", 5},
        {"EBU Gain", 128},              {"EBU RefLevel", 128},
        {"EBU Offset", 128},            {"OUT:EBU IL", 128},
        {"OUT:EBU ML", 128},            {"OUT:EBU ML Max", 128},
        {"OUT:EBU SL", 128},            {"OUT:EBU SL Max", 128},
        {"OUT:EBU TP Max", 128},        {"OUT:EBU LRA", 128},
    };
    const std::vector<HostParameterInfo> parameters = instance->Parameters();
    ASSERT_EQ(parameters.size(), 30u);
    for (size_t i = 0; i < parameters.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(parameters[i].id, i == 0 ? std::string("MasterBypassID") : std::to_string(i));
        EXPECT_EQ(parameters[i].name, expected[i].name);
        EXPECT_EQ(parameters[i].steps, expected[i].steps);
        EXPECT_EQ(parameters[i].kind, expected[i].steps == 128 ? 1 : 0);
        EXPECT_TRUE(parameters[i].automatable);
    }
    HostString bypass;
    instance->Effect().BypassParameterID(&bypass);
    EXPECT_EQ(bypass.Text(), "MasterBypassID");
    int32_t index = 0;
    EXPECT_EQ(instance->Effect().IndexOfParameter("29", &index), 0);
    EXPECT_EQ(index, 29);
    EXPECT_EQ(instance->Effect().IndexOfParameter("30", &index), kAAXResultInvalidParameterID);
}

TEST_F(SonvarekModule, TextsParsingAndNormalisedValues)
{
    EXPECT_EQ(Text("21"), "-23.00LUFS");
    EXPECT_EQ(Text("3"), "RMS");
    EXPECT_EQ(Text("10"), "600.00ms");
    EXPECT_EQ(Text("2"), "1.00");  // an integer without unit
    const double refPosition = 37.0 / 72.0;  // -23 over -60 .. 12
    EXPECT_EQ(Formatted("21", refPosition, 10), "-23.00LUFS");
    EXPECT_EQ(Formatted("21", refPosition, 6), "-23.00");
    EXPECT_EQ(Formatted("21", refPosition, 4), "-23");
    EXPECT_EQ(Formatted("12", 1.0, 3), "Leq(A)+3");

    double normalized = 0.0;
    EXPECT_EQ(instance->Normalized("21", &normalized), 0);
    EXPECT_NEAR(normalized, refPosition, 1e-12);
    EXPECT_EQ(instance->Normalized("10", &normalized), 0);
    EXPECT_NEAR(normalized, std::pow(590.0 / 9990.0, 1.0 / 2.5), 1e-12);  // the window's exponent

    EXPECT_EQ(instance->SetText("21", "-16.00LUFS"), 0);
    EXPECT_EQ(Text("21"), "-16.00LUFS");
    EXPECT_EQ(DoubleAt(Chunk(), 20), -16.0);
    EXPECT_EQ(instance->SetText("12", "Leq(M)"), 0);
    EXPECT_EQ(DoubleAt(Chunk(), 11), 5.0);
    EXPECT_EQ(instance->SetText("21", "loud"), kAAXResultInvalidText);
    EXPECT_EQ(instance->SetNormalized("10", 0.5), 0);
    EXPECT_DOUBLE_EQ(DoubleAt(Chunk(), 9), 10.0 + 9990.0 * std::pow(0.5, 2.5));
}

TEST_F(SonvarekModule, OneStateChunkOfTheValuesThatRoundTripsExactly)
{
    EXPECT_EQ(instance->ChunkIDs(), std::vector<uint32_t>{kQZ17});
    int32_t size = 0;
    EXPECT_EQ(instance->Effect().GetStateChunkSize(kQZ17, &size), 0);
    EXPECT_EQ(size, kStateBytes);
    const Bytes defaults = Chunk();
    ASSERT_EQ(defaults.size(), static_cast<size_t>(kStateBytes));
    EXPECT_EQ(DoubleAt(defaults, 0), 1.0);     // GUI Scale
    EXPECT_EQ(DoubleAt(defaults, 7), -18.0);   // RMS RefLevel
    EXPECT_EQ(DoubleAt(defaults, 9), 600.0);   // RMS Window
    EXPECT_EQ(DoubleAt(defaults, 20), -23.0);  // EBU RefLevel
    EXPECT_EQ(DoubleAt(defaults, 22), -70.0);  // OUT:EBU IL
    EXPECT_EQ(Bytes(defaults.begin() + 160, defaults.begin() + 168), (Bytes{0, 0, 0, 0, 0, 0, 0x37, 0xC0}));

    ASSERT_EQ(instance->SetText("7", "-7.30dB"), 0);
    ASSERT_EQ(instance->SetNormalized("10", 0.3), 0);
    const Bytes changed = Chunk();
    ASSERT_EQ(instance->SetChunk(kQZ17, defaults), 0);
    instance->DeliverRequests();
    EXPECT_EQ(Chunk(), defaults);
    EXPECT_EQ(Text("7"), "0.00dB");
    ASSERT_EQ(instance->SetChunk(kQZ17, changed), 0);
    instance->DeliverRequests();
    EXPECT_EQ(Chunk(), changed);
    bool equal = false;
    EXPECT_EQ(instance->CompareChunk(kQZ17, changed, &equal), 0);
    EXPECT_TRUE(equal);
    EXPECT_EQ(instance->CompareChunk(kQZ17, defaults, &equal), 0);
    EXPECT_FALSE(equal);
    EXPECT_EQ(instance->SetChunk(kQZ17, Bytes(defaults.begin(), defaults.end() - 1)), kAAXResultWrongDataSize);
    EXPECT_EQ(Chunk(), changed);
}

TEST_F(SonvarekModule, OutputParametersArePublishedAtFrame2400AsTouchRequestRelease)
{
    ASSERT_EQ(instance->SetText("5", "1.00"), 0);  // WriteAutomationData
    instance->DeliverRequests();
    instance->ClearAutomation();
    HostAudio in(2, 2400);
    HostAudio out(2, 2400);
    for (int32_t c = 0; c < 2; ++c)
        for (size_t i = 0; i < 2400; ++i)
            in.Channel(c)[i] = static_cast<float>(0.5 * std::sin(0.05 * static_cast<double>(i)));
    instance->Render(in.Buffers(), out.Buffers(), 2399);
    EXPECT_TRUE(instance->Automation().empty());
    instance->Render(in.Buffers(), out.Buffers(), 1);

    std::vector<Event> expected;
    for (const char* id : {"13", "14", "15", "16", "17", "18"})  // the RMS outputs
    {
        expected.push_back({Event::kTouch, id, 0.0});
        expected.push_back({Event::kRequest, id, 0.0});
        expected.push_back({Event::kRelease, id, 0.0});
    }
    std::vector<Event> events = instance->Automation();
    ASSERT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < events.size(); ++i)
    {
        EXPECT_EQ(events[i].kind, expected[i].kind) << i;
        EXPECT_EQ(events[i].id, expected[i].id) << i;
    }
    EXPECT_EQ(instance->DeliverRequests(), 6);
    EXPECT_EQ(Text("16"), "-6.00dBFS");  // OUT:RMS Peak Max of a 0.5 sine, to a tenth
}

TEST_F(SonvarekModule, TheGainIsAppliedAndBypassPassesTheInputBitExact)
{
    ASSERT_EQ(instance->SetText("7", "6.00dB"), 0);  // RMS Gain
    const double gainDb = DoubleAt(Chunk(), 6);
    EXPECT_NEAR(gainDb, 6.0, 1e-12);
    const double factor = std::exp(gainDb * 0.11512925464970228);
    HostAudio in(2, 3000);
    for (int32_t c = 0; c < 2; ++c)
        for (size_t i = 0; i < 3000; ++i)
            in.Channel(c)[i] = static_cast<float>(0.3 * std::sin(0.01 * static_cast<double>(i + 7u * c)));
    HostAudio out(2, 3000);
    instance->Render(in.Buffers(), out.Buffers(), 3000);
    for (int32_t c = 0; c < 2; ++c)
        for (size_t i = 0; i < 3000; ++i)
            ASSERT_EQ(out.Channel(c)[i], static_cast<float>(static_cast<double>(in.Channel(c)[i]) * factor)) << c << i;

    ASSERT_EQ(instance->SetNormalized("MasterBypassID", 1.0), 0);
    HostAudio bypassed(2, 3000);
    instance->Render(in.Buffers(), bypassed.Buffers(), 3000);
    for (int32_t c = 0; c < 2; ++c)
        EXPECT_EQ(std::memcmp(bypassed.Channel(c).data(), in.Channel(c).data(), 3000 * sizeof(float)), 0) << c;
}

}  // namespace
