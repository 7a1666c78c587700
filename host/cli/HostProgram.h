#pragma once
// sonvarek-host: measures audio files (or the built-in programme) through the
// Sonvarek module as a host plays them, and reports what the meter published.

#include <cstdio>

// Runs the program on argv, printing results to out and messages to err;
// the exit status: 0 success, 1 a file or the module could not be read, 2 a
// usage error.
int RunHostProgram(int argc, const char* const* argv, std::FILE* out, std::FILE* err);
