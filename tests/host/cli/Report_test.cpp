// File names reach the JSON report as valid JSON strings, and the human
// report as text that cannot steer a terminal, whatever bytes they hold.

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

TEST(Report, PrintableTextEscapesControlsAndBytesThatAreNoUtf8)
{
    EXPECT_EQ(PrintableText("we\"ird\\name caf\xC3\xA9 \xE2\x82\xAC.wav"), "we\"ird\\name caf\xC3\xA9 \xE2\x82\xAC.wav");
    EXPECT_EQ(PrintableText(std::string("a\0b\n\r\t\x1B[0m\x7F", 11)), "a\\x00b\\x0a\\x0d\\x09\\x1b[0m\\x7f");
    // C1 controls (CSI is U+009B) and the first printable one after them.
    EXPECT_EQ(PrintableText("\xC2\x80\xC2\x9B\xC2\x9F\xC2\xA0"), "\\xc2\\x80\\xc2\\x9b\\xc2\\x9f\xC2\xA0");
    // Latin-1, a cut sequence, an overlong form.
    EXPECT_EQ(PrintableText("caf\xE9"), "caf\\xe9");
    EXPECT_EQ(PrintableText("x\xE2\x82"), "x\\xe2\\x82");
    EXPECT_EQ(PrintableText("\xC0\xAF"), "\\xc0\\xaf");
}

}  // namespace
