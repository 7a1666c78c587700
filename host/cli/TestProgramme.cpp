#include "host/cli/TestProgramme.h"

#include <algorithm>
#include <cmath>

namespace {

struct Segment
{
    int64_t frames;
    double dbfs;  // sine peak
};

constexpr Segment kSegments[] = {{960000, -26.0}, {964800, -20.0}, {960000, -26.0}};

}  // namespace

TestProgramme::TestProgramme()
{
    for (int32_t i = 0; i < kPeriod; ++i)
        sine[i] = std::sin(2.0 * M_PI * static_cast<double>(i) / kPeriod);
}

int64_t TestProgramme::Frames() const
{
    int64_t total = 0;
    for (const Segment& segment : kSegments)
        total += segment.frames;
    return total;
}

int32_t TestProgramme::Read(float* const* channels, int32_t frames)
{
    int32_t done = 0;
    int64_t segmentStart = 0;
    for (const Segment& segment : kSegments)
    {
        const int64_t segmentEnd = segmentStart + segment.frames;
        const double amplitude = std::pow(10.0, segment.dbfs / 20.0);
        while (done < frames && position < segmentEnd)
        {
            const auto n = static_cast<int32_t>(std::min<int64_t>(frames - done, segmentEnd - position));
            for (int32_t i = 0; i < n; ++i)
            {
                const auto value = static_cast<float>(amplitude * sine[(position + i) % kPeriod]);
                channels[0][done + i] = value;
                channels[1][done + i] = value;
            }
            done += n;
            position += n;
        }
        segmentStart = segmentEnd;
    }
    return done;
}
