// The preset menu of IExtPresetMenu_SVG1 and what its entries do.
#include "graphics/vector/IExtPresetMenu_SVG1.h"

#include "framework/core/IPlugBase.h"
#include "framework/core/IPlugPresetmanager.h"
#include "framework/core/ProgramFile.h"
#include "framework/core/Utf8Cut.h"
#include "graphics/editor/IGraphics.h"
#include "graphics/editor/IPlugMenu.h"
#include "platform/DataFolders.h"
#include "platform/PathForMessage.h"
#include "platform/win32/Win32Services.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace {

// Positions in the main menu.
enum MainEntry : int32_t
{
    kLoadPreset = 0,
    kResetToDefault = 1,
    kSavePreset = 3,
    kSaveAsDefault = 4,
};

// The most bytes of a program name taken from a file name.
constexpr size_t kProgramNameRoom = 259;
// The most bytes of an alert's text. The paths in it are shortened first, so
// the words and the reason around them always fit.
constexpr int32_t kAlertRoom = 8192;
static_assert(kAlertRoom > 2 * kMessagePathBytes + 1024, "an alert's reason is never cut");

// Said after the alert of a failed "Save as Default".
constexpr const char* kDefaultNotSaved = "The default preset was not saved.";

// Why a file could not be written, from the errno of the failure.
const char* SaveFailureText(int error) { return error != 0 ? std::strerror(error) : "it could not be written"; }

// Why folder could not be made, where CreateFolderIfMissing stopped at
// blockedAt (folder itself or one above it) with error. What stands in the
// way is named: the system's "Not a directory" or "No such file or
// directory" leaves the user to guess which path and why.
std::string FolderFailureText(std::string folder, const std::string& blockedAt, int error)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const bool itself = blockedAt == folder;
    const std::string named = "\"" + PathForMessage(blockedAt) + "\"";
    if (error == ENOTDIR)
        return "the file " + named + (itself ? " stands in its place" : " stands in its way");
    if (error == ENOENT)
        return "the link " + named + " leads nowhere";
    if (itself)
        return SaveFailureText(error);
    return "the folder " + named + " above it could not be made: " + SaveFailureText(error);
}

// A preset name as a file name to propose: path separators and the other
// characters a file name cannot hold on the systems presets travel between
// become "-" ("LKFS ATSC A/85" gives "LKFS ATSC A-85").
void ProposeFileName(const char* presetName, StringBuf* out)
{
    std::string name(presetName ? presetName : "");
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|", c))
            c = '-';
    out->Set(name.c_str());
}

}  // namespace

void IExtPresetMenu_SVG1::RunMenu()
{
    IPlugBase* plug = Plug();
    IGraphics* surface = Surface();
    if (!plug || !surface)
        return;
    // The submenus outlive the main menu, which refers to them.
    IPlugMenu factory;
    IPlugMenu user;
    IPlugMenu main;
    main.InsertTextEntry("Load Preset...", -1, 0);
    main.InsertTextEntry("Reset to Default", -1, 0);
    main.InsertDivider(-1);
    main.InsertTextEntry("Save Preset...", -1, 0);
    if (saveDefaultCommand != -1)
        main.InsertTextEntry("Save as Default", -1, 0);
    main.InsertDivider(-1);
    const int32_t current = plug->GetCurrentPresetIdx();
    for (int32_t i = 0; i < plug->NPresets(); ++i)
        (i < factoryPresetCount ? factory : user)
            .InsertTextEntry(plug->PresetName(i), -1, i == current ? kMenuItemChecked : 0);
    main.AppendSubmenu("Factory", &factory);
    if (plug->NPresets() > factoryPresetCount)
        main.AppendSubmenu("User", &user);

    const IPlugMenu* answer = surface->ShowPopupMenu(&main, LabelArea());
    if (answer == &factory)
    {
        RecallChosen(factory.ChosenIndex());
    }
    else if (answer == &user)
    {
        if (user.ChosenIndex() >= 0)
            RecallChosen(user.ChosenIndex() + std::max(factoryPresetCount, 0));
    }
    else if (answer == &main)
    {
        switch (main.ChosenIndex())
        {
        case kLoadPreset:
            LoadPresetFile();
            break;
        case kResetToDefault:
            ResetToDefault();
            break;
        case kSavePreset:
            SavePresetFile();
            break;
        case kSaveAsDefault:
            SaveAsDefault();
            break;
        default:
            break;
        }
    }
}

void IExtPresetMenu_SVG1::RecallChosen(int32_t idx)
{
    IPlugBase* plug = Plug();
    if (idx < 0 || idx >= plug->NPresets())
        return;
    // A user preset is shown from slot 0, under its own name.
    if (idx >= factoryPresetCount && idx != 0)
    {
        if (!plug->CopyPreset(idx, 0, true))
            return;
        idx = 0;
    }
    if (!plug->RecallPreset(idx, true))
        return;
    plug->AnnounceProgramLoaded();
    plug->SendAllParamsToHost();
}

