#pragma once
// Opening a file the host program reads (audio, a saved state): a regular
// file, or a FIFO or other stream.

#include <sys/stat.h>

#include <string>

// path opened for reading, its status in *status. A FIFO waits here for its
// writer, unless nonBlocking: then the descriptor's reads do not block (a
// FIFO's writer is waited for by polling before a read). -1, with the
// system's cause in *error, when it cannot be opened or is a folder.
int OpenInputFile(const std::string& path, struct stat* status, std::string* error, bool nonBlocking = false);
