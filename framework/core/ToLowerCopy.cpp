#include "framework/core/ToLowerCopy.h"

#include <cctype>

void ToLowerCopy(char* dest, size_t destSize, const char* src)
{
    if (!dest || destSize == 0)
        return;
    size_t i = 0;
    if (src)
        for (; src[i] && i + 1 < destSize; ++i)
            dest[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(src[i])));
    dest[i] = '\0';
}
