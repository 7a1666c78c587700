#include "platform/x11/PathText.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || (!name.empty() && name[0] == '/'))
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string CleanFolder(const std::string& path)
{
    std::string full = path;
    if (full.empty() || full[0] != '/')
    {
        std::vector<char> here(4096);
        full = JoinPath(getcwd(here.data(), here.size()) ? here.data() : "/", path);
    }
    std::vector<std::string> names;
    for (size_t start = 0; start < full.size();)
    {
        size_t end = full.find('/', start);
        if (end == std::string::npos)
            end = full.size();
        const std::string name = full.substr(start, end - start);
        if (name == "..")
        {
            if (!names.empty())
                names.pop_back();
        }
        else if (!name.empty() && name != ".")
            names.push_back(name);
        start = end + 1;
    }
    std::string clean;
    for (const std::string& name : names)
        clean += "/" + name;
    return clean.empty() ? "/" : clean;
}

bool IsFolder(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string FileInTheWay(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1))
    {
        const std::string part = folder.substr(0, slash);
        if (!Exists(part))
            return {};
        if (!IsFolder(part))
            return part;
        if (slash == std::string::npos)
            return {};
    }
}
