#include "platform/x11/FileBrowser.h"

#include "platform/x11/PathText.h"

#include <dirent.h>
#include <fnmatch.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace {

bool BeforeIgnoringCase(const std::string& a, const std::string& b)
{
    // Bytes as unsigned: names beyond ASCII after the ASCII ones.
    const auto before = [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), before))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), before))
        return false;
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

}  // namespace

FileBrowser::FileBrowser(const std::string& startingPath, const std::string& patternText)
{
    for (size_t start = 0; start < patternText.size();)
    {
        const size_t end = std::min(patternText.find(';', start), patternText.size());
        if (end > start)
            patterns.push_back(patternText.substr(start, end - start));
        start = end + 1;
    }
    folder = CleanFolder(!startingPath.empty() && startingPath.back() == '/' ? startingPath : FolderOf(startingPath));
    Read();
}

std::string FileBrowser::TextOf(size_t row) const
{
    if (row >= rows.size())
        return folder;
    if (rows[row] == "../")
        return JoinPath(CleanFolder(folder + "/.."), "");
    return JoinPath(folder, rows[row]);
}

bool FileBrowser::Open(std::string& field)
{
    if (field.find_first_not_of(' ') == std::string::npos)
        return false;
    // ".." by the text, as the row "../" names it: the kernel finds no ".."
    // in a folder that does not exist.
    const std::string path = CleanFolder(JoinPath(folder, field));
    if (!IsFolder(path) || path == folder)
        return false;
    folder = path;
    field = JoinPath(folder, "");
    Read();
    return true;
}

void FileBrowser::Read()
{
    rows.clear();
    std::vector<std::string> folders, files;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    while (dir)
    {
        const dirent* entry = readdir(dir.get());
        if (!entry)
            break;
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.')
            continue;
        if (IsFolder(JoinPath(folder, name)))
            folders.push_back(name + "/");
        else if (patterns.empty() || std::any_of(patterns.begin(), patterns.end(), [&](const std::string& p) {
                     return fnmatch(p.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
                 }))
            files.push_back(name);
    }
    std::sort(folders.begin(), folders.end(), BeforeIgnoringCase);
    std::sort(files.begin(), files.end(), BeforeIgnoringCase);
    if (folder != "/")
        rows.push_back("../");
    rows.insert(rows.end(), folders.begin(), folders.end());
    rows.insert(rows.end(), files.begin(), files.end());
}
