#include "framework/aax/AAX_CBinaryDisplayDelegate.h"
#include "framework/aax/AAX_CBinaryTaperDelegate.h"
#include "host/HostChunkRecord.h"
#include "host/StandInHost.h"
#include "platform/AAXResults.h"
#include "platform/ACFInterfaceIDs.h"
#include "platform/FourCharCode.h"
#include "support/TestEffect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr uint32_t kElck = AAX_CEffectParameters::kControlsStateChunkID;
constexpr uint32_t kQZ17 = FourCharCode("QZ17");

// The references held on a host object besides its maker's.
uint32_t HeldReferences(IACFUnknown* object)
{
    const uint32_t count = object->Retain();
    object->Relinquish();
    return count - 2;
}

// The lines of the stand-in host's log since `from` that contain `part`.
Lines CallsSince(const StandInHost& host, size_t from, const char* part = "")
{
    Lines lines;
    for (size_t i = from; i < host.Calls().size(); ++i)
        if (host.Calls()[i].find(part) != std::string::npos)
            lines.push_back(host.Calls()[i]);
    return lines;
}

class EffectParameters : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(effect->AttachToHost(host.RunTime()), 0); }

    // The effect as the host calls it.
    AAX_IACFEffectParameters_V2& Host() { return *effect; }

    double Normalized(const char* id)
    {
        double normalized = -1.0;
        EXPECT_EQ(Host().QueryNormalized(id, &normalized), 0) << id;
        return normalized;
    }

    int32_t Changes()
    {
        int32_t changes = 0;
        Host().CountChanges(&changes);
        return changes;
    }

    // The controls-state chunk as the host gets it.
    HostChunkRecord ControlsState()
    {
        int32_t size = 0;
        EXPECT_EQ(Host().GetStateChunkSize(kElck, &size), 0);
        HostChunkRecord chunk(size, kElck);
        EXPECT_EQ(Host().GetStateChunk(kElck, &chunk.Record()), 0);
        return chunk;
    }

    StandInHost host;
    TestEffectRef effect;
};

TEST_F(EffectParameters, AttachRegistersTheParametersAndFiltersTheBypass)
{
    void* answer = nullptr;
    ASSERT_EQ(effect->LookupInterface(kIID_EffectParameters2, &answer), 0);
    EXPECT_EQ(static_cast<AAX_IACFEffectParameters_V2*>(answer)->Reserved2(), kAAXResultNotImplemented);
    static_cast<AAX_IACFEffectParameters_V2*>(answer)->Relinquish();
    EXPECT_EQ(effect->LookupInterface(kIID_EffectGUI, &answer), kACFResultNoInterface);

    EXPECT_EQ(CallsSince(host, 0, "Register"),
              (Lines{"runtime1.RegisterParameter(\"MasterBypassID\")", "runtime1.RegisterParameter(\"1\")",
                     "runtime1.RegisterParameter(\"2\")", "runtime1.RegisterParameter(\"3\")"}));
    EXPECT_EQ(effect->UnfilteredParameterCount(), 3);
}

TEST_F(EffectParameters, UnknownIdentifiersAndNullOuts)
{
    int32_t value = 5;
    AAX_CString text("x");
    EXPECT_EQ(Host().IndexOfParameter("9", &value), kAAXResultInvalidParameterID);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(Host().ParameterIDAt(4, &text), kAAXResultInvalidParameterID);  // one past the end
    EXPECT_STREQ(text.Get(), "");
    EXPECT_EQ(Host().AssignNormalized("9", 0.5), kAAXResultInvalidParameterID);
    AAX_IParameter* parameter = effect->Registry().At(0);
    EXPECT_EQ(Host().LookupParameter("9", &parameter), kAAXResultInvalidParameterID);
    EXPECT_EQ(parameter, nullptr);
    EXPECT_EQ(Host().QueryParameterName("9", &text), 0);  // an empty name, not an error
    EXPECT_STREQ(text.Get(), "");
    EXPECT_EQ(Host().QueryNormalized("1", nullptr), kACFResultNullPointer);
    EXPECT_EQ(Host().CountParameters(nullptr), kACFResultNullPointer);
    EXPECT_EQ(Host().GetStateChunk(kElck, nullptr), kACFResultNullPointer);
}

