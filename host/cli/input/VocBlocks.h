#pragma once
// A VOC file's blocks, as the audio library is to read them. The library
// reads only a file whose first block holds sound (or gives its format, an
// extended block), and takes everything after that block's header, to the
// byte before the file's end (its terminator), for its samples: a writer's
// file of one sound block followed by continuation blocks would lose frames
// to the headers between them, one whose block counts the terminator gives
// the terminator as a sample, and text, markers or repeats among the sound
// are read as samples. So a VOC is given as one block holding the samples of
// its sound block and the continuation blocks after it (after the extended
// block that gives their format, if one does), then its terminator. Blocks
// that hold no sound (text, markers, repeats and their ends) are passed over
// wherever they stand; one with any other kind of block (silence, a second
// sound block, ...) is refused, as is one without sound.

#include "host/cli/input/FileView.h"

#include <memory>
#include <string>

// fd: the file (a VOC by its signature), read through pread. Its view, with
// the frames its blocks declare in *frames (more than it holds when it is cut
// short; -1 for codecs of no fixed frame size); null when it is refused (the
// reason in *error), or, *error left empty, when its header cannot be read
// (it goes to the library as it is).
std::unique_ptr<FileView> VocBlocks(int fd, int64_t* frames, std::string* error);
