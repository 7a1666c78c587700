#include "host/cli/OutputPaths.h"

#include "host/cli/SoundFileSource.h"

#include <sys/stat.h>

#include <utility>

namespace {

bool Identify(const std::string& path, struct stat* status) { return ::stat(path.c_str(), status) == 0; }

bool Same(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Why output (named by option) must not be written, or empty.
std::string Conflict(const char* option, const std::string& output, const HostOptions& options)
{
    struct stat target = {};
    if (output.empty() || !Identify(output, &target))
        return {};
    struct stat input = {};
    for (const std::string& file : options.files)
        if (Identify(file, &input) && Same(input, target))
            return std::string(option) + " would overwrite the input " + file;
    if (option != std::string("--state-out") && !options.stateIn.empty() && Identify(options.stateIn, &input) &&
        Same(input, target))
        return std::string(option) + " would overwrite the state " + options.stateIn + " read by --state-in";
    std::string reason;
    if (S_ISREG(target.st_mode) && SoundFileSource::Open(output, &reason))
        return std::string(option) + " would overwrite the audio file " + output;
    return {};
}

}  // namespace

bool NamesOpenFile(const std::string& path, int fd)
{
    struct stat named = {};
    struct stat open = {};
    return Identify(path, &named) && ::fstat(fd, &open) == 0 && Same(named, open);
}

std::string OutputConflict(const HostOptions& options)
{
    for (const auto& [option, output] : {std::pair<const char*, const std::string&>{"--state-out", options.stateOut},
                                         {"--trace", options.trace},
                                         {"--screenshot", options.screenshot}})
    {
        std::string reason = Conflict(option, output, options);
        if (!reason.empty())
            return reason;
    }
    return {};
}
