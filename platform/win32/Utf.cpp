#include "platform/win32/Utf.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

void AppendUtf16(char32_t c, std::u16string& out)
{
    if (c < 0x10000)
        out += static_cast<char16_t>(c);
    else
    {
        out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}

size_t DecodeUtf8(const char* s, size_t n, char32_t& code, bool& valid)
{
    const auto* b = reinterpret_cast<const unsigned char*>(s);
    valid = true;
    if (b[0] < 0x80)
    {
        code = b[0];
        return 1;
    }
    size_t length = 0;
    char32_t value = 0, least = 0;
    if (b[0] >= 0xC2 && b[0] <= 0xDF)
        length = 2, value = b[0] & 0x1F, least = 0x80;
    else if (b[0] >= 0xE0 && b[0] <= 0xEF)
        length = 3, value = b[0] & 0x0F, least = 0x800;
    else if (b[0] >= 0xF0 && b[0] <= 0xF4)
        length = 4, value = b[0] & 0x07, least = 0x10000;
    if (length == 0 || n < length)
    {
        valid = false;
        code = kReplacement;
        return 1;
    }
    for (size_t i = 1; i < length; ++i)
    {
        if (!IsContinuation(b[i]))
        {
            valid = false;
            code = kReplacement;
            return 1;
        }
        value = (value << 6) | (b[i] & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    {
        valid = false;
        code = kReplacement;
        return 1;
    }
    code = value;
    return length;
}

size_t DecodeUtf16(const char16_t* s, size_t n, char32_t& code, bool& valid)
{
    valid = true;
    const char16_t u = s[0];
    if (u < 0xD800 || u > 0xDFFF)
    {
        code = u;
        return 1;
    }
    if (u <= 0xDBFF && n >= 2 && s[1] >= 0xDC00 && s[1] <= 0xDFFF)
    {
        code = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (s[1] - 0xDC00);
        return 2;
    }
    valid = false;
    code = kReplacement;
    return 1;
}

void AppendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80)
        out += static_cast<char>(c);
    else if (c < 0x800)
    {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}


bool ConvertUtf8(const char* s, size_t n, bool strict, std::u16string& out)
{
    out.clear();
    bool valid = true;
    char32_t c = 0;
    for (size_t i = 0; i < n;)
    {
        i += DecodeUtf8(s + i, n - i, c, valid);
        if (!valid && strict)
            return false;
        AppendUtf16(c, out);
    }
    return true;
}

bool ConvertUtf16(const char16_t* s, size_t n, bool strict, std::string& out)
{
    out.clear();
    bool valid = true;
    char32_t c = 0;
    for (size_t i = 0; i < n;)
    {
        i += DecodeUtf16(s + i, n - i, c, valid);
        if (!valid && strict)
            return false;
        AppendUtf8(c, out);
    }
    return true;
}

std::u16string Utf8ToUtf16(const std::string& text)
{
    std::u16string out;
    ConvertUtf8(text.data(), text.size(), false, out);
    return out;
}

std::string Utf16ToUtf8(const std::u16string& text)
{
    std::string out;
    ConvertUtf16(text.data(), text.size(), false, out);
    return out;
}

size_t CopyUtf8(const std::string& text, char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return 0;
    size_t n = std::min(text.size(), size - 1);
    // Never cut a character: back off over continuation bytes.
    if (n < text.size())
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n;
}
