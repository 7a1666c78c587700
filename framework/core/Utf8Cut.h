#pragma once

#include <cstddef>

// The length of the longest prefix of text, at most maxBytes bytes and
// ending before its NUL, that does not end inside a UTF-8 sequence: names cut
// to a fixed field stay valid text.
size_t Utf8CutLength(const char* text, size_t maxBytes);
