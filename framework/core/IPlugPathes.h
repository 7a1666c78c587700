#pragma once
// The plug-in's data folders below the user's local application-data folder
// (platform/DataFolders.h): the product folder, named after the plug-in,
// holds the user's program files; the format folder "AAX" below it holds the
// user's "default.fxp". A base of the plug-in class beside its binding; it
// reaches the plug-in through its owner. Set-up thread.

#include "framework/core/StringBuf.h"

class IPlugBase;

class IPlugPathes
{
public:
    IPlugPathes() = default;
    IPlugPathes(const IPlugPathes&) = delete;
    IPlugPathes& operator=(const IPlugPathes&) = delete;

    // Set by the plug-in class before BuildDataPath.
    void SetOwner(IPlugBase* plug) { owner = plug; }

    // Builds the folders, creating those that are missing (failures are not
    // reported here: a save makes them again and reports what stops it;
    // other file operations there simply fail): the module folder as the
    // owner's editor reports it; the product folder, the data folder, "/",
    // the owner's effect name, "/"; the format folder, the product folder,
    // "AAX/". Without a data folder (or an owner) both stay empty.
    void BuildDataPath();

    // Copies of the folders, each ending in "/" (empty before BuildDataPath).
    void GetProductFolder(StringBuf* out) const { out->Assign(productFolder); }
    void GetFormatFolder(StringBuf* out) const { out->Assign(formatFolder); }
    void GetModuleFolder(StringBuf* out) const { out->Assign(moduleFolder); }

private:
    IPlugBase* owner = nullptr;
    StringBuf moduleFolder;
    StringBuf productFolder;
    StringBuf formatFolder;
};
