#pragma once
// What the file and colour dialogs make of typed text. Pure functions, but
// for the file system's answers. [any thread]

#include "platform/win32/DesktopServices.h"

#include <functional>
#include <optional>
#include <string>

// The text the file dialog starts with: the file in the folder (a file
// given with a full path stands alone); without a file name (none, "." or
// "..") the folder alone, ending in '/'.
std::string StartingPath(const std::string& folder, const std::string& file);

// What checking a path may ask the user: a question (true: yes) and an
// alert.
struct FileCheckAsks
{
    std::function<bool(const std::string& question)> confirm;
    std::function<void(const std::string& text)> alert;
};

// Completes a typed path for the request and checks it: a relative path is
// taken in the request's starting folder, a name without an extension gets
// the default one. Nothing when it will do (path then holds the full path);
// otherwise the text to show (empty after an alert, or after the question
// was answered no): no name, a folder (before or after the extension; a
// path ending in '/', "." or ".." names a folder, ".." taken by the text, and
// is refused as missing where there is none),
// a path longer than the request's maxPath (alerted), with
// OFN_PATHMUSTEXIST a missing folder, with OFN_FILEMUSTEXIST (open) a
// missing file. A missing folder's text names a file that stands in its
// place or in its way. With OFN_OVERWRITEPROMPT (save) an existing file is
// replaced only when confirm, asked the question, answers true.
std::optional<std::string> CheckChosenFile(const FileRequest& request, std::string& path, const FileCheckAsks& asks);

// "#rrggbb" or "rrggbb" (hex digits of either case; blanks around are
// ignored) as a colour; nothing for any other text.
std::optional<COLORREF> ParseHexColour(const std::string& text);
// "#RRGGBB".
std::string HexColourText(COLORREF colour);
