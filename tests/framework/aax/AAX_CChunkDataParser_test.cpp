#include "framework/aax/AAX_CChunkDataParser.h"
#include "framework/aax/HostTrace.h"
#include "host/StandInHost.h"
#include "platform/AAXResults.h"
#include "host/HostChunkRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// The chunk data the parser writes, in a record of exactly that room.
Bytes Written(const AAX_CChunkDataParser& parser)
{
    HostChunkRecord buffer(parser.DataSize());
    EXPECT_EQ(parser.GetChunkData(buffer.Record(), parser.DataSize()), 0);
    EXPECT_EQ(buffer.Record().dataSize, parser.DataSize());
    return buffer.Data();
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes kMarker = {1, 1, 1, 1};

TEST(ChunkDataParser, EmptyParserWritesOnlyTheMarker)
{
    AAX_CChunkDataParser parser;
    EXPECT_EQ(parser.DataSize(), 4);
    HostChunkRecord buffer(4);
    std::memset(buffer.Record().name, 'x', sizeof buffer.Record().name);
    ASSERT_EQ(parser.GetChunkData(buffer.Record(), 4), 0);
    EXPECT_EQ(buffer.Data(), kMarker);
    EXPECT_EQ(buffer.Record().version, -1);
    EXPECT_STREQ(buffer.Record().name, "Complete Controls State");
    EXPECT_EQ(buffer.Record().name[31], '\0');  // the rest of the name field is zero
}

TEST(ChunkDataParser, EntriesAreWrittenBigEndianAndPadded)
{
    AAX_CChunkDataParser parser;
    parser.PutDouble("abc", 1.0);
    EXPECT_EQ(parser.DataSize(), 20);  // 4 + (2 + 3 + 1 = 6, padded to 8) + 8
    parser.PutInt32("1", 0x01020304);
    parser.PutString("s", "hi");
    parser.PutInt32("n", -2);
    EXPECT_EQ(Written(parser), Cat({kMarker,
                                    {'d', '_', 'a', 'b', 'c', 0, 0, 0, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0},
                                    {'l', '_', '1', 0, 1, 2, 3, 4},
                                    {'r', '_', 's', 0, 'h', 'i', 0, 0},
                                    {'l', '_', 'n', 0, 0xFF, 0xFF, 0xFF, 0xFE}}));
}

TEST(ChunkDataParser, ReadsBackEveryTypeItWrites)
{
    // Float and int16 entries arrive only from a chunk; written again, they come out the same.
    const Bytes data = Cat({kMarker,
                            {'s', '_', 'x', 0, 0, 1, 0, 0},
                            {'f', '_', 'g', 0, 0xBF, 0xC0, 0, 0},
                            {'s', '_', 'y', 0, 0xFF, 0xFE, 0, 0},
                            {'r', '_', 't', 0, 'a', 'b', 'c', 0},
                            {'d', '_', 'd', 0, 0xC0, 0x37, 0, 0, 0, 0, 0, 0}});
    HostChunkRecord buffer = HostChunkRecord::Holding(data);
    buffer.Record().version = 7;
    AAX_CChunkDataParser parser;
    ASSERT_TRUE(parser.ParseChunk(buffer.Record()));
    EXPECT_EQ(parser.ChunkVersion(), 7);
    ASSERT_EQ(parser.Entries().size(), 5u);
    EXPECT_EQ(parser.Entries()[0].type, kChunkDataInt16);
    EXPECT_EQ(parser.Entries()[0].integer, 1);
    EXPECT_EQ(parser.Entries()[1].number, -1.5);
    EXPECT_EQ(parser.Entries()[2].integer, -2);
    EXPECT_EQ(Written(parser), data);
}

TEST(ChunkDataParser, WithoutTheMarkerNothingIsRead)
{
    AAX_CChunkDataParser parser;
    parser.PutInt32("old", 1);
    HostChunkRecord buffer = HostChunkRecord::Holding({1, 1, 1, 0, 'l', '_', 'a', 0, 0, 0, 0, 1});
    EXPECT_FALSE(parser.ParseChunk(buffer.Record()));
    EXPECT_TRUE(parser.Entries().empty());

    HostChunkRecord negative(-8);
    EXPECT_FALSE(parser.ParseChunk(negative.Record()));
    HostChunkRecord markerOnly = HostChunkRecord::Holding(kMarker);
    EXPECT_TRUE(parser.ParseChunk(markerOnly.Record()));
    EXPECT_TRUE(parser.Entries().empty());
}

TEST(ChunkDataParser, TruncatedAtEveryLengthReadsOnlyWholeEntries)
{
    AAX_CChunkDataParser writer;
    writer.PutDouble("gain", -6.5);
    writer.PutString("name", "abcdefg");
    writer.PutInt32("1", 3);
    writer.PutString("", "");
    const Bytes full = Written(writer);
    const std::set<size_t> boundaries = {4, 20, 36, 44, 52};
    ASSERT_EQ(full.size(), 52u);

    for (size_t length = 0; length <= full.size(); ++length)
    {
        HostChunkRecord buffer = HostChunkRecord::Holding(Bytes(full.begin(), full.begin() + length));
        AAX_CChunkDataParser parser;
        const bool whole = parser.ParseChunk(buffer.Record());
        EXPECT_EQ(whole, boundaries.count(length) != 0) << length;
        size_t expected = 0;
        for (size_t b : boundaries)
            expected += b > 4 && b <= length ? 1 : 0;
        EXPECT_EQ(parser.Entries().size(), expected) << length;
    }
}

TEST(ChunkDataParser, StopsAtAnUnknownTagOrAnUnendedName)
{
    AAX_CChunkDataParser parser;
    HostChunkRecord unknown = HostChunkRecord::Holding(
        Cat({kMarker, {'l', '_', 'a', 0, 0, 0, 0, 1}, {'q', '_', 'b', 0, 0, 0, 0, 2}, {'l', '_', 'c', 0, 0, 0, 0, 3}}));
    EXPECT_FALSE(parser.ParseChunk(unknown.Record()));
    ASSERT_EQ(parser.Entries().size(), 1u);
    EXPECT_STREQ(parser.Entries()[0].name.Get(), "a");

    Bytes longName = Cat({kMarker, {'l', '_'}, Bytes(300, 'n'), {0, 0, 0, 0, 0, 0}});
    HostChunkRecord tooLong = HostChunkRecord::Holding(longName);
    EXPECT_FALSE(parser.ParseChunk(tooLong.Record()));
    EXPECT_TRUE(parser.Entries().empty());

    Bytes longest = Cat({kMarker, {'l', '_'}, Bytes(255, 'n'), {0, 0, 0, 0, 0, 0, 9}});
    HostChunkRecord fits = HostChunkRecord::Holding(longest);
    EXPECT_TRUE(parser.ParseChunk(fits.Record()));
    ASSERT_EQ(parser.Entries().size(), 1u);
    EXPECT_EQ(parser.Entries()[0].integer, 9);
}

TEST(ChunkDataParser, LookupsFindByNameAndTypeFromTheLastFind)
{
    AAX_CChunkDataParser parser;
    parser.PutInt32("a", 1);
    parser.PutDouble("b", 2.0);
    parser.PutInt32("c", 3);
    parser.PutString("d", "four");
    int32_t i = 0;
    double x = 0.0;
    AAX_CString s;
    EXPECT_FALSE(parser.FindInt32("b", &i));  // a double
    EXPECT_TRUE(parser.FindInt32("c", &i));
    EXPECT_EQ(i, 3);
    EXPECT_TRUE(parser.FindInt32("a", &i));  // wraps around
    EXPECT_EQ(i, 1);
    EXPECT_TRUE(parser.FindDouble("b", &x));
    EXPECT_EQ(x, 2.0);
    EXPECT_TRUE(parser.FindString("d", &s));
    EXPECT_STREQ(s.Get(), "four");
    EXPECT_FALSE(parser.FindString("e", &s));

    parser.Clear();
    EXPECT_EQ(parser.DataSize(), 4);
    EXPECT_FALSE(parser.FindInt32("a", &i));
}

TEST(ChunkDataParser, TooLittleRoomStopsWithATrace)
{
    StandInHost host;
    SetHostServices(host.Unknown());
    AAX_CChunkDataParser parser;
    parser.PutInt32("a", 1);
    parser.PutString("bb", "xyz");  // 12 bytes with the padding after its name: 1 too many
    HostChunkRecord buffer(23);
    EXPECT_EQ(parser.GetChunkData(buffer.Record(), 23), kAAXResultChunkOverflow);
    EXPECT_EQ(buffer.Record().dataSize, 23);
    EXPECT_EQ(buffer.Data(), Cat({kMarker, {'l', '_', 'a', 0, 0, 0, 0, 1}, Bytes(11, 0)}));
    SetHostServices(nullptr);
    EXPECT_EQ(host.Record().traces,
              std::vector<std::string>{
                  "AAX_CChunkDataParser::GetChunkData ERROR: aborting: chunk data will overflow buffer"});
}

}  // namespace
