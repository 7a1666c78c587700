#pragma once
// A VOC file's blocks, as the audio library is to read them. The library
// takes everything after the first block's header, to the byte before the
// file's end (its terminator), for that block's samples; a writer's file of
// one sound block followed by continuation blocks would lose frames to the
// headers between them. So a VOC of continuation blocks is given as one
// block holding all their samples; one of other kinds of block (silence,
// repeats, markers, text, ...) after its first is refused.

#include "host/cli/FileView.h"

#include <memory>
#include <string>

// fd: the file (a VOC by its signature), read through pread. The view of a
// file of several blocks; null otherwise: as it is when *error stays empty,
// else refused for the reason in *error.
std::unique_ptr<FileView> VocBlocks(int fd, std::string* error);
