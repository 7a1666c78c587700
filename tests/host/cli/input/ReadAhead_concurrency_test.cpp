// The blocks read ahead on the reading thread: whatever sizes the source
// gives a read, each block handed out is whole (but the last), in order,
// with its own count of non-finite samples, and a failure comes after the
// frames read before it.

#include "host/cli/input/ReadAhead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Two channels: frame i holds i and -i, NaN where the frame number is in
// nan; reads give at most the next of pattern's sizes, and the source ends
// (or fails, with failAtEnd) after frames.
class UnevenSource final : public AudioSource
{
public:
    UnevenSource(int32_t frames, std::vector<int32_t> pattern, std::vector<int32_t> nan, bool failAtEnd)
        : frames(frames), pattern(std::move(pattern)), nan(std::move(nan)), failAtEnd(failAtEnd)
    {
    }

    int32_t SampleRate() const override { return 48000; }
    int32_t Channels() const override { return 2; }
    int64_t Frames() const override { return frames; }
    int32_t Read(float* const* channels, int32_t asked) override
    {
        if (next == frames)
            return failAtEnd ? -1 : 0;
        const int32_t n = std::min({asked, pattern[reads++ % pattern.size()], frames - next});
        for (int32_t i = 0; i < n; ++i, ++next)
        {
            const bool bad = std::find(nan.begin(), nan.end(), next) != nan.end();
            channels[0][i] = bad ? NAN : static_cast<float>(next);
            channels[1][i] = -static_cast<float>(next);
        }
        return n;
    }
    std::string Error() const override { return "gone"; }

private:
    const int32_t frames;
    const std::vector<int32_t> pattern;
    const std::vector<int32_t> nan;
    const bool failAtEnd;
    int32_t next = 0;
    size_t reads = 0;
};

TEST(ReadAhead, BlocksAreWholeInOrderAndCountedWhateverTheReads)
{
    for (const int32_t block : {1, 480, 1000, 8192, 65536})
        for (const bool fail : {false, true})
        {
            SCOPED_TRACE(std::to_string(block) + (fail ? " failing" : ""));
            const int32_t total = 200003;
            UnevenSource source(total, {7, 8192, 1, 5000, 333}, {0, 479, 480, 199999, 200002}, fail);
            ReadAhead ahead(source, block);
            int32_t at = 0;
            int32_t nonFinite = 0;
            int32_t frames = 0;
            float* const* in = nullptr;
            int32_t count = 0;
            while ((frames = ahead.Next(&in, &count)) > 0)
            {
                ASSERT_EQ(frames, std::min(block, total - at));
                for (int32_t i = 0; i < frames; ++i, ++at)
                {
                    ASSERT_TRUE(in[0][i] == static_cast<float>(at) || std::isnan(in[0][i])) << at;
                    ASSERT_EQ(in[1][i], -static_cast<float>(at)) << at;
                }
                nonFinite += count;
                if (block == 480 && at == 480)
                {
                    EXPECT_EQ(count, 2);
                }
            }
            EXPECT_EQ(at, total);
            EXPECT_EQ(nonFinite, 5);
            EXPECT_EQ(frames, fail ? -1 : 0);
            if (fail)
            {
                EXPECT_EQ(ahead.Error(), "gone");
            }
        }
}

}  // namespace
