#include "framework/core/IPlugPathes.h"

#include "framework/core/IPlugBase.h"
#include "platform/DataFolders.h"

namespace {

constexpr const char* kFormatFolderName = "AAX";

// Appends name to a folder that ends in "/", creates it and ends it in "/".
void AppendFolder(StringBuf* folder, const char* name)
{
    folder->Append(name);
    CreateFolderIfMissing(folder->Get());
    folder->Append("/");
}

}  // namespace

void IPlugPathes::BuildDataPath()
{
    moduleFolder.Set("");
    productFolder.Set("");
    formatFolder.Set("");
    if (!owner)
        return;
    if (IEditorLink* editor = owner->GetEditor())
        editor->ModuleFolder(&moduleFolder);

    // No data folder: stay empty rather than build paths from the root or
    // the working folder.
    const std::string dataFolder = GetLocalAppDataFolder();
    if (dataFolder.empty() || !*owner->GetEffectName())
        return;
    productFolder.Set(dataFolder.c_str());
    if (dataFolder.back() != '/')
        productFolder.Append("/");
    AppendFolder(&productFolder, owner->GetEffectName());
    formatFolder.Assign(productFolder);
    AppendFolder(&formatFolder, kFormatFolderName);
}
