#pragma once

#include <cstddef>

// Writes the lower-cased bytes of src and a NUL into dest, at most
// destSize - 1 bytes of text (the rest is cut). Each byte goes to tolower as
// an unsigned char, so bytes above 0x7F are safe (the "C" locale keeps them).
// A null or empty src gives an empty dest; destSize 0 writes nothing.
void ToLowerCopy(char* dest, size_t destSize, const char* src);
