// File names reach the JSON report as valid JSON strings, whatever bytes
// they hold.

#include "host/cli/Report.h"

#include <gtest/gtest.h>

namespace {

TEST(Report, JsonStringsEscapeQuotesControlsAndBytesThatAreNoUtf8)
{
    EXPECT_EQ(JsonString("plain.wav"), "\"plain.wav\"");
    EXPECT_EQ(JsonString("a\"b\\c\nd\te\x01\x1F"), "\"a\\\"b\\\\c\\nd\\te\\u0001\\u001f\"");
    EXPECT_EQ(JsonString("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5"), "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5\"");
    // Latin-1, a cut sequence, an overlong form, a surrogate, beyond U+10FFFF.
    EXPECT_EQ(JsonString("caf\xE9"), "\"caf\\ufffd\"");
    EXPECT_EQ(JsonString("x\xE2\x82"), "\"x\\ufffd\\ufffd\"");
    EXPECT_EQ(JsonString("\xC0\xAF"), "\"\\ufffd\\ufffd\"");
    EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"\\ufffd\\ufffd\\ufffd\"");
    EXPECT_EQ(JsonString("\xF4\x90\x80\x80"), "\"\\ufffd\\ufffd\\ufffd\\ufffd\"");
}

}  // namespace
