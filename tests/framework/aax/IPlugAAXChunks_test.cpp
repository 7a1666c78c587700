// The plug-in binding's state chunk: the plug-in's values as little-endian
// doubles under the plug-in's unique ID, through the stand-in host.

#include "host/HostChunkRecord.h"
#include "platform/AAXResults.h"
#include "support/TestPlugAAX.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

using Bytes = std::vector<uint8_t>;
using IPlugAAXChunks = PlugInstanceTest;

constexpr uint32_t kQZ17 = TestPlugAAX::kUniqueID;
constexpr uint32_t kElck = AAX_CEffectParameters::kControlsStateChunkID;

// The 8 bytes of v, least significant first.
Bytes LittleEndian(double v)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    Bytes bytes;
    for (int i = 0; i < 8; ++i)
        bytes.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    return bytes;
}

Bytes StateOf(std::initializer_list<double> values)
{
    Bytes bytes;
    for (double v : values)
    {
        const Bytes one = LittleEndian(v);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

int32_t Changes(HostInstance& instance)
{
    int32_t changes = 0;
    instance.Effect().CountChanges(&changes);
    return changes;
}

TEST_F(IPlugAAXChunks, OneChunkUnderTheUniqueID)
{
    EXPECT_EQ(instance->ChunkIDs(), std::vector<uint32_t>{kQZ17});
    uint32_t id = 99;
    EXPECT_EQ(instance->Effect().ChunkIDAt(1, &id), kAAXResultInvalidChunkIndex);
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(instance->Effect().ChunkIDAt(-1, &id), kAAXResultInvalidChunkIndex);
    int32_t size = 5;
    EXPECT_EQ(instance->Effect().GetStateChunkSize(kElck, &size), kAAXResultInvalidChunkID);
    EXPECT_EQ(size, 0);
    Bytes data;
    EXPECT_EQ(instance->GetChunk(kElck, &data), kAAXResultInvalidChunkID);
    EXPECT_EQ(instance->SetChunk(kElck, Bytes(48)), kAAXResultInvalidChunkID);
    bool equal = false;
    EXPECT_EQ(instance->CompareChunk(kElck, Bytes(), &equal), 0);
    EXPECT_TRUE(equal);
}

TEST_F(IPlugAAXChunks, TheChunkHoldsEveryValueInIndexOrderWithoutHeader)
{
    int32_t size = 0;
    EXPECT_EQ(instance->Effect().GetStateChunkSize(kQZ17, &size), 0);
    EXPECT_EQ(size, 8 * kTestNParams);
    Bytes data;
    ASSERT_EQ(instance->GetChunk(kQZ17, &data), 0);
    EXPECT_EQ(data, StateOf({1.0, 0.0, 3.0, -23.0, 300.0, -144.0}));
    EXPECT_EQ(Bytes(data.begin() + 24, data.begin() + 32), (Bytes{0, 0, 0, 0, 0, 0, 0x37, 0xC0}));  // -23.0
}

TEST_F(IPlugAAXChunks, RoundTripsAreExactAndTheHostHearsEveryValue)
{
    const Bytes stored = StateOf({0.0, -7.25, 9.0, -18.3, 123.456789, -20.5});
    auto* editor = new TestEditorLink;
    plug->AttachEditor(editor);
    editor->pushes.clear();
    instance->ClearAutomation();
    const int32_t before = Changes(*instance);

    ASSERT_EQ(instance->SetChunk(kQZ17, stored), 0);
    EXPECT_EQ(PlainValue(kTestRelease), 123.456789);
    EXPECT_EQ(Changes(*instance), before + 1);
    Bytes data;
    ASSERT_EQ(instance->GetChunk(kQZ17, &data), 0);
    EXPECT_EQ(data, stored);
    bool equal = false;
    EXPECT_EQ(instance->CompareChunk(kQZ17, stored, &equal), 0);
    EXPECT_TRUE(equal);

    // Every parameter's value went to the host, in index order; the controls took the plain values.
    std::vector<std::string> requested;
    for (const HostAutomationEvent& event : instance->Automation())
        if (event.kind == HostAutomationEvent::kRequest)
            requested.push_back(event.id);
    EXPECT_EQ(requested, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    ASSERT_EQ(editor->pushes.size(), static_cast<size_t>(kTestNParams));
    EXPECT_EQ(editor->pushes[1].value, -7.25);
    EXPECT_FALSE(editor->pushes[1].isUnit);

    // The host's answers leave the state exactly as it was restored.
    EXPECT_EQ(instance->DeliverRequests(), kTestNParams);
    ASSERT_EQ(instance->GetChunk(kQZ17, &data), 0);
    EXPECT_EQ(data, stored);
    double normalized = 0.0;
    instance->Normalized("2", &normalized);
    EXPECT_DOUBLE_EQ(normalized, (60.0 - 7.25) / 72.0);

    instance->SetEcho(HostEcho::kImmediate);
    const Bytes other = StateOf({1.0, 3.3, 0.0, -35.9, 9999.99, -0.1});
    ASSERT_EQ(instance->SetChunk(kQZ17, other), 0);
    ASSERT_EQ(instance->GetChunk(kQZ17, &data), 0);
    EXPECT_EQ(data, other);
}

TEST_F(IPlugAAXChunks, AChunkShorterThanTheStateChangesNothingALongerOneIsReadAsFarAsNeeded)
{
    const Bytes full = StateOf({0.0, -7.25, 9.0, -18.3, 123.5, -20.5});
    const int32_t before = Changes(*instance);
    EXPECT_EQ(instance->SetChunk(kQZ17, Bytes(full.begin(), full.end() - 1)), kAAXResultWrongDataSize);
    EXPECT_EQ(instance->SetChunk(kQZ17, Bytes()), kAAXResultWrongDataSize);
    HostChunkRecord negative(-8, kQZ17);
    EXPECT_EQ(instance->Effect().SetStateChunk(kQZ17, &negative.Record()), kAAXResultWrongDataSize);
    EXPECT_EQ(PlainValue(kTestGain), 0.0);
    EXPECT_EQ(Changes(*instance), before);

    Bytes longer = full;
    longer.insert(longer.end(), 13, 0xFF);
    ASSERT_EQ(instance->SetChunk(kQZ17, longer), 0);
    Bytes data;
    ASSERT_EQ(instance->GetChunk(kQZ17, &data), 0);
    EXPECT_EQ(data, full);

    // A value that is not finite leaves its parameter as it was.
    ASSERT_EQ(instance->SetChunk(kQZ17, StateOf({1.0, std::numeric_limits<double>::quiet_NaN(), 2.0, -23.0, 300.0,
                                                 -144.0})),
              0);
    EXPECT_EQ(PlainValue(kTestGain), -7.25);
    EXPECT_EQ(PlainValue(kTestWindow), 2.0);
}

TEST_F(IPlugAAXChunks, ComparingAShortOrDifferentRecordIsUnequal)
{
    const Bytes current = StateOf({1.0, 0.0, 3.0, -23.0, 300.0, -144.0});
    bool equal = false;
    EXPECT_EQ(instance->CompareChunk(kQZ17, current, &equal), 0);
    EXPECT_TRUE(equal);
    EXPECT_EQ(instance->CompareChunk(kQZ17, Bytes(current.begin(), current.end() - 8), &equal), 0);
    EXPECT_FALSE(equal);
    EXPECT_EQ(instance->CompareChunk(kQZ17, StateOf({1.0, 0.0, 3.0, -23.0, 300.0, -143.0}), &equal), 0);
    EXPECT_FALSE(equal);
    EXPECT_EQ(instance->CompareChunk(kQZ17, StateOf({1.0, 1e-7, 3.0, -23.0, 300.0, -144.0}), &equal), 0);
    EXPECT_TRUE(equal);  // single-precision closeness
    HostChunkRecord negative(-8, kQZ17);
    uint8_t same = 1;
    EXPECT_EQ(instance->Effect().CompareStateChunk(&negative.Record(), &same), 0);
    EXPECT_EQ(same, 0);
}

TEST_F(IPlugAAXChunks, AStateThatCannotBeWrittenIsAnErrorNotSuccess)
{
    // Asked into a record without the size first: the host's room is unknown.
    HostChunkRecord record(8 * kTestNParams, kQZ17);
    record.Record().dataSize = 0;
    EXPECT_EQ(instance->Effect().GetStateChunk(kQZ17, &record.Record()), kAAXResultWrongDataSize);
    EXPECT_EQ(record.Record().dataSize, 0);

    plug->failSave = true;
    int32_t size = 3;
    EXPECT_EQ(instance->Effect().GetStateChunkSize(kQZ17, &size), kAAXResultInvalidChunkID);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(instance->Effect().GetStateChunk(kQZ17, &record.Record()), kAAXResultInvalidChunkID);
    EXPECT_EQ(instance->SetChunk(kQZ17, StateOf({0.0, 1.0, 2.0, -30.0, 20.0, -1.0})), kAAXResultInvalidChunkID);
    plug->failSave = false;
    EXPECT_EQ(PlainValue(kTestType), 1.0);
}

}  // namespace
