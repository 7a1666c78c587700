#pragma once
// The files the host program writes (--trace, --state-out, --screenshot)
// against the files it reads: an output must never destroy an input.

#include "host/cli/HostOptions.h"

#include <string>

// Whether path names the file open as fd: the same device and inode, links
// followed. False when path does not exist.
bool NamesOpenFile(const std::string& path, int fd);

// Why an output of options must not be written, or empty when none: it
// names one of the input files (compared by device and inode), the --trace
// or the --screenshot names the --state-in file, it names an existing
// audio file (an input whose output name was forgotten: "--state-out
// take.wav" alone), or two outputs name one file (by device and inode when
// it exists, by folder and name otherwise). Reads only what exists: stat,
// and the header of a regular file.
std::string OutputConflict(const HostOptions& options);
