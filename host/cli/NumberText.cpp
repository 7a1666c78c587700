#include "host/cli/NumberText.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipDigits(const std::string& text, size_t at)
{
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at;
}

size_t SkipBlanks(const std::string& text, size_t at)
{
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

}  // namespace

size_t NumberLength(const std::string& text, size_t start)
{
    size_t at = start;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    const size_t whole = SkipDigits(text, at);
    size_t digits = whole - at;
    at = whole;
    if (at < text.size() && text[at] == '.')
    {
        const size_t fraction = SkipDigits(text, at + 1);
        digits += fraction - (at + 1);
        at = fraction;
    }
    if (digits == 0)
        return 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E'))
    {
        size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const size_t end = SkipDigits(text, exponent);
        if (end > exponent)
            at = end;
    }
    return at - start;
}

bool IsNumberText(const std::string& text, const std::string& unit)
{
    size_t at = SkipBlanks(text, 0);
    const size_t length = NumberLength(text, at);
    if (length == 0)
        return false;
    at = SkipBlanks(text, at + length);
    if (!unit.empty() && text.compare(at, unit.size(), unit) == 0)
        at = SkipBlanks(text, at + unit.size());
    return at == text.size();
}
