#pragma once
// A ShapeSink over a plain pixel buffer for tests: straight-alpha pixels are
// blended over the buffer with their alpha, styled texts are recorded. Header-only, shared by the graphics and editor tests.

#include "graphics/vector/ShapeSink.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class PixelSink : public ShapeSink
{
public:
    struct TextCall
    {
        std::string text;
        IBounds target;
        IArgb colour;
    };

    PixelSink(int32_t width, int32_t height, uint32_t background = 0)
        : width(width), height(height), pixels(static_cast<size_t>(width) * height, background)
    {
    }

    void BlendPixels(uint32_t* src, int32_t w, int32_t h, const IBounds& target, const IBounds& /*used*/) override
    {
        ++blendCalls;
        lastTarget = target;
        lastPixels.assign(src, src + static_cast<size_t>(w) * h);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
            {
                const int32_t bx = target.L + x;
                const int32_t by = target.T + y;
                if (bx >= 0 && by >= 0 && bx < width && by < height)
                    At(bx, by) = Over(src[static_cast<size_t>(y) * w + x], At(bx, by));
            }
    }

    void DrawStyledText(TextStyle& style, const char* text, const IBounds& target) override
    {
        texts.push_back(TextCall{text, target, style.colour});
    }

    uint32_t& At(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t Pixel(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // A pixel of the last blended surface, in its own coordinates.
    uint32_t Last(int32_t x, int32_t y) const
    {
        return lastPixels[static_cast<size_t>(y) * (lastTarget.R - lastTarget.L) + x];
    }

    static int32_t Alpha(uint32_t p) { return static_cast<int32_t>(p >> 24); }
    static int32_t Red(uint32_t p) { return static_cast<int32_t>((p >> 16) & 0xFF); }
    static int32_t Green(uint32_t p) { return static_cast<int32_t>((p >> 8) & 0xFF); }
    static int32_t Blue(uint32_t p) { return static_cast<int32_t>(p & 0xFF); }

    const int32_t width;
    const int32_t height;
    std::vector<uint32_t> pixels;
    int32_t blendCalls = 0;
    IBounds lastTarget;
    std::vector<uint32_t> lastPixels;
    std::vector<TextCall> texts;

private:
    // Straight-alpha "over", rounded: exact for an opaque or empty destination.
    static uint32_t Over(uint32_t s, uint32_t d)
    {
        const uint32_t sa = s >> 24;
        const uint32_t da = (d >> 24) * (255 - sa);  // destination weight x 255
        const uint32_t oa = sa * 255 + da;           // result alpha x 255
        if (oa == 0)
            return 0;
        auto mix = [&](int shift) {
            const uint32_t sc = (s >> shift) & 0xFF;
            const uint32_t dc = (d >> shift) & 0xFF;
            return ((sc * sa * 255 + dc * da) + oa / 2) / oa;
        };
        return (((oa + 127) / 255) << 24) | (mix(16) << 16) | (mix(8) << 8) | mix(0);
    }
};
