#include "framework/core/ChunkVersionHeader.h"
#include "framework/core/IStateChunk.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(const IStateChunk& chunk)
{
    return std::string(reinterpret_cast<const char*>(chunk.Data()), static_cast<size_t>(chunk.Size()));
}

TEST(IStateChunk, ValuesAreLittleEndianAndAppended)
{
    IStateChunk chunk;
    ASSERT_TRUE(chunk.PutDoubleLE(1.0));
    ASSERT_TRUE(chunk.PutU32LE(0x01020304));
    EXPECT_EQ(Bytes(chunk), std::string("\x00\x00\x00\x00\x00\x00\xF0\x3F\x04\x03\x02\x01", 12));

    double d = 0.0;
    uint32_t u = 0;
    EXPECT_EQ(chunk.ReadDoubleLE(&d, 0), 8);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(chunk.ReadU32LE(&u, 8), 12);
    EXPECT_EQ(u, 0x01020304u);
}

TEST(IStateChunk, ReadsPastTheEndOrFromNegativePositionsFail)
{
    IStateChunk chunk;
    ASSERT_TRUE(chunk.PutBytes("abcdef", 6));
    char out[8] = "zzzzzzz";
    EXPECT_EQ(chunk.Read(out, 6, 0), 6);
    EXPECT_EQ(chunk.Read(out, 1, 6), -1);
    EXPECT_EQ(chunk.Read(out, 4, 3), -1);
    EXPECT_EQ(chunk.Read(out, 1, -1), -1);
    EXPECT_EQ(chunk.Read(out, -1, 0), -1);
    EXPECT_EQ(chunk.Read(out, 0x7FFFFFFF, 2), -1) << "no overflow of pos + size";
    EXPECT_EQ(chunk.Read(nullptr, 2, 4), 6) << "a null destination only checks";
    EXPECT_EQ(std::string(out, 6), "abcdef");
    EXPECT_FALSE(chunk.PutBytes("x", -1));
    EXPECT_EQ(chunk.Size(), 6);
}

TEST(IStateChunk, AssignCopiesAndClearGivesMemoryBack)
{
    IStateChunk a, b;
    ASSERT_TRUE(a.PutBytes("12345", 5));
    ASSERT_TRUE(b.PutBytes("xy", 2));
    ASSERT_TRUE(b.Assign(a));
    EXPECT_EQ(Bytes(b), "12345");
    ASSERT_TRUE(b.Assign(b));
    EXPECT_EQ(Bytes(b), "12345");
    b.Clear();
    EXPECT_EQ(b.Size(), 0);
    EXPECT_EQ(b.Data(), nullptr);
}

TEST(ChunkVersionHeader, WrittenHeaderReadsBackAndOtherBytesLeaveThePosition)
{
    IStateChunk chunk;
    ASSERT_TRUE(chunk.PutBytes("junk", 4));
    ASSERT_TRUE(WriteChunkVersionHeader(chunk));
    EXPECT_EQ(Bytes(chunk), std::string("\x74\x66\x66\x70\x00\x00\x01\x00", 8)) << "cleared, then the header";
    int32_t pos = 0;
    EXPECT_EQ(ReadChunkVersionHeader(chunk, &pos), kChunkVersion);
    EXPECT_EQ(pos, 8);

    IStateChunk other;
    ASSERT_TRUE(other.PutDoubleLE(0.5));
    pos = 0;
    EXPECT_EQ(ReadChunkVersionHeader(other, &pos), 0u);
    EXPECT_EQ(pos, 0);
}

TEST(ChunkVersionHeader, EveryTruncationIsSeen)
{
    IStateChunk full;
    ASSERT_TRUE(WriteChunkVersionHeader(full));
    for (int32_t length = 0; length < kChunkVersionHeaderSize; ++length)
    {
        IStateChunk cut;
        ASSERT_TRUE(cut.PutBytes(full.Data(), length));
        int32_t pos = 0;
        EXPECT_EQ(ReadChunkVersionHeader(cut, &pos), 0u) << length;
        EXPECT_EQ(pos, length < 4 ? 0 : -1) << "without its magic the position stays; a cut version word ends the data";
    }
}

}  // namespace