TEST_F(EffectParameters, FittingNamesPickTheLongestLineThatFits)
{
    AAX_IParameter* gain = effect->Registry().FindByID("2");
    gain->SetFullName(AAX_CString("Output Gain Level"));
    gain->AddAbbreviation(AAX_CString("Gain\nGn\nG"));
    const std::pair<int32_t, const char*> cases[] = {{3, "Gn"}, {1, "G"}, {0, ""}, {40, "Output Gain Level"}};
    AAX_CString name;
    for (const auto& [maxChars, expected] : cases)
    {
        EXPECT_EQ(Host().QueryParameterNameFitting("2", &name, maxChars), 0);
        EXPECT_STREQ(name.Get(), expected) << "max chars " << maxChars;
    }
    gain->ClearAbbreviations();
    gain->AddAbbreviation(AAX_CString("Output\nGain Lvl"));
    EXPECT_EQ(Host().QueryParameterNameFitting("2", &name, 5), 0);
    EXPECT_STREQ(name.Get(), "Outpu");  // nothing fits: the first 5 bytes
    EXPECT_EQ(Host().QueryParameterNameFitting("9", &name, 4), 0);
    EXPECT_STREQ(name.Get(), "");
    EXPECT_EQ(Host().QueryParameterNameFitting("2", nullptr, 4), kAAXResultInvalidParameterID);
}

TEST_F(EffectParameters, ValueRequestsGoThroughTheHostsAutomation)
{
    const size_t mark = host.Calls().size();
    EXPECT_EQ(Host().AssignNormalized("3", 0.5), 0);
    EXPECT_EQ(Host().AssignNormalizedRelative("2", 0.9), 0);  // 0.8333 + 0.9: exactly 1.0
    EXPECT_EQ(Host().AssignNormalizedRelative("2", -3.0), 0);
    EXPECT_EQ(CallsSince(host, mark, "Request"),
              (Lines{"runtime1.RequestParameterValue(\"3\", 0.500000)",
                     "runtime1.RequestParameterValue(\"2\", 1.000000)",
                     "runtime1.RequestParameterValue(\"2\", 0.000000)"}));
    EXPECT_DOUBLE_EQ(Normalized("3"), 0.3);  // unchanged until the host applies it
}

TEST_F(EffectParameters, HostValuesAreClampedAndNaNRefused)
{
    const int32_t before = Changes();
    AAX_CString text;
    EXPECT_EQ(Host().ApplyHostParamValue("3", kNaN, 0), kAAXResultInvalidText);
    EXPECT_EQ(Host().AssignNormalized("3", kNaN), kAAXResultInvalidText);
    EXPECT_EQ(Host().AssignDefaultNormalized("3", kNaN), kAAXResultInvalidText);
    EXPECT_EQ(Host().FormatParameterValue("3", kNaN, &text, 8), kAAXResultInvalidText);
    EXPECT_EQ(Host().ApplyHostParamValueRelative("3", kNaN), kAAXResultInvalidText);
    EXPECT_DOUBLE_EQ(Normalized("3"), 0.3);
    EXPECT_EQ(Changes(), before);

    EXPECT_EQ(Host().ApplyHostParamValue("3", 1.5, 0), 0);
    EXPECT_EQ(Normalized("3"), 1.0);
    EXPECT_EQ(Host().ApplyHostParamValue("2", -kInf, 0), 0);
    EXPECT_EQ(Normalized("2"), 0.0);
    EXPECT_EQ(Host().FormatParameterValue("2", kInf, &text, 16), 0);
    EXPECT_STREQ(text.Get(), "12.00dB");
    EXPECT_EQ(Host().AssignDefaultNormalized("3", -2.0), 0);
    double normalized = -1.0;
    Host().QueryDefaultNormalized("3", &normalized);
    EXPECT_EQ(normalized, 0.0);
    EXPECT_EQ(Host().ApplyHostParamValueRelative("3", -0.25), 0);  // 1.0 - 0.25 -> 7.5 -> 8
    EXPECT_DOUBLE_EQ(Normalized("3"), 0.8);
    EXPECT_EQ(Host().ApplyHostParamValueRelative("3", kInf), 0);
    EXPECT_EQ(Normalized("3"), 1.0);
}

