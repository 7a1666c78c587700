#include "framework/core/StringBuf.h"

#include "framework/core/Utf8Cut.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr int64_t kMaxSize = std::numeric_limits<int32_t>::max();

}  // namespace

StringBuf::StringBuf(const char* text, int32_t maxLen)
{
    if (text)
        Set(text, maxLen);
}

StringBuf::StringBuf(const StringBuf& other)
{
    if (other.GetSize() > 0)
        Set(other.Get());
}

const char* StringBuf::Get() const { return buf.GetSize() > 0 ? Data() : ""; }

int32_t StringBuf::GetLength() const
{
    return buf.GetSize() > 0 ? static_cast<int32_t>(std::strlen(Data())) : 0;
}

int64_t StringBuf::OffsetInBlock(const char* text) const
{
    const char* d = Data();
    if (!d || !text || text < d || text >= d + buf.GetAllocated())
        return -1;
    return text - d;
}

void StringBuf::CutTo(int32_t n)
{
    if (buf.GetSize() > n)
        buf.Resize(n, false);
}

void StringBuf::Set(const char* text, int32_t maxLen)
{
    int32_t n = 0;
    if (text)
        n = static_cast<int32_t>(maxLen < 1 ? std::strlen(text) : strnlen(text, static_cast<size_t>(maxLen)));
    if (n == 0)
    {
        if (buf.Resize(1, false))
            Data()[0] = '\0';
        return;
    }
    if (buf.GetSize() < n + 1)
    {
        // The block may move: follow a text that lies inside it.
        const int64_t offset = OffsetInBlock(text);
        if (!buf.Resize(n + 1, false) || buf.GetSize() != n + 1)
            return;
        if (offset >= 0)
            text = Data() + offset;
    }
    std::memmove(Data(), text, static_cast<size_t>(n));
    Data()[n] = '\0';
    CutTo(n + 1);
}

void StringBuf::InsertAt(int32_t pos, const char* text, int32_t len, int32_t tailLen)
{
    const int32_t length = GetLength();
    if (pos < 0 || len < 0 || tailLen < 0 || pos > length || int64_t{pos} + tailLen > length)
        return;
    if (len == 0)
    {
        if (pos == 0 && tailLen == 0 && buf.Resize(1, false))
        {
            Data()[0] = '\0';
            CutTo(1);
        }
        return;
    }
    if (!text)
        return;
    const int64_t need64 = int64_t{pos} + len + tailLen + 1;
    if (need64 > kMaxSize)
        return;
    const auto need = static_cast<int32_t>(need64);

    // Text from this string is copied out first: the tail move below would
    // overwrite it in place.
    char* copy = nullptr;
    if (OffsetInBlock(text) >= 0)
    {
        copy = static_cast<char*>(std::malloc(static_cast<size_t>(len)));
        if (!copy)
            return;
        std::memcpy(copy, text, static_cast<size_t>(len));
        text = copy;
    }
    if (buf.GetSize() < need)
        buf.Resize(need, false);
    if (buf.GetSize() >= need)
    {
        char* d = Data();
        std::memmove(d + pos + len, d + pos, static_cast<size_t>(tailLen));
        std::memcpy(d + pos, text, static_cast<size_t>(len));
        d[need - 1] = '\0';
        CutTo(need);
    }
    std::free(copy);
}

void StringBuf::Append(const char* text)
{
    if (text)
        InsertAt(GetLength(), text, static_cast<int32_t>(std::strlen(text)), 0);
}

void StringBuf::SetFormatted(int32_t maxLen, const char* format, ...)
{
    if (maxLen < 0)
        maxLen = 0;
    if (int64_t{maxLen} + 1 > kMaxSize || !format)
        return;
    // An argument may point into this string's own block, which the resize
    // below may move or free: the text is formatted into a block of its own
    // (as long as it comes out, at most maxLen) before this string changes.
    va_list args;
    va_list again;
    va_start(args, format);
    va_copy(again, args);
    const int full = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    const size_t room = static_cast<size_t>(full < 0 ? 0 : std::min(full, maxLen)) + 1;
    char* formatted = static_cast<char*>(std::malloc(room));
    int n = -1;
    if (formatted)
    {
        formatted[0] = '\0';
        n = std::vsnprintf(formatted, room, format, again);
    }
    va_end(again);
    if (!formatted)
        return;
    if (n < 0 || n >= maxLen)
        n = formatted[0] != '\0' ? maxLen : 0;
    n = std::min(n, static_cast<int>(room) - 1);
    if (buf.Resize(maxLen + 1, false) && buf.GetSize() == maxLen + 1)
    {
        std::memcpy(Data(), formatted, static_cast<size_t>(n));
        Data()[n] = '\0';
        CutTo(n + 1);
    }
    std::free(formatted);
}

void StringBuf::Assign(const StringBuf& other)
{
    if (&other == this)
        return;
    const int32_t n = other.GetSize();
    if (n == 0)
    {
        buf.Resize(0, false);
        return;
    }
    if (!buf.Resize(n, false) || buf.GetSize() != n)
    {
        buf.Resize(0, false);
        return;
    }
    std::memcpy(Data(), other.Data(), static_cast<size_t>(n));
}

void StringBuf::Ellipsize(int32_t minPos, int32_t maxLen)
{
    if (maxLen < 4 || GetLength() <= maxLen)
        return;
    char* d = Data();
    const int32_t start = minPos > 0 ? minPos : 0;
    // Without a blank the cut moves back to a character's first byte, so
    // the text stays UTF-8.
    int32_t cut = static_cast<int32_t>(Utf8CutLength(d, static_cast<size_t>(maxLen - 4)));
    int32_t newSize = cut + 4;
    for (int32_t i = maxLen - 4; i >= start; --i)
    {
        if (d[i] == ' ')
        {
            cut = i;
            newSize = i + 4;
            break;
        }
    }
    std::memcpy(d + cut, "...", 4);
    CutTo(newSize);
}

const char* StringBuf::FilePart() const
{
    const char* text = Get();
    const char* part = text;
    for (const char* p = text; *p; ++p)
        if (*p == '\\' || *p == '/')
            part = p + 1;
    return part;
}

bool StringBuf::StripExtension()
{
    char* d = Data();
    for (int32_t i = GetLength() - 1; i >= 0; --i)
    {
        if (d[i] == '\\' || d[i] == '/')
            return false;
        if (d[i] == '.')
        {
            d[i] = '\0';
            CutTo(i + 1);
            return true;
        }
    }
    return false;
}
