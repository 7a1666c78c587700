#include "framework/core/IPlugPresetmanager.h"

#include "framework/core/IPlugBase.h"
#include "platform/DataFolders.h"
#include "platform/FileIO.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>

namespace {

constexpr const char* kDefaultPresetFile = "default.fxp";

// A regular file, or a link to one; entries whose type the listing does not
// give are asked of the file system.
bool IsRegularFile(const dirent* entry, const StringBuf& path)
{
    if (entry->d_type == DT_REG)
        return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
        return false;
    struct stat st;
    return ::stat(path.Get(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

void IPlugPresetmanager::BuildPresetList(bool captureDefault)
{
    if (!owner)
        return;
    if (captureDefault)
    {
        busy = true;
        CaptureDefaultPreset(&defaultPreset);
    }
    else
    {
        owner->MakeBlankPresets();
    }
    factoryPresetCount = MakeFactoryPresets();
    ScanUserPresets(StringBuf(userPresetFolder));
    if (captureDefault)
        busy = false;
}

void IPlugPresetmanager::ScanUserPresets(const StringBuf& folder)
{
    if (!owner || folder.GetLength() == 0)
        return;
    dirent** entries = nullptr;
    const int n = ::scandir(folder.Get(), &entries, nullptr, alphasort);
    if (n < 0)
        return;
    // Fewer than 2 entries: not even "." and "..", no usable listing.
    for (int i = 0; i < n; ++i)
    {
        const dirent* entry = entries[i];
        if (n >= 2 && std::strstr(entry->d_name, ".fxp") && !IsWriteTemporaryName(entry->d_name))
        {
            StringBuf path(folder);
            path.Append(entry->d_name);
            if (IsRegularFile(entry, path))
                owner->LoadProgramFileAsPreset(path);
        }
        std::free(entries[i]);
    }
    std::free(entries);
}

bool IPlugPresetmanager::LoadDefaultPreset(const StringBuf& folder)
{
    if (!owner || folder.GetLength() == 0)
        return false;
    StringBuf path(folder);
    path.Append(kDefaultPresetFile);
    return owner->LoadProgramFile(path, false);
}

bool IPlugPresetmanager::SaveDefaultPreset(const StringBuf& folder)
{
    if (!owner)
        return false;
    defaultSavePath.Assign(folder);
    std::string failedFolder;
    defaultSaveFolderFailed = folder.GetLength() > 0 && !CreateFolderIfMissing(folder.Get(), &failedFolder);
    if (defaultSaveFolderFailed)
    {
        defaultSaveFailed = true;
        defaultSaveError = errno;
        defaultSaveBlockedAt.Set(failedFolder.c_str());
        return false;
    }
    defaultSaveBlockedAt.Set("");
    defaultSavePath.Append(kDefaultPresetFile);
    errno = 0;
    defaultSaveFailed = folder.GetLength() == 0 || !owner->SaveCurrentProgramFile(defaultSavePath);
    defaultSaveError = defaultSaveFailed ? errno : 0;
    return !defaultSaveFailed;
}

bool IPlugPresetmanager::TakeDefaultSaveFailure(StringBuf* path, int* error, bool* isFolder, StringBuf* blockedAt)
{
    if (!defaultSaveFailed)
        return false;
    defaultSaveFailed = false;
    path->Assign(defaultSavePath);
    blockedAt->Assign(defaultSaveBlockedAt);
    *error = defaultSaveError;
    *isFolder = defaultSaveFolderFailed;
    return true;
}

void IPlugPresetmanager::MarkPresetParams(int32_t nParams, const PresetParamEntry* table)
{
    if (!owner)
        return;
    for (int32_t i = 0; i < nParams; ++i)
        if (IPlugParam* param = owner->GetParam(i))
            param->SetPresetMember(false);
    for (const PresetParamEntry* entry = table; entry && entry->identifier; ++entry)
        if (IPlugParam* param = owner->GetParam(entry->index))
            param->SetPresetMember(true);
}
