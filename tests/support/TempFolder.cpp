#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void SetOrUnset(const char* name, const char* value)
{
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

}  // namespace

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sonvarek-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("no temporary folder");
    path = pattern + "/";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

DataHomeOverride::DataHomeOverride(const char* xdgDataHome, const char* home)
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* h = std::getenv("HOME");
    hadXdg = xdg != nullptr;
    hadHome = h != nullptr;
    oldXdg = xdg ? xdg : "";
    oldHome = h ? h : "";
    SetOrUnset("XDG_DATA_HOME", xdgDataHome);
    SetOrUnset("HOME", home);
}

DataHomeOverride::~DataHomeOverride()
{
    SetOrUnset("XDG_DATA_HOME", hadXdg ? oldXdg.c_str() : nullptr);
    SetOrUnset("HOME", hadHome ? oldHome.c_str() : nullptr);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
