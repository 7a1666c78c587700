// MultiByteToWideChar and WideCharToMultiByte for UTF-8.

#include "platform/win32/Utf.h"
#include "platform/win32/Win32Text.h"

#include <climits>
#include <cstring>

namespace {

bool KnownCodePage(UINT page) { return page == CP_ACP || page == CP_UTF8; }

// Writes out when it fits; answers the units needed, or 0 when out was
// given and too small.
template <class Unit>
int Deliver(const std::basic_string<Unit>& converted, Unit* out, int size)
{
    if (converted.size() > static_cast<size_t>(INT_MAX))
        return 0;
    if (size == 0)
        return static_cast<int>(converted.size());
    if (!out || converted.size() > static_cast<size_t>(size))
        return 0;
    std::memcpy(out, converted.data(), converted.size() * sizeof(Unit));
    return static_cast<int>(converted.size());
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int count, LPWSTR wide, int wideSize)
{
    if (!KnownCodePage(codePage) || (flags & ~MB_ERR_INVALID_CHARS) || !text || count == 0 || count < -1 ||
        wideSize < 0)
        return 0;
    const size_t length = count == -1 ? std::strlen(text) + 1 : static_cast<size_t>(count);
    std::u16string out;
    if (!ConvertUtf8(text, length, (flags & MB_ERR_INVALID_CHARS) != 0, out))
        return 0;
    return Deliver(out, wide, wideSize);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int count, LPSTR text, int size,
                        LPCSTR defaultChar, BOOL* usedDefault)
{
    if (!KnownCodePage(codePage) || (flags & ~WC_ERR_INVALID_CHARS) || !wide || count == 0 || count < -1 || size < 0 ||
        defaultChar || usedDefault)
        return 0;
    size_t length = static_cast<size_t>(count);
    if (count == -1)
    {
        length = 0;
        while (wide[length])
            ++length;
        ++length;
    }
    std::string out;
    if (!ConvertUtf16(wide, length, (flags & WC_ERR_INVALID_CHARS) != 0, out))
        return 0;
    return Deliver(out, text, size);
}
