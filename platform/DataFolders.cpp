#include "platform/DataFolders.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace {

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

// False with errno saying why when it is not: ENOTDIR for something else,
// ELOOP for a link loop, ENOENT for a dangling link.
bool IsFolder(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
    {
        // Below folders that exist, only a link's target can run through a
        // file: that link leads nowhere as well.
        if (errno == ENOTDIR)
            errno = ENOENT;
        return false;
    }
    if (S_ISDIR(st.st_mode))
        return true;
    errno = ENOTDIR;
    return false;
}

}  // namespace

std::string GetLocalAppDataFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (IsAbsolute(xdg))
        return xdg;
    const char* home = std::getenv("HOME");
    if (!IsAbsolute(home))
        return {};
    std::string folder = home;
    if (folder.back() != '/')
        folder += '/';
    return folder + ".local/share";
}

bool CreateFolderIfMissing(const char* path, std::string* failedFolder)
{
    if (!path || !*path)
    {
        if (failedFolder)
            failedFolder->clear();
        errno = ENOENT;
        return false;
    }
    std::string target = path;
    while (target.size() > 1 && target.back() == '/')
        target.pop_back();
    if (IsFolder(target))
        return true;
    // Each folder from the top down; one that exists already (or appears
    // meanwhile) is fine. The first that neither is nor can be made is the
    // one to name: below it every mkdir would fail as well.
    for (size_t slash = target.find('/', 1);; slash = target.find('/', slash + 1))
    {
        const std::string part = target.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && (errno != EEXIST || !IsFolder(part)))
        {
            if (failedFolder)
                *failedFolder = part;
            return false;
        }
        if (slash == std::string::npos)
            return true;
    }
}

std::string NearestExistingFolder(const char* path)
{
    std::string folder = path ? path : "";
    for (;;)
    {
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        if (folder.empty())
            return {};
        if (IsFolder(folder))
            return folder == "/" ? folder : folder + "/";
        const size_t slash = folder.rfind('/');
        if (slash == std::string::npos || folder == "/")
            return {};
        folder.resize(slash + 1);
    }
}
