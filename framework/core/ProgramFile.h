#pragma once
// The program file format (".fxp"): a big-endian "CcnK" record holding either
// one float unit value per parameter ("FxCk") or a state chunk ("FPCh").
//
//   offset size  field
//   0      4     "CcnK"
//   4      4     byte size: 0 for "FxCk", chunk size + 60 for "FPCh" (not read)
//   8      4     "FxCk" or "FPCh"
//   12     4     format version, 1
//   16     4     plug-in ID
//   20     4     plug-in version, (major * 10 + minor) * 100 + patch (not read)
//   24     4     parameter count
//   28     28    program name, NUL-padded (27 characters written)
//   56     4n    "FxCk": unit values as floats, in index order
//   56     4     "FPCh": chunk size (not read; the chunk runs to the end of file)
//   60     ...   "FPCh": chunk: optional version header, then the state
//
// These functions only look at bytes; IPlugBase reads and writes the files.

#include "framework/core/IStateChunk.h"

#include <cstdint>

constexpr int32_t kProgramHeaderSize = 56;
constexpr int32_t kProgramChunkOffset = 60;
constexpr int32_t kProgramNameBytes = 28;
constexpr int32_t kProgramNameMax = 27;  // characters written
// Larger files are refused before anything of them is read.
constexpr int64_t kProgramFileMaxSize = 1 << 20;

enum class ProgramKind
{
    kValues,  // "FxCk"
    kChunk,   // "FPCh"
};

// What a file must match to be taken by a plug-in.
struct ProgramFileExpect
{
    int32_t uniqueId;
    int32_t nParams;
    bool doesChunks;
};

struct ProgramFileInfo
{
    ProgramKind kind = ProgramKind::kValues;
    char programName[kProgramNameBytes + 1] = {};  // always terminated
    // Where the values ("FxCk") or the state ("FPCh", after any version
    // header) begin.
    int32_t dataPos = 0;
};

// Why a file is not taken.
enum class ProgramFileFault
{
    kNone,          // taken
    kUnreadable,    // cannot be opened or read whole (missing, a folder, no permission)
    kNotProgram,    // no "CcnK" record of format 1 holding "FxCk" or "FPCh", or larger than the limit
    kOtherPlugin,   // made for another plug-in (its ID differs)
    kParamCount,    // holds another number of parameters
    kChunkRefused,  // an "FPCh" file for a plug-in without chunks
    kSize,          // cut short, or longer than its values
    kBadValues,     // a value that is no finite number, or a version header cut short
};

// The fault as the end of a sentence for the user ("it was made for another
// plug-in"); "" for kNone.
const char* ProgramFileFaultText(ProgramFileFault fault);

// Checks the 56-byte header at data (size bytes available): magic, format
// version, plug-in ID, parameter count and kind ("FPCh" only for a plug-in
// with chunks); fills info's kind and name. The first mismatch found, or
// kNone.
ProgramFileFault CheckProgramFileHeader(const uint8_t* data, int64_t size, const ProgramFileExpect& expect,
                                        ProgramFileInfo* info);

// Whether a file of fileSize bytes can hold what its header announces: an
// "FxCk" file exactly the header and n floats; an "FPCh" file at least the
// chunk offset and n doubles; neither more than kProgramFileMaxSize.
bool ProgramFileSizeFits(ProgramKind kind, int64_t fileSize, int32_t nParams);

// Validates a whole file: the header, the size, and the data: n finite
// floats, or a chunk whose version header (when it starts with the magic) is
// whole and which then holds n finite doubles. Fills info; false on any fault.
bool ParseProgramFile(const IStateChunk& file, const ProgramFileExpect& expect, ProgramFileInfo* info);
// The same, naming the first fault found.
ProgramFileFault CheckProgramFile(const IStateChunk& file, const ProgramFileExpect& expect, ProgramFileInfo* info);

// Reads the regular file at path into file (appended) and checks it whole
// (CheckProgramFile); a file that is refused by its header or its size is
// read no further. Runs on the caller's thread.
ProgramFileFault ReadProgramFileAt(const char* path, const ProgramFileExpect& expect, IStateChunk& file,
                                   ProgramFileInfo* info);

// (major * 10 + minor) * 100 + patch of a version word (0x00010200 -> 1200).
int32_t ProgramFileVersion(int32_t versionWord);

// Appends the header to file (byte size, kind, ID, version, count, name cut
// to 27 bytes); false when the file cannot grow.
bool PutProgramFileHeader(IStateChunk& file, ProgramKind kind, uint32_t byteSize, int32_t uniqueId,
                          int32_t versionWord, int32_t nParams, const char* programName);
