#pragma once
// Opening audio with the audio library, one open at a time: the library
// keeps the reason of a failed open in one process-wide slot, which every
// open clears as it starts. So no open may wait for a stream's bytes (see
// StreamOpening.h): each holds up the others only while it reads a header
// at hand.

#include "host/cli/input/FileView.h"

#include <sndfile.h>

#include <string>

// The audio at fd (left open and its own: the library reads a duplicate,
// sharing its position) opened for reading, its format in *info; null with
// the library's (or the system's) reason in *error. Any thread.
SNDFILE* OpenWithLibrary(int fd, SF_INFO* info, std::string* error);

// The audio of view (which outlives the library's handle) opened for
// reading, as above.
SNDFILE* OpenWithLibrary(FileView& view, SF_INFO* info, std::string* error);
