#include "host/cli/ProgressLine.h"

#include <unistd.h>

namespace {

// Short runs finish before a line would be worth drawing.
constexpr std::chrono::milliseconds kQuietStart{1000};

}  // namespace

ProgressLine::ProgressLine(std::FILE* stream)
    : stream(stream), enabled(isatty(fileno(stream)) == 1), start(std::chrono::steady_clock::now())
{
}

void ProgressLine::Show(int64_t framesDone, int64_t framesTotal, size_t inputsDone, size_t inputs)
{
    if (!enabled || framesTotal <= 0 || std::chrono::steady_clock::now() - start < kQuietStart)
        return;
    const double percent = 100.0 * static_cast<double>(framesDone) / static_cast<double>(framesTotal);
    std::fprintf(stream, "\r\033[Ksonvarek-host: %5.1f %%", percent < 100.0 ? percent : 100.0);
    if (inputs > 1)
        std::fprintf(stream, " (%zu of %zu inputs done)", inputsDone, inputs);
    std::fflush(stream);
    shown = true;
}

void ProgressLine::Clear()
{
    if (!shown)
        return;
    std::fputs("\r\033[K", stream);
    std::fflush(stream);
    shown = false;
}
