#pragma once
// A fresh folder below the system's temporary folder, removed with everything
// in it when the object goes. Tests keep every file they make in one.

#include <string>

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending in "/".
    const std::string& Path() const { return path; }
    // Path() + name.
    std::string operator/(const std::string& name) const { return path + name; }

private:
    std::string path;
};

// Points XDG_DATA_HOME and HOME at folders of their own for the object's
// life (the user's real data folder is never touched), then restores them.
class DataHomeOverride
{
public:
    DataHomeOverride(const char* xdgDataHome, const char* home);
    ~DataHomeOverride();
    DataHomeOverride(const DataHomeOverride&) = delete;
    DataHomeOverride& operator=(const DataHomeOverride&) = delete;

private:
    std::string oldXdg, oldHome;
    bool hadXdg, hadHome;
};

// Writes bytes to a file (replacing it); test set-up only.
void WriteBytes(const std::string& path, const std::string& bytes);
// The whole file; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
