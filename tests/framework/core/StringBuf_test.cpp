#include "framework/core/StringBuf.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(StringBuf, SetCountsTheNulAndCutsAtMaxLen)
{
    StringBuf s;
    EXPECT_STREQ(s.Get(), "");
    s.Set("");
    EXPECT_EQ(s.GetSize(), 1);
    s.Set("abcdefgh", 5);
    EXPECT_STREQ(s.Get(), "abcde");
    EXPECT_EQ(s.GetSize(), 6);
    s.Set("xy");
    EXPECT_EQ(s.GetSize(), 3);
}

TEST(StringBuf, SetFromItsOwnText)
{
    StringBuf s("abcdefg");
    s.Set(s.Get() + 2);
    EXPECT_STREQ(s.Get(), "cdefg");
    s.Set(s.Get(), 2);
    EXPECT_STREQ(s.Get(), "cd");
}

TEST(StringBuf, InsertAtAppendsInsertsAndCuts)
{
    StringBuf s("abcdefg");
    s.InsertAt(3, "XY", 2, 2);
    EXPECT_STREQ(s.Get(), "abcXYde");
    EXPECT_EQ(s.GetSize(), 8);

    s.Set("abc");
    s.InsertAt(3, "def", 3, 0);
    EXPECT_STREQ(s.Get(), "abcdef");
    s.InsertAt(1, "--", 2, 5);
    EXPECT_STREQ(s.Get(), "a--bcdef");

    StringBuf grown("x");
    const std::string longText(1000, 'y');
    grown.InsertAt(1, longText.c_str(), 1000, 0);
    EXPECT_EQ(grown.GetLength(), 1001);

    s.InsertAt(0, "", 0, 0);
    EXPECT_STREQ(s.Get(), "");
    EXPECT_EQ(s.GetSize(), 1);
}

TEST(StringBuf, InsertAtOutOfBoundsDoesNothing)
{
    StringBuf s("abc");
    s.InsertAt(-1, "X", 1, 0);
    s.InsertAt(0, "X", -1, 0);
    s.InsertAt(4, "X", 1, 0);   // beyond the text
    s.InsertAt(1, "X", 1, -1);  // negative tail
    s.InsertAt(1, "X", 1, 3);   // tail past the end
    s.InsertAt(1, "X", 0, 2);   // nothing to insert
    s.InsertAt(1, nullptr, 1, 0);
    s.InsertAt(0, "X", kMax - 2, 0);  // no such size
    EXPECT_STREQ(s.Get(), "abc");
    EXPECT_EQ(s.GetSize(), 4);
}

TEST(StringBuf, InsertAtFromItsOwnText)
{
    StringBuf s("abcdef");
    s.InsertAt(0, s.Get() + 2, 2, 6);  // "cd" in front, the block grows
    EXPECT_STREQ(s.Get(), "cdabcdef");
    s.InsertAt(4, s.Get(), 4, 4);
    EXPECT_STREQ(s.Get(), "cdabcdabcdef");
    s.InsertAt(s.GetLength(), s.Get(), s.GetLength(), 0);
    EXPECT_STREQ(s.Get(), "cdabcdabcdefcdabcdabcdef");
}

TEST(StringBuf, SetFormattedCutsToMaxLen)
{
    StringBuf s;
    s.SetFormatted(4, "%d", 123456);
    EXPECT_STREQ(s.Get(), "1234");
    EXPECT_EQ(s.GetSize(), 5);
    s.SetFormatted(10, "%s %d", "empty", 3);
    EXPECT_EQ(s.GetSize(), 8);

    s.Set("kept");
    s.SetFormatted(kMax - 1, "%d", 1);  // cannot be had
    s.SetFormatted(kMax, "%d", 1);
    EXPECT_STREQ(s.Get(), "kept");
}

TEST(StringBuf, SetFormattedTakesArgumentsFromItsOwnText)
{
    // Written over while it is read, then moved by the growth.
    StringBuf s("abcdef");
    s.SetFormatted(20, "x%s", s.Get());
    EXPECT_STREQ(s.Get(), "xabcdef");
    s.SetFormatted(5000, "%s|%s|%.3000d", s.Get() + 1, s.Get(), 7);
    ASSERT_EQ(s.GetLength(), 3015);
    EXPECT_EQ(std::string(s.Get(), 15), "abcdef|xabcdef|");
    s.SetFormatted(3, "%s", s.Get() + 2);
    EXPECT_STREQ(s.Get(), "cde");
}

TEST(StringBuf, AssignCopiesBytesAndSize)
{
    StringBuf a("hello");
    StringBuf b("a much longer text");
    b.Assign(a);
    EXPECT_STREQ(b.Get(), "hello");
    EXPECT_EQ(b.GetSize(), 6);
    b.Assign(b);
    EXPECT_STREQ(b.Get(), "hello");
    b.Assign(StringBuf());
    EXPECT_EQ(b.GetSize(), 0);
}

TEST(StringBuf, EllipsizeCutsAtALastBlankOrHard)
{
    StringBuf s("abc defgh ijklm nop");  // 19 characters, blanks at 3, 9, 15
    s.Ellipsize(0, 10);
    EXPECT_STREQ(s.Get(), "abc...");
    EXPECT_EQ(s.GetSize(), 7);

    s.Set("abcdefghijklmnop");
    s.Ellipsize(0, 10);
    EXPECT_STREQ(s.Get(), "abcdef...");
    EXPECT_EQ(s.GetSize(), 10);

    s.Set("abc defgh ijklm nop");
    s.Ellipsize(5, 10);  // the blank at 3 lies before minPos
    EXPECT_STREQ(s.Get(), "abc de...");

    s.Set("abcde\xC3\xA9" "fghij");  // "e" with an acute accent at bytes 5 and 6
    s.Ellipsize(10, 10);
    EXPECT_STREQ(s.Get(), "abcde...") << "a character is never cut in two";
}

TEST(StringBuf, FilePartAndStripExtension)
{
    StringBuf s("C:\\presets\\a/b\\dir/name.fxp");
    EXPECT_STREQ(s.FilePart(), "name.fxp");
    EXPECT_STREQ(StringBuf("plain").FilePart(), "plain");

    StringBuf twice("dir/a.b.c");
    EXPECT_TRUE(twice.StripExtension());
    EXPECT_STREQ(twice.Get(), "dir/a.b");

    StringBuf dotInFolder("my.folder\\name");
    EXPECT_FALSE(dotInFolder.StripExtension());
    EXPECT_STREQ(dotInFolder.Get(), "my.folder\\name");
}

}  // namespace
