#include "graphics/raster/Utf8Decode.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct Decoded
{
    int32_t bytes;
    int32_t code;
};

Decoded Decode(const std::string& text, int32_t length = -1)
{
    Decoded d{0, -1};
    d.bytes = Utf8Decode(text.c_str(), &d.code, length);
    return d;
}

void ExpectDecoded(const Decoded& d, int32_t bytes, int32_t code, const char* what)
{
    EXPECT_EQ(d.bytes, bytes) << what;
    EXPECT_EQ(d.code, code) << what;
}

TEST(Utf8Decode, SequencesOfOneToFourBytes)
{
    ExpectDecoded(Decode("A"), 1, 'A', "ASCII");
    ExpectDecoded(Decode("\xC3\xA9"), 2, 0xE9, "2-byte");
    ExpectDecoded(Decode("\xE2\x80\xB0"), 3, 0x2030, "3-byte");
    ExpectDecoded(Decode("\xEF\xBF\xBF"), 3, 0xFFFF, "3-byte at the top of 16 bits");
    ExpectDecoded(Decode("\xF0\x9F\x8E\xB5"), 4, ' ', "4-byte yields a space");
}

TEST(Utf8Decode, AnythingElseTakesOneByteAndYieldsIt)
{
    ExpectDecoded(Decode("\x80" "A"), 1, 0x80, "stray continuation byte");
    ExpectDecoded(Decode("\xC1\x81"), 1, 0xC1, "lead byte below 194");
    ExpectDecoded(Decode("\xF5\x80\x80\x80"), 1, 0xF5, "lead byte above 244");
    ExpectDecoded(Decode("\xC3" "A"), 1, 0xC3, "bad continuation");
    ExpectDecoded(Decode("\xE2\x80" "A"), 1, 0xE2, "3-byte lead with one continuation");
    ExpectDecoded(Decode("\xF0\x9F\x8E"), 1, 0xF0, "4-byte lead cut off by the NUL");
}

TEST(Utf8Decode, NeverReadsPastTheLength)
{
    // The bytes after the length would complete each sequence.
    ExpectDecoded(Decode("\xC3\xA9", 1), 1, 0xC3, "2-byte lead at the end");
    ExpectDecoded(Decode("\xE2\x80\xB0", 2), 1, 0xE2, "3-byte lead, one byte short");
    ExpectDecoded(Decode("\xF0\x9F\x8E\xB5", 3), 1, 0xF0, "4-byte lead, one byte short");
    ExpectDecoded(Decode("\xC3\xA9", 2), 2, 0xE9, "exactly long enough");

    // A lone lead byte in a buffer of its own: any read past it is caught
    // by the address sanitizer.
    const std::unique_ptr<char[]> lone(new char[1]{'\xE2'});
    int32_t code = 0;
    EXPECT_EQ(Utf8Decode(lone.get(), &code, 1), 1);
    EXPECT_EQ(code, 0xE2);
    EXPECT_TRUE(HasUtf8("\xC3\xA9", 2));
    EXPECT_FALSE(HasUtf8(lone.get(), 1));
}

TEST(Utf8Decode, NothingToReadTakesNothing)
{
    int32_t code = 7;
    EXPECT_EQ(Utf8Decode(nullptr, &code), 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Utf8Decode("A", &code, 0), 0);
    EXPECT_EQ(Utf8Decode("A", &code, -2), 0);
}

TEST(HasUtf8, FindsAMultibyteSequenceAnywhere)
{
    EXPECT_FALSE(HasUtf8(nullptr));
    EXPECT_FALSE(HasUtf8(""));
    EXPECT_FALSE(HasUtf8("-23.4 LUFS"));
    EXPECT_TRUE(HasUtf8("dB \xC3\xA9"));
    EXPECT_TRUE(HasUtf8("\xE2\x80\xB0"));
    EXPECT_TRUE(HasUtf8("\xF0\x9F\x8E\xB5")) << "a 4-byte lead and two continuation bytes";
    EXPECT_FALSE(HasUtf8("\x80\xBF\xC3" "A")) << "stray and unfinished bytes only";
    EXPECT_FALSE(HasUtf8("\xE2\x80" "A")) << "a 3-byte lead needs two";
    EXPECT_FALSE(HasUtf8("\xC3\xA9", 1)) << "the continuation byte lies past the length";
}

}  // namespace
