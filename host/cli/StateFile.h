#pragma once
// The saved state that --state-in names: a regular file, or a FIFO or other
// stream read as it comes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads path to its end, but never more than one byte past size, the size
// of the effect's state. False, with a one-line reason in *error, when it
// cannot be opened or read (the system's cause) or holds more than size
// bytes; *data then holds what a shorter file holds, for the effect to judge.
bool ReadStateFile(const std::string& path, size_t size, std::vector<uint8_t>* data, std::string* error);
