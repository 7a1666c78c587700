#pragma once
// Paths inside messages. A dialog shows a bounded number of lines, so a
// long path would push the reason that follows it out of sight. [any thread]

#include <cstddef>
#include <string>

// Bytes a path keeps in a message: some three lines of a dialog.
inline constexpr size_t kMessagePathBytes = 240;

// path whole when it has at most maxBytes bytes; otherwise its start and
// its end (the larger share: the file's name) around "...", at most maxBytes
// in all, never cutting a UTF-8 sequence. Other bytes pass unchanged.
std::string PathForMessage(const std::string& path, size_t maxBytes = kMessagePathBytes);
