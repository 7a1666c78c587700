#pragma once
// A VOC file's blocks, as the audio library is to read them. The library
// takes everything after the first block's header, to the byte before the
// file's end (its terminator), for that block's samples: a writer's file of
// one sound block followed by continuation blocks would lose frames to the
// headers between them, and one whose block counts the terminator gives the
// terminator as a sample. So a VOC is given as one block holding the samples
// of its sound and continuation blocks, then its terminator; one with other
// kinds of block (silence, repeats, markers, text, ...) after its first is
// refused.

#include "host/cli/input/FileView.h"

#include <memory>
#include <string>

// fd: the file (a VOC by its signature), read through pread. Its view; null
// when its first block holds no sound data (as it is, *error left empty) or
// when it is refused (the reason in *error).
std::unique_ptr<FileView> VocBlocks(int fd, std::string* error);
