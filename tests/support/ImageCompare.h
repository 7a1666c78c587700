#pragma once
// Compares a rendered image with a reference within a per-channel tolerance
// that forgives edges moved by one pixel: every channel of a pixel must lie
// within the range of that channel over the other image's 3 x 3
// neighbourhood, widened by the tolerance, and that both ways, so a feature
// that moved further, changed colour or size, or went missing fails.

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

// Empty when the images match; else where and how they first differ, and
// how many pixels do.
inline std::string CompareImages(const std::vector<uint32_t>& actual, const std::vector<uint32_t>& expected,
                                 int32_t width, int32_t height, int32_t tolerance)
{
    auto outside = [&](const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int32_t x, int32_t y) {
        for (int32_t shift = 0; shift < 32; shift += 8)
        {
            const int32_t c = static_cast<int32_t>((a[static_cast<size_t>(y) * width + x] >> shift) & 0xFF);
            int32_t lo = 255;
            int32_t hi = 0;
            for (int32_t ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1); ++ny)
                for (int32_t nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx)
                {
                    const int32_t n = static_cast<int32_t>((b[static_cast<size_t>(ny) * width + nx] >> shift) & 0xFF);
                    lo = std::min(lo, n);
                    hi = std::max(hi, n);
                }
            if (c < lo - tolerance || c > hi + tolerance)
                return true;
        }
        return false;
    };
    if (actual.size() != static_cast<size_t>(width) * height || expected.size() != actual.size())
        return "sizes differ";
    int32_t bad = 0;
    std::ostringstream first;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            if (outside(actual, expected, x, y) || outside(expected, actual, x, y))
            {
                if (bad++ == 0)
                    first << std::hex << "first at (" << std::dec << x << ", " << y << "): 0x" << std::hex
                          << actual[static_cast<size_t>(y) * width + x] << " against 0x"
                          << expected[static_cast<size_t>(y) * width + x];
            }
    if (bad == 0)
        return "";
    return std::to_string(bad) + " pixels differ; " + first.str();
}
