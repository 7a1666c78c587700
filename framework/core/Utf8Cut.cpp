#include "framework/core/Utf8Cut.h"

#include <cstring>

size_t Utf8CutLength(const char* text, size_t maxBytes)
{
    if (!text)
        return 0;
    const size_t length = strnlen(text, maxBytes + 1);
    if (length <= maxBytes)
        return length;
    // Cut before the lead byte of the sequence that the cut would split (a
    // sequence has at most three continuation bytes).
    size_t n = maxBytes;
    while (n > 0 && maxBytes - n < 3 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return n;
}
