#include "framework/aax/AAX_CString.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>

namespace {

// A process locale with a comma point and grouping, which must not reach the
// texts of numbers.
struct CommaPoint : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

struct ScopedCommaLocale
{
    ScopedCommaLocale() : previous(std::locale::global(std::locale(std::locale::classic(), new CommaPoint))) {}
    ~ScopedCommaLocale() { std::locale::global(previous); }
    std::locale previous;
};

TEST(AAX_CString, NullAndEmptyTextsAreEmpty)
{
    const AAX_CString fromNull(static_cast<const char*>(nullptr));
    EXPECT_STREQ(fromNull.Get(), "");
    EXPECT_EQ(fromNull.Length(), 0u);

    AAX_CString text("abc");
    text.Set(nullptr);
    EXPECT_STREQ(text.Get(), "");
    EXPECT_EQ(text.MaxLength(), 4294967294u);
}

TEST(AAX_CString, AssignsAndCopiesThroughTheInterface)
{
    AAX_CString a("first");
    const AAX_CString b("second");
    AAX_IString& asInterface = a;
    asInterface = static_cast<const AAX_IString&>(b);
    EXPECT_STREQ(a.Get(), "second");
    asInterface = "third";
    EXPECT_STREQ(a.Get(), "third");
    asInterface = asInterface;
    EXPECT_STREQ(a.Get(), "third");

    const AAX_CString fromInterface(static_cast<const AAX_IString&>(b));
    EXPECT_TRUE(fromInterface == b);
}

TEST(AAX_CString, EraseAndSubStringStayInsideTheText)
{
    AAX_CString text("abcdef");
    text.Erase(2, 2);
    EXPECT_STREQ(text.Get(), "abef");
    text.Erase(3, 100);
    EXPECT_STREQ(text.Get(), "abe");
    text.Erase(10, 1);  // past the end: nothing
    EXPECT_STREQ(text.Get(), "abe");

    AAX_CString out("old");
    AAX_CString("12345").SubString(3, 10, out);
    EXPECT_STREQ(out.Get(), "45");
    AAX_CString("12345").SubString(5, 1, out);
    EXPECT_STREQ(out.Get(), "");
}

TEST(AAX_CString, AppendStopsAtTheFirstNul)
{
    AAX_CString withNul("ab");
    withNul.Append(AAX_CString("c"));
    withNul.CharAt(1) = '\0';  // "a\0c": three bytes, handed out as "a"
    EXPECT_EQ(withNul.Length(), 3u);
    AAX_CString text("x");
    text.Append(withNul);
    EXPECT_STREQ(text.Get(), "xa");
    text.Append(text);
    EXPECT_STREQ(text.Get(), "xaxa");
}

TEST(AAX_CString, AppendNumberUsesFixedNotationWithAPoint)
{
    const ScopedCommaLocale commaLocale;
    AAX_CString text("x");
    text.AppendNumber(2.5, 2);
    EXPECT_STREQ(text.Get(), "x2.50");
    AAX_CString negative;
    negative.AppendNumber(-0.001, 2);
    EXPECT_STREQ(negative.Get(), "-0.00");
    AAX_CString large;
    large.AppendNumber(1234567.125, 1);
    EXPECT_STREQ(large.Get(), "1234567.1");
}

TEST(AAX_CString, ToDoubleReadsTheLeadingNumber)
{
    const ScopedCommaLocale commaLocale;
    double value = -1.0;
    EXPECT_TRUE(AAX_CString("12abc").ToDouble(&value));
    EXPECT_EQ(value, 12.0);
    EXPECT_TRUE(AAX_CString("1e3").ToDouble(&value));
    EXPECT_EQ(value, 1000.0);
    EXPECT_TRUE(AAX_CString("  -2.5 dB").ToDouble(&value));
    EXPECT_EQ(value, -2.5);
    EXPECT_TRUE(AAX_CString("1.234,5").ToDouble(&value));
    EXPECT_EQ(value, 1.234);

    for (const char* text : {"abc", ""})
    {
        value = -1.0;
        EXPECT_FALSE(AAX_CString(text).ToDouble(&value)) << text;
        EXPECT_EQ(value, 0.0) << text;
    }
}

TEST(AAX_CString, ComparesBytesAsUnsigned)
{
    EXPECT_TRUE(AAX_CString("abc") == AAX_CString("abc"));
    EXPECT_TRUE(AAX_CString("abc") != AAX_CString("abd"));
    EXPECT_TRUE(AAX_CString("ab") < AAX_CString("abc"));
    EXPECT_FALSE(AAX_CString("abc") < AAX_CString("ab"));
    EXPECT_TRUE(AAX_CString("z") < AAX_CString("\xC3\xA9"));  // 0xC3 sorts above 'z'
}

}  // namespace
