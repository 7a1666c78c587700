// Program files of IPlugBase: saving and loading ".fxp" files.
#include "framework/core/IPlugBase.h"

#include "framework/core/ByteOrder.h"
#include "framework/core/ChunkVersionHeader.h"
#include "framework/core/ProgramFile.h"
#include "framework/core/Utf8Cut.h"
#include "platform/FileIO.h"

#include <cstring>
#include <new>

bool IPlugBase::SaveProgramFile(const StringBuf& fileName, const char* programName)
{
    if (fileName.GetLength() == 0)
        return false;
    IStateChunk file;
    if (doesChunks)
    {
        IStateChunk chunk;
        if (!WriteChunkVersionHeader(chunk) || !SaveState(chunk))
            return false;
        const int32_t chunkSize = chunk.Size();
        if (!PutProgramFileHeader(file, ProgramKind::kChunk, static_cast<uint32_t>(chunkSize) + kProgramChunkOffset,
                                  uniqueId, version, NParams(), programName))
            return false;
        uint8_t sizeBytes[4];
        StoreU32BE(sizeBytes, static_cast<uint32_t>(chunkSize));
        if (!file.PutBytes(sizeBytes, 4) || !file.PutBytes(chunk.Data(), chunkSize))
            return false;
    }
    else
    {
        if (!PutProgramFileHeader(file, ProgramKind::kValues, 0, uniqueId, version, NParams(), programName))
            return false;
        PlatformLockGuard guard(lock);
        for (int32_t i = 0; i < NParams(); ++i)
        {
            uint8_t bytes[4];
            StoreFloatBE(bytes, static_cast<float>(GetParam(i)->GetUnitValue()));
            if (!file.PutBytes(bytes, 4))
                return false;
        }
    }
    return WriteFileAtomically(fileName.Get(), file.Data(), static_cast<size_t>(file.Size()));
}

bool IPlugBase::SaveCurrentProgramFile(const StringBuf& fileName)
{
    return SaveProgramFile(fileName, PresetName(currentPreset));
}

bool IPlugBase::ReadProgramFile(const StringBuf& fileName, IStateChunk& file, ProgramFileInfo* info) const
{
    return ReadProgramFileAt(fileName.Get(), {uniqueId, NParams(), doesChunks}, file, info) == ProgramFileFault::kNone;
}

ProgramFileFault IPlugBase::CheckProgramFile(const StringBuf& fileName) const
{
    IStateChunk file;
    ProgramFileInfo info;
    return ReadProgramFileAt(fileName.Get(), {uniqueId, NParams(), doesChunks}, file, &info);
}

void IPlugBase::ApplyProgramFile(const IStateChunk& file, const ProgramFileInfo& info)
{
    if (info.kind == ProgramKind::kChunk)
    {
        LoadState(file, info.dataPos);
        return;
    }
    for (int32_t i = 0; i < NParams(); ++i)
    {
        uint8_t bytes[4];
        file.Read(bytes, 4, info.dataPos + 4 * i);
        GetParam(i)->SetUnitValue(LoadFloatBE(bytes));
    }
}

bool IPlugBase::LoadProgramFile(const StringBuf& fileName, bool applyOnly)
{
    IStateChunk file;
    ProgramFileInfo info;
    if (!ReadProgramFile(fileName, file, &info))
        return false;
    PlatformLockGuard guard(lock);
    ApplyProgramFile(file, info);
    IPlugPreset* current = GetPreset(currentPreset);
    if ((applyOnly && info.kind == ProgramKind::kValues) || !current)
    {
        HandleAllParamChanges();
    }
    else
    {
        // An empty current slot would otherwise be recalled by capturing the
        // state under a made-up name, without the change hooks.
        current->initialised = true;
        ModifyCurrentPreset(info.programName);
        if (!RecallPreset(currentPreset, false))
            HandleAllParamChanges();
    }
    AnnounceProgramLoaded();
    return true;
}

bool IPlugBase::LoadProgramFileAsPreset(const StringBuf& fileName)
{
    IStateChunk file;
    ProgramFileInfo info;
    if (!ReadProgramFile(fileName, file, &info))
        return false;

    StringBuf baseName(fileName.Get());
    baseName.StripExtension();
    char name[kPresetNameMax + 1] = {};
    std::memcpy(name, baseName.FilePart(), Utf8CutLength(baseName.FilePart(), kPresetNameMax));

    PlatformLockGuard guard(lock);
    const int32_t idx = NPresets();
    auto* preset = new (std::nothrow) IPlugPreset(idx);
    IStateChunk saved;
    if (!preset || !SaveState(saved) || !presets.Add(preset))
    {
        delete preset;
        return false;
    }
    preset->fromFile = true;

    // The file's values stand in for the current ones only while the slot
    // takes them, under the lock, without change hooks.
    const bool suppressed = paramChangeHooksSuppressed;
    paramChangeHooksSuppressed = true;
    ApplyProgramFile(file, info);
    paramChangeHooksSuppressed = suppressed;
    const bool ok = MakePresetAtFromPairs(idx, name, {}) && ModifyPreset(idx, name);

    LoadState(saved, 0);
    RefreshParamControls();
    if (!ok)
    {
        // A file that could not become a preset leaves the list as it was.
        presets.Remove(idx);
        delete preset;
    }
    return ok;
}
