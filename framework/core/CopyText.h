#pragma once

#include <cstddef>
#include <cstring>

// Copies src into a fixed text field, cut to destSize - 1 bytes and always
// terminated; a null src gives an empty text.
inline void CopyText(char* dest, size_t destSize, const char* src)
{
    if (destSize == 0)
        return;
    const size_t n = src ? strnlen(src, destSize - 1) : 0;
    std::memcpy(dest, src ? src : "", n);
    dest[n] = '\0';
}

template <size_t N>
void CopyText(char (&dest)[N], const char* src)
{
    CopyText(dest, N, src);
}
