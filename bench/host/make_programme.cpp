// Writes an input of the whole-process bench: a synthetic programme of tones
// and noise in every channel, the level stepping every 10 s between -32 and
// -14 dBFS so that the loudness range is not zero. By default 600 s of 5.1
// at 48 kHz, 24-bit WAV; the length, channel count, sample rate and bits
// (16 or 24) may be given.
//   host_bench_programme OUT.wav [seconds [channels rate bits]]

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

long Argument(int argc, char** argv, int index, long fallback)
{
    return argc > index ? std::strtol(argv[index], nullptr, 10) : fallback;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc == 4 || argc == 5 || argc > 6)
    {
        std::fprintf(stderr, "usage: host_bench_programme OUT.wav [seconds [channels rate bits]]\n");
        return 2;
    }
    constexpr int kBlock = 4800;
    const long seconds = Argument(argc, argv, 2, 600);
    const long channels = Argument(argc, argv, 3, 6);
    const long rate = Argument(argc, argv, 4, 48000);
    const long bits = Argument(argc, argv, 5, 24);
    if (seconds <= 0 || channels < 1 || channels > 8 || rate < 8000 || rate > 384000 || (bits != 16 && bits != 24))
    {
        std::fprintf(stderr, "host_bench_programme: seconds > 0, 1 to 8 channels, 8000 to 384000 Hz, 16 or 24 bits\n");
        return 2;
    }
    SF_INFO info = {};
    info.samplerate = static_cast<int>(rate);
    info.channels = static_cast<int>(channels);
    info.format = SF_FORMAT_WAV | (bits == 16 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_24);
    SNDFILE* file = sf_open(argv[1], SFM_WRITE, &info);
    if (!file)
    {
        std::fprintf(stderr, "host_bench_programme: cannot write %s: %s\n", argv[1], sf_strerror(file));
        return 1;
    }
    std::vector<float> block(static_cast<size_t>(kBlock * channels));
    unsigned seed = 2024u;
    const long total = seconds * rate;
    for (long start = 0; start < total; start += kBlock)
    {
        const long step = start / (10L * rate);
        const double level = std::pow(10.0, (-32.0 + static_cast<double>((step * 7) % 19)) / 20.0);
        for (long i = 0; i < kBlock; ++i)
            for (long c = 0; c < channels; ++c)
            {
                seed = seed * 1664525u + 1013904223u;
                const double noise = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
                const double hz = channels == 6 && c == 3 ? 60.0 : 220.0 * static_cast<double>(c + 1);
                const double tone = std::sin(2.0 * M_PI * hz * static_cast<double>(start + i) / static_cast<double>(rate));
                block[static_cast<size_t>(i * channels + c)] = static_cast<float>(level * (0.5 * tone + 0.5 * noise));
            }
        sf_writef_float(file, block.data(), kBlock);
    }
    const int closed = sf_close(file);
    return closed == 0 ? 0 : 1;
}
