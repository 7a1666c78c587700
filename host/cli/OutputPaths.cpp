#include "host/cli/OutputPaths.h"

#include "host/cli/input/SoundFileSource.h"

#include <sys/stat.h>

#include <iterator>
#include <string>
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

// Whether two outputs would land in one file: the same device and inode when
// both exist; when neither does, the same name in the same folder (or, with
// no such folder, the same text).
bool SameOutput(const std::string& a, const std::string& b)
{
    struct stat first = {};
    struct stat second = {};
    const bool firstExists = Identify(a, &first);
    const bool secondExists = Identify(b, &second);
    if (firstExists || secondExists)
        return firstExists && secondExists && Same(first, second);
    const auto split = [](const std::string& path) {
        const size_t slash = path.rfind('/');
        return slash == std::string::npos ? std::pair<std::string, std::string>{".", path}
                                          : std::pair<std::string, std::string>{path.substr(0, slash + 1),
                                                                                path.substr(slash + 1)};
    };
    const auto [firstFolder, firstName] = split(a);
    const auto [secondFolder, secondName] = split(b);
    if (firstName != secondName)
        return false;
    if (Identify(firstFolder, &first) && Identify(secondFolder, &second))
        return Same(first, second);
    return a == b;
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
    const std::pair<const char*, const std::string&> outputs[] = {
        {"--state-out", options.stateOut}, {"--trace", options.trace}, {"--screenshot", options.screenshot}};
    for (const auto& [option, output] : outputs)
    {
        std::string reason = Conflict(option, output, options);
        if (!reason.empty())
            return reason;
    }
    // Each would replace or write over what the other wrote.
    for (size_t i = 0; i < std::size(outputs); ++i)
        for (size_t k = i + 1; k < std::size(outputs); ++k)
            if (!outputs[i].second.empty() && !outputs[k].second.empty() &&
                SameOutput(outputs[i].second, outputs[k].second))
                return std::string(outputs[i].first) + " and " + outputs[k].first + " name one file " +
                       outputs[k].second;
    return {};
}
