#pragma once
// The command line of sonvarek-host: options and the files to measure.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct HostOptions
{
    static constexpr int32_t kDefaultBlock = 512;
    static constexpr int32_t kMaxBlock = 65536;

    std::vector<std::string> files;  // none: the built-in programme
    std::vector<std::pair<std::string, std::string>> settings;  // --set NAME=TEXT, in order
    int32_t block = kDefaultBlock;
    std::string modulePath;  // empty: the module beside the program
    std::string stateIn;
    std::string stateOut;
    std::string trace;
    std::string screenshot;  // PNG of the editor after the first input (with editor: as it closes)
    bool editor = false;     // play in real time with the editor open on the X display
    bool json = false;
    bool help = false;
};

// Reads argv[1..argc-1] into *options. False with a one-line reason in
// *error for an unknown option, a missing or malformed value, or --trace
// or --editor with more than one input.
bool ParseHostOptions(int argc, const char* const* argv, HostOptions* options, std::string* error);

// The --help text.
const char* HostUsage();
