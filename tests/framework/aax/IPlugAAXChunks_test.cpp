// The plug-in binding's state chunk: the plug-in's values as little-endian
// doubles under the plug-in's unique ID, through the stand-in host.

#include "framework/core/IStateChunk.h"
#include "host/HostChunkRecord.h"
#include "platform/AAXResults.h"
#include "support/TestPlugAAX.h"
#include "support/TestSession.h"
#include "tests/support/TestEditorLink.h"

#include <gtest/gtest.h>

#include <algorithm>


namespace {

using Bytes = std::vector<uint8_t>;
using IPlugAAXChunks = PlugInstanceTest;

constexpr uint32_t kQZ17 = TestPlugAAX::kUniqueID;
constexpr uint32_t kElck = AAX_CEffectParameters::kControlsStateChunkID;

Bytes StateOf(std::initializer_list<double> values)
{
    IStateChunk chunk;
    for (double v : values)
        chunk.PutDoubleLE(v);
    return Bytes(chunk.Data(), chunk.Data() + chunk.Size());
}

int32_t Changes(HostInstance& instance)
{
    int32_t changes = 0;
    instance.Effect().CountChanges(&changes);
    return changes;
}

// The chunk's layout and plain round trips are checked through the module.
TEST_F(IPlugAAXChunks, OtherChunkIDsAndIndicesAreRefused)
{
    EXPECT_EQ(instance->ChunkIDs(), std::vector<uint32_t>{kQZ17});
    uint32_t id = 99;
    EXPECT_EQ(instance->Effect().ChunkIDAt(1, &id), kAAXResultInvalidChunkIndex);
    EXPECT_EQ(id, 0u);
    Bytes data;
    EXPECT_EQ(instance->GetChunk(kElck, &data), kAAXResultInvalidChunkID);
    EXPECT_EQ(instance->SetChunk(kElck, Bytes(48)), kAAXResultInvalidChunkID);
    bool equal = false;
    EXPECT_EQ(instance->CompareChunk(kElck, Bytes(), &equal), 0);
    EXPECT_TRUE(equal) << "another chunk ID compares equal";
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
    EXPECT_EQ(Changes(*instance), before + 1);
    Bytes data;
    ASSERT_EQ(instance->GetChunk(kQZ17, &data), 0);
    EXPECT_EQ(data, stored);

    // Every parameter's value went to the host, in index order; the controls took the plain values.
    std::vector<std::string> requested;
    for (const HostAutomationEvent& event : instance->Automation())
        if (event.kind == HostAutomationEvent::kRequest)
            requested.push_back(event.id);
    EXPECT_EQ(requested, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    ASSERT_EQ(editor->pushes.size(), static_cast<size_t>(kTestNParams));
    EXPECT_EQ(editor->pushes[1].value, -7.25);
    EXPECT_FALSE(editor->pushes[1].isUnit);

    // The host's answers, queued or at once, leave the state exactly as it was restored.
    EXPECT_EQ(instance->DeliverRequests(), kTestNParams);
    ASSERT_EQ(instance->GetChunk(kQZ17, &data), 0);
    EXPECT_EQ(data, stored);
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
    HostChunkRecord negative(-8, kQZ17);
    EXPECT_EQ(instance->Effect().SetStateChunk(kQZ17, &negative.Record()), kAAXResultWrongDataSize);
    EXPECT_EQ(Changes(*instance), before);
    EXPECT_EQ(PlainValue(kTestGain), 0.0);

    Bytes longer = full;
    longer.insert(longer.end(), 13, 0xFF);
    ASSERT_EQ(instance->SetChunk(kQZ17, longer), 0);
    Bytes data;
    ASSERT_EQ(instance->GetChunk(kQZ17, &data), 0);
    EXPECT_EQ(data, full);
}

TEST_F(IPlugAAXChunks, ComparingAShortOrDifferentRecordIsUnequal)
{
    const Bytes current = StateOf({1.0, 0.0, 3.0, -23.0, 300.0, -144.0});
    const std::pair<Bytes, bool> cases[] = {
        {current, true},
        {Bytes(current.begin(), current.end() - 8), false},
        {StateOf({1.0, 0.0, 3.0, -23.0, 300.0, -143.0}), false},
    };
    for (const auto& [data, same] : cases)
    {
        bool equal = !same;
        EXPECT_EQ(instance->CompareChunk(kQZ17, data, &equal), 0);
        EXPECT_EQ(equal, same) << "size " << data.size();
    }
    HostChunkRecord negative(-8, kQZ17);
    uint8_t same = 1;
    EXPECT_EQ(instance->Effect().CompareStateChunk(&negative.Record(), &same), 0);
    EXPECT_EQ(same, 0);
}

TEST_F(IPlugAAXChunks, ARecordTooSmallForTheStateIsRefusedAndLeftAlone)
{
    // The size asked first, then records whose declared size falls short
    // (their room is exactly what they declare).
    int32_t size = 0;
    ASSERT_EQ(instance->Effect().GetStateChunkSize(kQZ17, &size), 0);
    ASSERT_EQ(size, 8 * kTestNParams);
    for (const int32_t declared : {size - 1, 8, 0, -8})
    {
        HostChunkRecord record(declared, kQZ17);
        const Bytes before = record.Data();
        std::fill(record.Record().name, record.Record().name + AAXChunkRecord::kNameBytes, 'n');
        EXPECT_EQ(instance->Effect().GetStateChunk(kQZ17, &record.Record()), kAAXResultWrongDataSize) << declared;
        EXPECT_EQ(record.Record().dataSize, declared);
        EXPECT_EQ(record.Data(), before);
        EXPECT_EQ(record.Record().name[0], 'n');
    }
    HostChunkRecord fits(size, kQZ17);
    EXPECT_EQ(instance->Effect().GetStateChunk(kQZ17, &fits.Record()), 0);
}

TEST_F(IPlugAAXChunks, AStateThatCannotBeWrittenIsAnErrorNotSuccess)
{
    // Asked into a record without the size first: the host's room is unknown.
    HostChunkRecord record(8 * kTestNParams, kQZ17);
    EXPECT_EQ(instance->Effect().GetStateChunk(kQZ17, &record.Record()), kAAXResultWrongDataSize);

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
