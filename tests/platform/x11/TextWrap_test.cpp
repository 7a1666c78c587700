// Lines of dialog text broken to fit a width, and paths shortened for them.

#include <gtest/gtest.h>

#include "platform/PathForMessage.h"
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

TEST(TextWrapTest, ATextTooWideEndsInDotsAFolderKeepingItsSlash)
{
    EXPECT_EQ(ShortenToWidth("longfoldername/", 150, Measure), "longfoldername/") << "fits whole";
    EXPECT_EQ(ShortenToWidth("longfoldernames/", 150, Measure), "longfoldern.../");
    EXPECT_EQ(ShortenToWidth("take.fxp", 60, Measure), "tak...");
    EXPECT_EQ(ShortenToWidth("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 45, Measure), "\xC3\xA9...");
}

TEST(PathForMessage, KeepsShortPathsAndCutsLongOnesInTheMiddleBetweenCharacters)
{
    EXPECT_EQ(PathForMessage("/home/user/a.fxp", 16), "/home/user/a.fxp");
    EXPECT_EQ(PathForMessage("/abcdefghijklmnopqrstuvwxyz.fxp", 15), "/abc...wxyz.fxp");

    // "é" is two bytes: neither end of the cut splits one.
    std::string accented = "/";
    for (int i = 0; i < 200; ++i)
        accented += "\xC3\xA9";
    for (const size_t most : {20u, 21u, 22u, 23u, 240u})
    {
        const std::string shown = PathForMessage(accented + "/take.fxp", most);
        EXPECT_LE(shown.size(), most);
        EXPECT_EQ(shown.substr(shown.size() - 9), "/take.fxp");
        const size_t dots = shown.find("...");
        ASSERT_NE(dots, std::string::npos);
        EXPECT_EQ((dots - 1) % 2, 0u) << "the head ends after a whole character";
        EXPECT_EQ((shown.size() - dots - 3 - 9) % 2, 0u) << "the tail starts on a whole character";
    }
    // Bytes that are not UTF-8 pass as they are.
    EXPECT_EQ(PathForMessage("/x\xFF\xFEy", 40), "/x\xFF\xFEy");
}

}  // namespace
