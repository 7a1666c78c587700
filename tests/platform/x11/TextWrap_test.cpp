// Lines of dialog text broken to fit a width.

#include <gtest/gtest.h>

#include "platform/x11/TextWrap.h"

namespace {

using Lines = std::vector<std::string>;

// Ten pixels a character (UTF-8 continuation bytes take none).
int Measure(const std::string& text)
{
    int width = 0;
    for (const char c : text)
        width += (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 10;
    return width;
}

Lines Wrap(const std::string& text, int width) { return WrapText(text, width, Measure); }

TEST(TextWrapTest, LinesBreakAtBlanksThenAfterSlashesThenBetweenCharacters)
{
    EXPECT_EQ(Wrap("is a folder: type a file name.", 120), (Lines{"is a folder:", "type a file", "name."}));
    EXPECT_EQ(Wrap("\"/data/Sonvarek/presets/x.fxp\" is", 100),
              (Lines{"\"/data/", "Sonvarek/", "presets/", "x.fxp\" is"}));
    EXPECT_EQ(Wrap("abcdefghijkl", 50), (Lines{"abcde", "fghij", "kl"}));
    EXPECT_EQ(Wrap("\xC3\xA9\xC3\xA9\xC3\xA9\xE2\x82\xAC\xE2\x82\xAC", 30),
              (Lines{"\xC3\xA9\xC3\xA9\xC3\xA9", "\xE2\x82\xAC\xE2\x82\xAC"}))
        << "never inside a character";
    EXPECT_EQ(Wrap("ab", 5), (Lines{"a", "b"})) << "a character a line at least";
}

TEST(TextWrapTest, TheTextsOwnLinesStay)
{
    EXPECT_EQ(Wrap("old.fxp already exists.\nDo you want to replace it?", 1000),
              (Lines{"old.fxp already exists.", "Do you want to replace it?"}));
    EXPECT_EQ(Wrap("a\n\nb", 100), (Lines{"a", "", "b"}));
}

}  // namespace
