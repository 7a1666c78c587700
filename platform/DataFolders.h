#pragma once
// The user's per-user data folder and folder creation, for the plug-in's
// preset and default-preset folders.

#include <string>

// The user's local application-data folder: $XDG_DATA_HOME when it holds an
// absolute path, else $HOME/.local/share (HOME absolute); empty when neither
// gives one. Returned as found (it may or may not end in "/"). Any thread.
std::string GetLocalAppDataFolder();

// Creates the folder, and any missing folders above it, with mode 0700 when
// path does not exist; an existing path is left alone. A trailing "/" is
// allowed. True when path names a folder afterwards; otherwise false with
// errno saying why (ENOTDIR for a path taken by something else, ELOOP for a
// symbolic link loop, ENOENT for a symbolic link that leads nowhere) and,
// when failedFolder is given, the folder of path that could not be made:
// the first, from the top, that something else stands in place of or whose
// mkdir failed (path itself or one above it, without a trailing "/").
bool CreateFolderIfMissing(const char* path, std::string* failedFolder = nullptr);

// The folder path names when it is one, else the nearest folder above it
// that exists, ending in "/" (where a folder could not be made, the place
// to offer instead); empty for an empty path or a relative one none of
// whose folders exists.
std::string NearestExistingFolder(const char* path);
