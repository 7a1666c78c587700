// Writes the whole-process bench's input: a synthetic 5.1 programme at
// 48 kHz, 24-bit WAV, of the given length in seconds (default 600). Tones and
// noise in every channel, the level stepping every 10 s between -32 and
// -14 dBFS so that the loudness range is not zero.
//   host_bench_programme OUT.wav [seconds]

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: host_bench_programme OUT.wav [seconds]\n");
        return 2;
    }
    constexpr int kRate = 48000;
    constexpr int kChannels = 6;
    constexpr int kBlock = 4800;
    const long seconds = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 600;
    if (seconds <= 0)
    {
        std::fprintf(stderr, "host_bench_programme: the length must be a positive number of seconds\n");
        return 2;
    }
    SF_INFO info = {};
    info.samplerate = kRate;
    info.channels = kChannels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    SNDFILE* file = sf_open(argv[1], SFM_WRITE, &info);
    if (!file)
    {
        std::fprintf(stderr, "host_bench_programme: cannot write %s: %s\n", argv[1], sf_strerror(file));
        return 1;
    }
    std::vector<float> block(static_cast<size_t>(kBlock) * kChannels);
    unsigned seed = 2024u;
    const long total = seconds * kRate;
    for (long start = 0; start < total; start += kBlock)
    {
        const long step = start / (10L * kRate);
        const double level = std::pow(10.0, (-32.0 + static_cast<double>((step * 7) % 19)) / 20.0);
        for (long i = 0; i < kBlock; ++i)
            for (int c = 0; c < kChannels; ++c)
            {
                seed = seed * 1664525u + 1013904223u;
                const double noise = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
                const double hz = c == 3 ? 60.0 : 220.0 * (c + 1);
                const double tone = std::sin(2.0 * M_PI * hz * static_cast<double>(start + i) / kRate);
                block[static_cast<size_t>(i * kChannels + c)] = static_cast<float>(level * (0.5 * tone + 0.5 * noise));
            }
        sf_writef_float(file, block.data(), kBlock);
    }
    const int closed = sf_close(file);
    return closed == 0 ? 0 : 1;
}
