#include "platform/x11/DialogChecks.h"

#include "platform/PathForMessage.h"
#include "platform/win32/Win32Services.h"
#include "platform/x11/PathText.h"

#include <cctype>
#include <cstdio>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const int lower = std::tolower(static_cast<unsigned char>(c));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

}  // namespace

std::string StartingPath(const std::string& folder, const std::string& file)
{
    std::string full = JoinPath(folder, file);
    const std::string name = NameOf(full);
    if (name == ".")
        full.pop_back();
    else if (name == "..")
        full += '/';
    return full;
}

std::optional<std::string> CheckChosenFile(const FileRequest& request, std::string& path, const FileCheckAsks& asks)
{
    if (path.find_first_not_of(' ') == std::string::npos)
        return std::string("Type a file name.");
    std::string full = JoinPath(request.initialFolder, path);
    std::string name = NameOf(full);
    // Paths are shortened in the middle, so that the reason after them shows.
    const auto isFolder = [&full] { return "\"" + PathForMessage(full) + "\" is a folder: type a file name."; };
    // A file standing where the folder would be is named: the folder's
    // absence alone leaves the user to guess why.
    const auto missing = [](const std::string& folder) {
        std::string text = "The folder \"" + PathForMessage(folder) + "\" does not exist";
        const std::string file = FileInTheWay(folder);
        if (!file.empty())
            text += ": the file \"" + PathForMessage(file) + "\" stands in its " + (file == folder ? "place" : "way");
        return text + ".";
    };
    if (name.empty() || name == "." || name == "..")
    {
        // A folder's path, ".." taken by the text as the list takes it: the
        // kernel finds no ".." in a folder that does not exist.
        full = CleanFolder(full);
        return IsFolder(full) ? isFolder() : missing(full);
    }
    if (IsFolder(full))
        return isFolder();
    if (!request.defaultExtension.empty() && name.find('.') == std::string::npos)
    {
        full += "." + request.defaultExtension;
        name = NameOf(full);
        if (IsFolder(full))
            return isFolder();
    }
    if (request.maxPath && full.size() > request.maxPath)
    {
        asks.alert("The path is too long (" + std::to_string(full.size()) + " bytes; the most is " +
                   std::to_string(request.maxPath) + ").");
        return std::string();
    }
    if ((request.flags & OFN_PATHMUSTEXIST) && !IsFolder(FolderOf(full)))
        return missing(FolderOf(full));
    if (!request.save && (request.flags & OFN_FILEMUSTEXIST) && !Exists(full))
        return "The file \"" + PathForMessage(name) + "\" does not exist.";
    if (request.save && (request.flags & OFN_OVERWRITEPROMPT) && Exists(full) &&
        !asks.confirm(PathForMessage(name) + " already exists.\nDo you want to replace it?"))
        return std::string();
    path = full;
    return std::nullopt;
}

std::optional<COLORREF> ParseHexColour(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t");
    const size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos)
        return std::nullopt;
    if (text[begin] == '#')
        ++begin;
    if (end + 1 - begin != 6)
        return std::nullopt;
    int value[6];
    for (size_t i = 0; i < 6; ++i)
        if ((value[i] = HexDigit(text[begin + i])) < 0)
            return std::nullopt;
    return RGB(static_cast<BYTE>(value[0] * 16 + value[1]), static_cast<BYTE>(value[2] * 16 + value[3]),
               static_cast<BYTE>(value[4] * 16 + value[5]));
}

std::string HexColourText(COLORREF colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}
