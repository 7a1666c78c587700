#pragma once
// Lines of text that fit a width, and texts shortened to fit one, for the
// presenter's dialogs. Pure.
// [any thread]

#include <functional>
#include <string>
#include <vector>

// The text's own lines ('\n') broken to fit width as measure measures a
// line: after the last blank that fits (the blank goes), else a word too
// wide for a line after its last '/' that fits, else between characters
// (never inside a UTF-8 character). A line holds one character at least.
std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure);

// text whole when measure finds it fits width; else its start (one
// character at least, never inside a UTF-8 character) and "...", a folder's
// text (ending in '/') keeping its '/' after them: "longfoldern.../".
std::string ShortenToWidth(const std::string& text, int width,
                           const std::function<int(const std::string&)>& measure);
