#pragma once
// Reading UTF-8 text one character at a time, as the font layer does. Free
// of state; any thread.

#include <cstdint>

// Decodes the character at text into *code and answers the bytes it takes
// (1 to 4). length: the bytes that may be read (-1: up to the NUL). A byte
// below 128 is itself; lead 194-223 with one continuation byte (128-191) a
// 2-byte character; 224-239 with two a 3-byte one, kept to 16 bits; 240-244
// with three takes 4 bytes and yields a space (32). Anything else (a stray
// continuation byte, a lead byte without its continuation bytes, also one
// cut off by length) takes 1 byte and yields that byte. Never reads past
// length; 0 (and *code 0) for a null text or a length of 0 or below -1.
int32_t Utf8Decode(const char* text, int32_t* code, int32_t length = -1);

// True when text holds a multibyte sequence: a byte 194-244 followed by two
// continuation bytes, or 194-223 by one. False for a null or empty text.
// length as above.
bool HasUtf8(const char* text, int32_t length = -1);
