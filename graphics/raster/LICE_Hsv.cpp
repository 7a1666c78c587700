#include "graphics/raster/LICE_Hsv.h"

#include "graphics/raster/LICE_Reciprocals.h"

#include <algorithm>

namespace {

// (t[diff] + 1) x num / 1024, num signed: the division truncates toward zero.
int HueStep(int diff, int num) { return ((kLiceReciprocals[diff] + 1) * num) / 1024; }

}  // namespace

LICE_HsvColour LICE_PixelToHsv(int b, int g, int r)
{
    int value;
    int minimum;
    int hue;
    if (g > r)
    {
        if (g > b)
        {
            value = g;
            minimum = std::min(b, r);
            hue = 128 + HueStep(g - minimum, b - r);
        }
        else
        {
            value = b;
            minimum = r;
            hue = 256 + HueStep(b - r, r - g);
        }
    }
    else if (r > b)
    {
        value = r;
        if (g >= b)
        {
            minimum = b;
            hue = HueStep(r - b, g - b);
        }
        else
        {
            minimum = g;
            hue = 383 + HueStep(r - g, g - b);
        }
    }
    else
    {
        value = b;
        minimum = std::min(g, r);
        hue = 256 + HueStep(b - minimum, r - g);
    }
    return {hue, (kLiceReciprocals[value] * (value - minimum)) / 256, value};
}

uint32_t LICE_HsvToPixel(int h, int s, int v, int a)
{
    h = std::clamp(h, 0, 383);
    s = std::clamp(s, 0, 255);
    v = std::clamp(v, 0, 255);
    a = std::clamp(a, 0, 255);
    // Both stay within 0..v for arguments in range.
    const auto p = static_cast<uint32_t>(((256 - s) * v) / 256);
    const auto x = [s, v](int k) { return static_cast<uint32_t>(((16384 - k * s) * v) / 16384); };
    const auto value = static_cast<uint32_t>(v);
    uint32_t red;
    uint32_t green;
    uint32_t blue;
    if (h < 64)
    {
        red = value, green = x(64 - h), blue = p;
    }
    else if (h < 128)
    {
        red = x(h - 64), green = value, blue = p;
    }
    else if (h < 192)
    {
        red = p, green = value, blue = x(192 - h);
    }
    else if (h < 256)
    {
        red = p, green = x(h - 192), blue = value;
    }
    else if (h < 320)
    {
        red = x(320 - h), green = p, blue = value;
    }
    else
    {
        red = value, green = p, blue = x(h - 320);
    }
    return static_cast<uint32_t>(a) << 24 | red << 16 | green << 8 | blue;
}
