#pragma once
// The plug-in's preset list from three sources: the factory presets of the
// plug-in class, one preset per ".fxp" file of the user-preset folder, and
// the user's "default.fxp". A base of the plug-in class beside its binding;
// it reaches the plug-in through its owner. Runs on the constructing thread
// or the editor's (rescan, save-default); the state operations it calls take
// the plug-in lock.

#include "framework/core/IPlugPreset.h"
#include "framework/core/PresetParamEntry.h"
#include "framework/core/StringBuf.h"

#include <cstdint>

class IPlugBase;

class IPlugPresetmanager
{
public:
    IPlugPresetmanager() = default;
    virtual ~IPlugPresetmanager() = default;
    IPlugPresetmanager(const IPlugPresetmanager&) = delete;
    IPlugPresetmanager& operator=(const IPlugPresetmanager&) = delete;

    // ---- The plug-in class overrides these ---------------------------------

    // Makes the factory presets with the owner's preset makers (they fill the
    // first free slots in order); returns their count. Base: 0.
    virtual int32_t MakeFactoryPresets() { return 0; }
    // Fills the record from the current values and names it
    // (IPlugBase::FillPresetFromPairs). Base: nothing.
    virtual void CaptureDefaultPreset(IPlugPreset* preset) { (void)preset; }

    // ---- Building the list ---------------------------------------------------

    // captureDefault: busy while CaptureDefaultPreset(DefaultPreset()), the
    // factory presets and the scan run. Otherwise (the editor's rescan) the
    // owner's slots are first made blank. Then MakeFactoryPresets, then
    // ScanUserPresets(user-preset folder). After it: the factory presets, the
    // remaining declared slots empty, one slot per accepted file.
    void BuildPresetList(bool captureDefault);
    // Appends one slot per accepted program file in folder (ending in "/"):
    // regular files (links followed) whose name contains ".fxp", in the
    // order of strcoll of their names; the temporary files of a save are
    // passed over (IsWriteTemporaryName). An unreadable folder adds nothing.
    void ScanUserPresets(const StringBuf& folder);
    // folder + "default.fxp" through IPlugBase::LoadProgramFile: its values
    // become current, stored into and recalled from the current slot. False,
    // values as they were, when it is missing or refused (or folder is empty).
    bool LoadDefaultPreset(const StringBuf& folder);
    // Writes the current values under the current slot's name to folder +
    // "default.fxp", replacing it atomically; false (the old file stays) when
    // that fails or folder is empty. A missing folder is made first (it may
    // have gone since the data path was built, or never been made).
    bool SaveDefaultPreset(const StringBuf& folder);
    // For the editor that asked for the save through the plug-in's handler
    // (UI thread): after a failed SaveDefaultPreset, true once, with what it
    // could not do and the errno of the failure (0 when none was set): the
    // folder it could not make (*isFolder true; folder, with *blockedAt the
    // one of it or above it that CreateFolderIfMissing names), else the file
    // it could not write (folder + "default.fxp"). False after a save that
    // succeeded or when the failure was taken already.
    bool TakeDefaultSaveFailure(StringBuf* path, int* error, bool* isFolder, StringBuf* blockedAt);
    // Clears the preset-member flag of the owner's parameters 0..nParams-1,
    // then sets it for every index of table up to its record with a null
    // identifier (indices that name no parameter are skipped).
    void MarkPresetParams(int32_t nParams, const PresetParamEntry* table);

    // ---- Fields the plug-in class sets and reads ----------------------------

    void SetOwner(IPlugBase* plug) { owner = plug; }
    // While set, the plug-in's change handler ignores every call.
    bool IsBusy() const { return busy; }
    void SetBusy(bool b) { busy = b; }
    int32_t FactoryPresetCount() const { return factoryPresetCount; }
    void SetFactoryPresetCount(int32_t n) { factoryPresetCount = n; }
    StringBuf& UserPresetFolder() { return userPresetFolder; }
    StringBuf& DefaultPresetFolder() { return defaultPresetFolder; }
    // The plug-in's factory default state; lives as long as this object.
    IPlugPreset* DefaultPreset() { return &defaultPreset; }

private:
    IPlugBase* owner = nullptr;
    bool busy = false;
    int32_t factoryPresetCount = 0;
    StringBuf userPresetFolder;
    StringBuf defaultPresetFolder;
    IPlugPreset defaultPreset{0};
    bool defaultSaveFailed = false;
    bool defaultSaveFolderFailed = false;
    int defaultSaveError = 0;
    StringBuf defaultSavePath;
    StringBuf defaultSaveBlockedAt;
};
