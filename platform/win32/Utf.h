#pragma once
// Internal: UTF-8 and UTF-16 code points, one at a time.

#include <cstddef>
#include <string>

// Decodes the code point at s (n units left, n >= 1) and answers the units
// it took. A bad sequence takes one unit, gives U+FFFD and clears valid.
size_t DecodeUtf8(const char* s, size_t n, char32_t& code, bool& valid);
size_t DecodeUtf16(const char16_t* s, size_t n, char32_t& code, bool& valid);
void AppendUtf8(char32_t code, std::string& out);
void AppendUtf16(char32_t code, std::u16string& out);
// Converts n units into out (replaced). Bad sequences become U+FFFD; with
// strict the first one makes it answer false instead.
bool ConvertUtf8(const char* s, size_t n, bool strict, std::u16string& out);
bool ConvertUtf16(const char16_t* s, size_t n, bool strict, std::string& out);
// The same, never strict.
std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);
// Copies at most size - 1 bytes of text (whole characters) and a NUL into
// buffer; answers the bytes copied (0 for a null buffer or size 0).
size_t CopyUtf8(const std::string& text, char* buffer, size_t size);
