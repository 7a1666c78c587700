#include "framework/core/ProgramFile.h"

#include "framework/core/ByteOrder.h"
#include "framework/core/ChunkVersionHeader.h"
#include "framework/core/Utf8Cut.h"
#include "platform/FileIO.h"
#include "platform/FourCharCode.h"

#include <cmath>
#include <cstring>
#include <vector>

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

const char* ProgramFileFaultText(ProgramFileFault fault)
{
    switch (fault)
    {
    case ProgramFileFault::kNone:
        return "";
    case ProgramFileFault::kUnreadable:
        return "it cannot be read";
    case ProgramFileFault::kNotProgram:
        return "it is not a preset file";
    case ProgramFileFault::kOtherPlugin:
        return "it was made for another plug-in";
    case ProgramFileFault::kParamCount:
        return "it holds a different number of parameters";
    case ProgramFileFault::kChunkRefused:
        return "it holds a kind of preset this plug-in does not read";
    case ProgramFileFault::kSize:
        return "it is cut short or damaged";
    case ProgramFileFault::kBadValues:
        return "it holds damaged values";
    }
    return "it cannot be read";
}

ProgramFileFault CheckProgramFileHeader(const uint8_t* data, int64_t size, const ProgramFileExpect& expect,
                                        ProgramFileInfo* info)
{
    if (!data || size < kProgramHeaderSize || expect.nParams < 0)
        return ProgramFileFault::kNotProgram;
    const uint32_t kind = LoadU32BE(data + 8);
    if (LoadU32BE(data) != kMagic || LoadU32BE(data + 12) != kFormatVersion ||
        (kind != kChunkKind && kind != kValuesKind))
        return ProgramFileFault::kNotProgram;
    if (LoadU32BE(data + 16) != static_cast<uint32_t>(expect.uniqueId))
        return ProgramFileFault::kOtherPlugin;
    if (LoadU32BE(data + 24) != static_cast<uint32_t>(expect.nParams))
        return ProgramFileFault::kParamCount;
    if (kind == kChunkKind && !expect.doesChunks)
        return ProgramFileFault::kChunkRefused;
    info->kind = kind == kChunkKind ? ProgramKind::kChunk : ProgramKind::kValues;
    std::memcpy(info->programName, data + 28, kProgramNameBytes);
    info->programName[kProgramNameBytes] = '\0';
    info->dataPos = info->kind == ProgramKind::kValues ? kProgramHeaderSize : kProgramChunkOffset;
    return ProgramFileFault::kNone;
}

bool ProgramFileSizeFits(ProgramKind kind, int64_t fileSize, int32_t nParams)
{
    if (fileSize > kProgramFileMaxSize || nParams < 0)
        return false;
    if (kind == ProgramKind::kValues)
        return fileSize == kProgramHeaderSize + 4 * int64_t{nParams};
    return fileSize >= kProgramChunkOffset + 8 * int64_t{nParams};
}

ProgramFileFault CheckProgramFile(const IStateChunk& file, const ProgramFileExpect& expect, ProgramFileInfo* info)
{
    const ProgramFileFault fault = CheckProgramFileHeader(file.Data(), file.Size(), expect, info);
    if (fault != ProgramFileFault::kNone)
        return fault;
    if (!ProgramFileSizeFits(info->kind, file.Size(), expect.nParams))
        return file.Size() > kProgramFileMaxSize ? ProgramFileFault::kNotProgram : ProgramFileFault::kSize;
    if (info->kind == ProgramKind::kValues)
        return ValuesFinite(file, info->dataPos, expect.nParams) ? ProgramFileFault::kNone
                                                                 : ProgramFileFault::kBadValues;
    ReadChunkVersionHeader(file, &info->dataPos);
    return info->dataPos >= 0 && StateFinite(file, info->dataPos, expect.nParams) ? ProgramFileFault::kNone
                                                                                  : ProgramFileFault::kBadValues;
}

bool ParseProgramFile(const IStateChunk& file, const ProgramFileExpect& expect, ProgramFileInfo* info)
{
    return CheckProgramFile(file, expect, info) == ProgramFileFault::kNone;
}

ProgramFileFault ReadProgramFileAt(const char* path, const ProgramFileExpect& expect, IStateChunk& file,
                                   ProgramFileInfo* info)
{
    ReadOnlyFile in;
    if (!path || !in.Open(path))
        return ProgramFileFault::kUnreadable;
    if (in.Size() < kProgramHeaderSize || in.Size() > kProgramFileMaxSize)
        return ProgramFileFault::kNotProgram;
    std::vector<uint8_t> bytes(static_cast<size_t>(in.Size()));
    if (!in.ReadNext(bytes.data(), kProgramHeaderSize))
        return ProgramFileFault::kUnreadable;
    const ProgramFileFault fault = CheckProgramFileHeader(bytes.data(), kProgramHeaderSize, expect, info);
    if (fault != ProgramFileFault::kNone)
        return fault;
    if (!ProgramFileSizeFits(info->kind, in.Size(), expect.nParams))
        return ProgramFileFault::kSize;
    if (!in.ReadNext(bytes.data() + kProgramHeaderSize, bytes.size() - kProgramHeaderSize))
        return ProgramFileFault::kUnreadable;
    if (!file.PutBytes(bytes.data(), static_cast<int32_t>(bytes.size())))
        return ProgramFileFault::kUnreadable;
    return CheckProgramFile(file, expect, info);
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