void IExtPresetMenu_SVG1::LoadPresetFile()
{
    IPlugBase* plug = Plug();
    // Nothing to load from a preset folder that is missing: it is neither
    // made nor reported here, only passed over for the nearest that exists.
    StringBuf folder;
    DialogFolder(&folder);
    StringBuf fileName(folder);
    fileName.Append(".");
    Surface()->AskForFile(&fileName, 0, &folder, extensions.Get());
    filePath.Assign(fileName);
    if (filePath.GetLength() == 0)
        return;
    // Checked before slot 0 is recalled: a refused file changes nothing.
    ProgramFileFault fault = plug->CheckProgramFile(filePath);
    if (fault == ProgramFileFault::kNone)
    {
        plug->RecallPreset(0, false);
        if (plug->LoadProgramFile(filePath, false))
            return;
        // The file changed between the check and the load.
        fault = plug->CheckProgramFile(filePath);
        if (fault == ProgramFileFault::kNone)
            fault = ProgramFileFault::kUnreadable;
    }
    Alert("load", ProgramFileFaultText(fault));
}

void IExtPresetMenu_SVG1::ResetToDefault()
{
    IPlugBase* plug = Plug();
    const int32_t current = plug->GetCurrentPresetIdx();
    if (plug->CopyPresetFrom(defaultPreset, current, true))
        plug->RecallPreset(current, false);
}

void IExtPresetMenu_SVG1::SavePresetFile()
{
    IPlugBase* plug = Plug();
    // The preset folder may have gone, or never been made: made now, so that
    // the dialog can start in it and take a file there. One that cannot be
    // made is named with the reason, and the dialog still opens, in the
    // nearest folder that exists: the preset can go elsewhere.
    if (presetFolder.GetLength() > 0)
        MakePresetFolder();
    StringBuf folder;
    DialogFolder(&folder);
    ProposeFileName(plug->PresetName(plug->GetCurrentPresetIdx()), &filePath);
    StringBuf fileName(folder);
    fileName.Append(filePath.Get());
    Surface()->AskForFile(&fileName, 1, &folder, extensions.Get());
    filePath.Assign(fileName);
    if (filePath.GetLength() == 0)
        return;
    // The file's name without its folder and last extension.
    StringBuf base(filePath);
    base.StripExtension();
    char programName[kProgramNameRoom + 1] = {};
    std::memcpy(programName, base.FilePart(), Utf8CutLength(base.FilePart(), kProgramNameRoom));
    if (!programName[0])
    {
        Alert("save", "it has no name before its extension");
        return;
    }
    // Into the preset folder, which may have gone meanwhile or cannot be
    // made: then the folder is what the alert names.
    const bool intoPresetFolder = presetFolder.GetLength() > 0 &&
                                  std::string(filePath.Get(), filePath.FilePart()) == presetFolder.Get();
    if (intoPresetFolder && !MakePresetFolder())
        return;
    errno = 0;
    if (!plug->SaveProgramFile(filePath, programName))
    {
        Alert("save", SaveFailureText(errno));
        return;
    }
    if (savedCommand >= 0)
        plug->HandleParamChange(savedCommand);
}

void IExtPresetMenu_SVG1::SaveAsDefault()
{
    IPlugBase* plug = Plug();
    if (saveDefaultCommand < 0)
        return;
    // The handler writes the file; a plug-in that keeps presets tells how it went.
    auto* manager = dynamic_cast<IPlugPresetmanager*>(plug);
    StringBuf path;
    StringBuf blockedAt;
    int error = 0;
    bool isFolder = false;
    if (manager)
        manager->TakeDefaultSaveFailure(&path, &error, &isFolder, &blockedAt);  // an earlier save's is not this one's
    plug->HandleParamChange(saveDefaultCommand);
    if (!manager || !manager->TakeDefaultSaveFailure(&path, &error, &isFolder, &blockedAt))
        return;
    filePath.Assign(path);
    if (isFolder)
        Alert("make", FolderFailureText(path.Get(), blockedAt.Get(), error).c_str(), true, kDefaultNotSaved);
    else
        Alert("save", SaveFailureText(error), false, kDefaultNotSaved);
}

bool IExtPresetMenu_SVG1::MakePresetFolder()
{
    std::string blockedAt;
    if (CreateFolderIfMissing(presetFolder.Get(), &blockedAt))
        return true;
    const int error = errno;
    filePath.Assign(presetFolder);
    Alert("make", FolderFailureText(presetFolder.Get(), blockedAt, error).c_str(), true);
    return false;
}

void IExtPresetMenu_SVG1::DialogFolder(StringBuf* folder) const
{
    const std::string nearest = NearestExistingFolder(presetFolder.Get());
    folder->Set(nearest.empty() ? presetFolder.Get() : nearest.c_str());
}

void IExtPresetMenu_SVG1::Alert(const char* what, const char* reason, bool aboutFolder, const char* outcome)
{
    std::string path = filePath.Get();
    if (aboutFolder && path.size() > 1 && path.back() == '/')
        path.pop_back();
    path = PathForMessage(path);
    StringBuf text;
    text.SetFormatted(kAlertRoom, "Could not %s the preset %s \"%s\": %s.%s%s", what, aboutFolder ? "folder" : "file",
                      path.c_str(), reason, outcome ? "\n" : "", outcome ? outcome : "");
    Surface()->ShowAlert(text.Get(), Plug()->GetEffectName(), MB_OK | MB_ICONERROR);
}