TEST_F(EffectParameters, ChangesCountHostValuesAndRestores)
{
    const int32_t before = Changes();
    Host().ApplyHostParamValue("1", 0.0, 0);
    Host().ApplyHostParamValue("2", 0.5, 0);
    Host().ApplyHostParamValue("MasterBypassID", 1.0, 0);  // the bypass counts too
    HostChunkRecord chunk = ControlsState();
    EXPECT_EQ(Host().SetStateChunk(kElck, &chunk.Record()), 0);
    EXPECT_EQ(Changes(), before + 4);
}

TEST_F(EffectParameters, HostNoticesSwitchOnlyAPreviewParameter)
{
    const uint32_t on = 1;
    const uint32_t preview = FourCharCode("ASPv");
    size_t mark = host.Calls().size();
    EXPECT_EQ(Host().HandleHostNotice(preview, &on, sizeof on), 0);  // no "PreviewID"
    EXPECT_EQ(host.Calls().size(), mark);

    effect->Registry().Add(std::make_unique<AAX_CParameter<bool>>(
        "PreviewID", AAX_CString("Preview"), false, AAX_CBinaryTaperDelegate<bool>(),
        AAX_CBinaryDisplayDelegate<bool>("off", "on"), false));
    mark = host.Calls().size();
    EXPECT_EQ(Host().HandleHostNotice(FourCharCode("ASPw"), &on, sizeof on), 0);
    EXPECT_EQ(Host().HandleHostNotice(preview, &on, 2), 0);  // too short to hold the word
    EXPECT_EQ(Host().HandleHostNotice(preview, nullptr, 4), 0);
    EXPECT_EQ(Host().HandleHostNotice(preview, &on, sizeof on), 0);
    EXPECT_EQ(CallsSince(host, mark, "Request"), (Lines{"runtime1.RequestParameterValue(\"PreviewID\", 1.000000)"}));
}

TEST_F(EffectParameters, FieldDataAndStepCounts)
{
    uint8_t block[12];
    std::fill(std::begin(block), std::end(block), 0xAB);
    EXPECT_EQ(Host().PrepareFieldData(5, block, sizeof block), 0);
    EXPECT_EQ(std::count(std::begin(block), std::end(block), 0), 12);
    EXPECT_EQ(Host().PrepareFieldData(5, nullptr, 4), kAAXResultWrongDataSize);

    int32_t count = 0;
    effect->Registry().FindByID("3")->SetStepCount(0x80000000u);
    EXPECT_EQ(Host().QueryStepCount("3", &count), kAAXResultStepCountTooLarge);
}

TEST_F(EffectParameters, AttachingTwiceNeitherLeaksNorDoubles)
{
    const uint32_t held = HeldReferences(host.RunTime());
    EXPECT_EQ(held, 5u);  // controller and transport hold two interfaces each
    EXPECT_EQ(Host().AttachToHost(host.RunTime()), 0);
    int32_t count = 0;
    Host().CountParameters(&count);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(effect->UnfilteredParameterCount(), 3);
    EXPECT_EQ(HeldReferences(host.RunTime()), held);
    EXPECT_EQ(CallsSince(host, 0, "Unregister").size(), 4u);

    EXPECT_EQ(Host().DetachFromHost(), 0);
    EXPECT_EQ(HeldReferences(host.RunTime()), 0u);
    Host().CountParameters(&count);
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(effect->IsBypassed());
}

TEST(EffectParametersLifetime, DestructionWithoutDetachReleasesTheHost)
{
    StandInHost host;
    {
        TestEffectRef effect;
        ASSERT_EQ(effect->AttachToHost(host.RunTime()), 0);
    }
    EXPECT_EQ(HeldReferences(host.RunTime()), 0u);
    EXPECT_EQ(host.Calls().back(), "runtime1.UnregisterParameter(\"3\")");

    TestEffectRef failing;
    failing->createResult = -5;
    EXPECT_EQ(failing->AttachToHost(host.RunTime()), -5);
    TestEffectRef bare;  // no host object: every wrapper answers missing
    EXPECT_EQ(bare->AttachToHost(nullptr), 0);
    EXPECT_EQ(bare->AssignNormalized("3", 0.5), 0);
}

