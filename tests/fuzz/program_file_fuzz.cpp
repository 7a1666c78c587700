// Program-file reader: the bytes become a file that both loaders read, for a
// plug-in with and without chunks; ParseProgramFile sees them directly too.
#include "FuzzCheck.h"
#include "framework/core/ProgramFile.h"
#include "support/TestPlug.h"

#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// An in-memory regular file that the loaders open by its name.
struct MemoryFile
{
    int fd = memfd_create("program", 0);
    StringBuf path{("/proc/self/fd/" + std::to_string(fd)).c_str()};

    bool Write(const uint8_t* data, size_t size) const
    {
        return fd >= 0 && ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == static_cast<ssize_t>(size);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const MemoryFile file;
    if (!file.Write(data, size))
        return 0;
    IStateChunk bytes;
    bytes.PutBytes(data, static_cast<int32_t>(size));
    for (bool chunks : {false, true})
    {
        TestPlug plug("1-1", 4, 2, 0, chunks);
        plug.MakePresetFromPairs("First", {});
        const std::vector<double> before = ParamValues(plug);

        ProgramFileInfo info;
        const bool valid = ParseProgramFile(bytes, {plug.GetUniqueId(), plug.NParams(), chunks}, &info);
        FUZZ_CHECK(info.programName[kProgramNameBytes] == '\0');

        FUZZ_CHECK(plug.LoadProgramFileAsPreset(file.path) == valid);
        FUZZ_CHECK(ParamValues(plug) == before);
        FUZZ_CHECK(plug.NPresets() == (valid ? 3 : 2));

        const bool loaded = plug.LoadProgramFile(file.path, size > 0 && (data[size - 1] & 1));
        FUZZ_CHECK(loaded == valid);
        if (!loaded)
            FUZZ_CHECK(ParamValues(plug) == before && plug.changes.empty());
        CheckValuesSound(plug);
    }
    return 0;
}
