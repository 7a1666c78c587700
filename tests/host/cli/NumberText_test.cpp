// The whole-text check of number settings: the module's own parsing stops
// at the first character that is no part of a number, so "-16junk" would
// read -16.

#include "host/cli/NumberText.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberText, OneDecimalNumberWithBlanksAndTheUnitIsTaken)
{
    for (const char* text : {"-16", "+5", "0", ".5", "5.", "-0.25", "1e3", "1E-3", "-1.6e+1", " \t-16 ", "-16LUFS",
                             "-16 LUFS", "-16\tLUFS\t", "  7 LUFS"})
        EXPECT_TRUE(IsNumberText(text, "LUFS")) << text;
    EXPECT_TRUE(IsNumberText("1.5", ""));
}

TEST(NumberText, AnythingMoreOrLessIsRefused)
{
    for (const char* text : {"", " ", "-", "+", ".", "-.", "e3", "1e", "1e+", "- 16", "-16junk", "1,5", "0x10", "1 000",
                             "inf", "-nan", "16-", "1.2.3", "-16 dB", "-16 lufs", "LUFS", "LUFS -16", "-16 LUFS LUFS",
                             "-16 LUFSx", "--16", "16\n"})
        EXPECT_FALSE(IsNumberText(text, "LUFS")) << text;
    // Without a unit, no text may follow.
    EXPECT_FALSE(IsNumberText("1.5 x", ""));
    EXPECT_FALSE(IsNumberText("1.5LUFS", ""));
}

TEST(NumberText, TheNumberLengthStopsWhereTheNumberEnds)
{
    EXPECT_EQ(NumberLength("-60.00LUFS"), 6u);
    EXPECT_EQ(NumberLength("10000.00ms"), 8u);
    EXPECT_EQ(NumberLength("1e5x"), 3u);
    EXPECT_EQ(NumberLength("1ex"), 1u);  // "e" without digits belongs to what follows
    EXPECT_EQ(NumberLength("x-2", 1), 2u);
    EXPECT_EQ(NumberLength("RMS"), 0u);
}

}  // namespace