TEST_F(EffectParameters, ControlsStateChunkRoundTrip)
{
    uint32_t id = 1;
    EXPECT_EQ(Host().ChunkIDAt(0, &id), 0);
    EXPECT_EQ(id, kElck);
    int32_t size = -1;
    EXPECT_EQ(Host().GetStateChunkSize(kQZ17, &size), kAAXResultInvalidChunkID);
    EXPECT_EQ(size, 0);

    HostChunkRecord chunk = ControlsState();  // "1" int32 8, "2" double 12, "3" int32 8; no bypass
    EXPECT_STREQ(chunk.Record().name, "Complete Controls State");
    EXPECT_EQ(chunk.Data(), (std::vector<uint8_t>{1,   1, 1, 1, 'l', '_', '1', 0, 0, 0, 0, 1, 'd', '_', '2', 0,
                                                  0,   0, 0, 0, 0,   0,   0,   0, 'l', '_', '3', 0, 0, 0, 0, 3}));
    uint8_t equal = 0;
    Host().ApplyHostParamValue("3", 1.0, 0);
    Host().ApplyHostParamValue("MasterBypassID", 1.0, 0);  // not part of the chunk
    EXPECT_EQ(Host().CompareStateChunk(&chunk.Record(), &equal), 0);
    EXPECT_EQ(equal, 0);

    const size_t mark = host.Calls().size();
    EXPECT_EQ(Host().SetStateChunk(kElck, &chunk.Record()), 0);
    EXPECT_EQ(CallsSince(host, mark, "Request"),
              (Lines{"runtime1.RequestParameterValue(\"1\", 1.000000)",
                     "runtime1.RequestParameterValue(\"2\", 0.833333)",
                     "runtime1.RequestParameterValue(\"3\", 0.300000)"}));
    Host().ApplyHostParamValue("3", 0.3, 0);  // the host's answer
    EXPECT_EQ(Host().CompareStateChunk(&chunk.Record(), &equal), 0);
    EXPECT_EQ(equal, 1);

    chunk.Record().chunkID = kQZ17;
    Host().ApplyHostParamValue("3", 1.0, 0);
    EXPECT_EQ(Host().CompareStateChunk(&chunk.Record(), &equal), 0);
    EXPECT_EQ(equal, 1);  // another chunk: not this base's to compare
}

TEST_F(EffectParameters, MalformedControlsStateChangesNothing)
{
    HostChunkRecord chunk = ControlsState();
    const size_t mark = host.Calls().size();
    chunk.Record().dataSize = 30;  // cut inside the last entry
    EXPECT_EQ(Host().SetStateChunk(kElck, &chunk.Record()), kAAXResultWrongDataSize);
    uint8_t equal = 1;
    EXPECT_EQ(Host().CompareStateChunk(&chunk.Record(), &equal), 0);
    EXPECT_EQ(equal, 0);
    chunk.Record().dataSize = -1;
    EXPECT_EQ(Host().SetStateChunk(kElck, &chunk.Record()), kAAXResultWrongDataSize);
    EXPECT_EQ(Host().SetStateChunk(kQZ17, &chunk.Record()), kAAXResultInvalidChunkID);
    EXPECT_EQ(host.Calls().size(), mark);
}

TEST_F(EffectParameters, ARecordTooSmallForTheControlsStateIsRefusedAndLeftAlone)
{
    int32_t size = 0;
    ASSERT_EQ(Host().GetStateChunkSize(kElck, &size), 0);
    HostChunkRecord small(size - 1, kElck);  // room for exactly what it declares
    EXPECT_EQ(Host().GetStateChunk(kElck, &small.Record()), kAAXResultWrongDataSize);
    EXPECT_EQ(small.Record().dataSize, size - 1);
    EXPECT_EQ(small.Data(), std::vector<uint8_t>(static_cast<size_t>(size - 1), 0));
    EXPECT_STREQ(small.Record().name, "");
}

}  // namespace
