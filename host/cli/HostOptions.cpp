#include "host/cli/HostOptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// "--name=value" gives value; "--name" takes the next argument.
bool TakeValue(const char* name, int argc, const char* const* argv, int* i, std::string* value,
               std::string* error)
{
    const char* arg = argv[*i];
    const size_t length = std::strlen(name);
    if (arg[length] == '=')
    {
        *value = arg + length + 1;
        return true;
    }
    if (*i + 1 >= argc)
    {
        *error = std::string(name) + " needs a value";
        return false;
    }
    *value = argv[++*i];
    return true;
}

// Whether arg is the option name, alone or as "name=value".
bool Is(const char* arg, const char* name)
{
    const size_t length = std::strlen(name);
    return std::strncmp(arg, name, length) == 0 && (arg[length] == '\0' || arg[length] == '=');
}

bool ParseBlock(const std::string& text, int32_t* block, std::string* error)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < 1 || value > HostOptions::kMaxBlock)
    {
        *error = "--block takes a number of frames from 1 to " + std::to_string(HostOptions::kMaxBlock) +
                 ", not \"" + text + "\"";
        return false;
    }
    *block = static_cast<int32_t>(value);
    return true;
}

}  // namespace

bool ParseHostOptions(int argc, const char* const* argv, HostOptions* options, std::string* error)
{
    bool filesOnly = false;
    for (int i = 1; i < argc; ++i)
    {
        const char* arg = argv[i];
        std::string value;
        if (filesOnly || arg[0] != '-')
        {
            options->files.emplace_back(arg);
        }
        else if (std::strcmp(arg, "--") == 0)
        {
            filesOnly = true;
        }
        else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)
        {
            options->help = true;
        }
        else if (std::strcmp(arg, "--json") == 0)
        {
            options->json = true;
        }
        else if (std::strcmp(arg, "--editor") == 0)
        {
            options->editor = true;
        }
        else if (Is(arg, "--set"))
        {
            if (!TakeValue("--set", argc, argv, &i, &value, error))
                return false;
            const size_t equals = value.find('=');
            if (equals == std::string::npos || equals == 0)
            {
                *error = "--set takes NAME=TEXT, not \"" + value + "\"";
                return false;
            }
            options->settings.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        }
        else if (Is(arg, "--block"))
        {
            if (!TakeValue("--block", argc, argv, &i, &value, error) || !ParseBlock(value, &options->block, error))
                return false;
        }
        else if (Is(arg, "--module") || Is(arg, "--state-in") || Is(arg, "--state-out") || Is(arg, "--trace") ||
                 Is(arg, "--screenshot"))
        {
            const std::string name(arg, std::strcspn(arg, "="));
            if (!TakeValue(name.c_str(), argc, argv, &i, &value, error))
                return false;
            if (value.empty())
            {
                *error = name + " needs a file name";
                return false;
            }
            std::string& target = name == "--module"      ? options->modulePath
                                  : name == "--state-in"  ? options->stateIn
                                  : name == "--state-out" ? options->stateOut
                                  : name == "--trace"     ? options->trace
                                                          : options->screenshot;
            target = value;
        }
        else
        {
            *error = std::string("unknown option ") + arg;
            return false;
        }
    }
    if (!options->trace.empty() && options->files.size() > 1)
    {
        *error = "--trace takes one input file at a time";
        return false;
    }
    if (options->editor && options->files.size() > 1)
    {
        *error = "--editor plays one input file at a time";
        return false;
    }
    return true;
}

const char* HostUsage()
{
    return "usage: sonvarek-host [options] [FILE ...]\n"
           "       sonvarek-host --editor [options] [FILE]\n"
           "Measures each audio FILE (1, 2, 4, 5 or 6 channels, each at the place of the speaker\n"
           "the file names; unnamed 5 as L R C Ls Rs, 6 as L R C LFE Ls Rs) through the Sonvarek\n"
           "module as a host does and reports the meter's output parameters.\n"
           "Without FILE it measures a built-in stereo programme at 48 kHz that reads -23.0 LUFS.\n"
           "Each input is measured on the EBU meter unless --set or --state-in sets Type.\n"
           "\n"
           "  --set NAME=TEXT    set a parameter by its name, e.g. --set \"Type=EBU\" (repeatable)\n"
           "  --block N          frames per render call (default 512)\n"
           "  --module PATH      the module to load (default: Sonvarek.so beside the program)\n"
           "  --state-in FILE    load the state chunk from FILE before the --set options\n"
           "  --state-out FILE   save the state chunk to FILE after the first measured input\n"
           "  --trace FILE       write every published value as CSV (one input only)\n"
           "  --screenshot FILE  save the editor, opened after the first input, as a PNG image\n"
           "                     (with --editor: as it stands when its window is closed)\n"
           "  --editor           play FILE in real time with the editor open in a window on\n"
           "                     $DISPLAY; closing the window or Ctrl-C ends it and reports\n"
           "  --json             one JSON object per input on its own line\n"
           "  --help             this text\n"
           "\n"
           "Exit status: 0 success, 1 a file or the module could not be read or an output\n"
           "could not be written, 2 a usage error, 130 or 143 stopped by SIGINT or SIGTERM\n"
           "before every input was measured (without --editor).\n";
}
