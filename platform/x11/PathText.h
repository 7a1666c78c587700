#pragma once
// Paths as the file dialog reads and writes them ('/' between names), and
// what the file system says of them. [any thread]

#include <string>

// name in folder; a name starting with '/' (or no folder) stands alone.
std::string JoinPath(const std::string& folder, const std::string& name);
// The part after the last '/' (all of path without one).
std::string NameOf(const std::string& path);
// The part before the last '/' ("/" for a name in the root, "." for a path
// without one).
std::string FolderOf(const std::string& path);
// The same folder as an absolute path without ".", ".." or repeated or
// trailing '/' (the root stays "/"); a relative path is taken in the
// current folder. ".." is taken as the folder above by the text.
std::string CleanFolder(const std::string& path);
bool IsFolder(const std::string& path);
bool Exists(const std::string& path);
// What keeps the folder from being one: the first of its paths from the
// top (the folder itself or one above it) that exists as something other
// than a folder (a file); empty when none does.
std::string FileInTheWay(const std::string& folder);
