#include "framework/core/ProgramFile.h"

#include "framework/core/ByteOrder.h"
#include "framework/core/ChunkVersionHeader.h"
#include "framework/core/Utf8Cut.h"
#include "platform/FourCharCode.h"

#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kMagic = FourCharCode("CcnK");
constexpr uint32_t kValuesKind = FourCharCode("FxCk");
constexpr uint32_t kChunkKind = FourCharCode("FPCh");
constexpr uint32_t kFormatVersion = 1;

bool ValuesFinite(const IStateChunk& file, int32_t pos, int32_t nParams)
{
    for (int32_t i = 0; i < nParams; ++i, pos += 4)
    {
        uint8_t bytes[4];
        if (file.Read(bytes, 4, pos) < 0 || !std::isfinite(LoadFloatBE(bytes)))
            return false;
    }
    return true;
}

bool StateFinite(const IStateChunk& file, int32_t pos, int32_t nParams)
{
    for (int32_t i = 0; i < nParams; ++i)
    {
        double v = 0.0;
        pos = file.ReadDoubleLE(&v, pos);
        if (pos < 0 || !std::isfinite(v))
            return false;
    }
    return true;
}

}  // namespace

bool ReadProgramFileHeader(const uint8_t* data, int64_t size, const ProgramFileExpect& expect,
                           ProgramFileInfo* info)
{
    if (!data || size < kProgramHeaderSize || expect.nParams < 0)
        return false;
    if (LoadU32BE(data) != kMagic || LoadU32BE(data + 12) != kFormatVersion ||
        LoadU32BE(data + 16) != static_cast<uint32_t>(expect.uniqueId) ||
        LoadU32BE(data + 24) != static_cast<uint32_t>(expect.nParams))
        return false;
    const uint32_t kind = LoadU32BE(data + 8);
    if (kind == kChunkKind && expect.doesChunks)
        info->kind = ProgramKind::kChunk;
    else if (kind == kValuesKind)
        info->kind = ProgramKind::kValues;
    else
        return false;
    std::memcpy(info->programName, data + 28, kProgramNameBytes);
    info->programName[kProgramNameBytes] = '\0';
    info->dataPos = info->kind == ProgramKind::kValues ? kProgramHeaderSize : kProgramChunkOffset;
    return true;
}

bool ProgramFileSizeFits(ProgramKind kind, int64_t fileSize, int32_t nParams)
{
    if (fileSize > kProgramFileMaxSize || nParams < 0)
        return false;
    if (kind == ProgramKind::kValues)
        return fileSize == kProgramHeaderSize + 4 * int64_t{nParams};
    return fileSize >= kProgramChunkOffset + 8 * int64_t{nParams};
}

bool ParseProgramFile(const IStateChunk& file, const ProgramFileExpect& expect, ProgramFileInfo* info)
{
    if (!ReadProgramFileHeader(file.Data(), file.Size(), expect, info) ||
        !ProgramFileSizeFits(info->kind, file.Size(), expect.nParams))
        return false;
    if (info->kind == ProgramKind::kValues)
        return ValuesFinite(file, info->dataPos, expect.nParams);
    ReadChunkVersionHeader(file, &info->dataPos);
    return info->dataPos >= 0 && StateFinite(file, info->dataPos, expect.nParams);
}

int32_t ProgramFileVersion(int32_t versionWord)
{
    const int32_t major = (versionWord >> 16) & 0xFFFF;
    const int32_t minor = (versionWord >> 8) & 0xFF;
    const int32_t patch = versionWord & 0xFF;
    return (major * 10 + minor) * 100 + patch;
}

bool PutProgramFileHeader(IStateChunk& file, ProgramKind kind, uint32_t byteSize, int32_t uniqueId,
                          int32_t versionWord, int32_t nParams, const char* programName)
{
    uint8_t header[kProgramHeaderSize] = {};
    StoreU32BE(header, kMagic);
    StoreU32BE(header + 4, byteSize);
    StoreU32BE(header + 8, kind == ProgramKind::kValues ? kValuesKind : kChunkKind);
    StoreU32BE(header + 12, kFormatVersion);
    StoreU32BE(header + 16, static_cast<uint32_t>(uniqueId));
    StoreU32BE(header + 20, static_cast<uint32_t>(ProgramFileVersion(versionWord)));
    StoreU32BE(header + 24, static_cast<uint32_t>(nParams));
    if (programName)
        std::memcpy(header + 28, programName, Utf8CutLength(programName, kProgramNameMax));
    return file.PutBytes(header, sizeof header);
}
