#pragma once
// A progress line on a terminal while the inputs are measured: shown only
// when the stream is a terminal and the run has lasted a moment, redrawn in
// place, cleared before results print. Main thread only.

#include <chrono>
#include <cstdint>
#include <cstdio>

class ProgressLine
{
public:
    explicit ProgressLine(std::FILE* stream);

    void Show(int64_t framesDone, int64_t framesTotal, size_t inputsDone, size_t inputs);
    void Clear();

private:
    std::FILE* stream;
    bool enabled;
    bool shown = false;
    std::chrono::steady_clock::time_point start;
};
