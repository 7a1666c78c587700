#include "graphics/raster/LICE_GlyphStamp.h"

#include "graphics/raster/LICE_ByteLanes.h"
#include "graphics/raster/LICE_PixelForms.h"

#include <algorithm>
#include <iterator>

namespace {

// One pixel of a colour (red, green, blue) at weight w; the alpha byte moves
// toward 255 by w whatever the mode: text makes what it covers opaque.
using MixPixel = void (*)(uint32_t* pixel, int red, int green, int blue, int w);

int TowardOpaque(uint32_t d, int w) { return LICE_CopyChannel(LICE_PixelByte(d, 3), 255, w); }

template <int (*Channel)(int, int, int)>
void Mix(uint32_t* pixel, int red, int green, int blue, int w)
{
    const uint32_t d = *pixel;
    LICE_PutClampedPixel(pixel, Channel(LICE_PixelByte(d, 0), blue, w), Channel(LICE_PixelByte(d, 1), green, w),
                         Channel(LICE_PixelByte(d, 2), red, w), TowardOpaque(d, w));
}

// Copy, the common case, in byte lanes: no clamping needed.
void MixCopy(uint32_t* pixel, int red, int green, int blue, int w)
{
    const uint32_t d = *pixel;
    const auto weight = static_cast<uint16_t>(w);
    const auto lane = [d, weight](int i, int s) {
        return static_cast<uint32_t>(LICE_CopyLane(static_cast<uint8_t>(d >> (8 * i)), static_cast<uint8_t>(s), weight))
               << (8 * i);
    };
    *pixel = lane(3, 255) | lane(2, red) | lane(1, green) | lane(0, blue);
}

void MixHsv(uint32_t* pixel, int red, int green, int blue, int w)
{
    LICE_HsvAdjustPixel(pixel, red, green, blue, TowardOpaque(*pixel, w), w);
}

struct Colour
{
    int red;
    int green;
    int blue;
};

Colour ColourOf(uint32_t c) { return {LICE_PixelByte(c, 2), LICE_PixelByte(c, 1), LICE_PixelByte(c, 0)}; }

// visit(pixel, coverage) for every pixel of the area whose coverage is not 0.
template <class Visit>
void ForEachCovered(const LICE_GlyphStamp& s, Visit visit)
{
    for (int32_t r = 0; r < s.height; ++r)
    {
        uint32_t* d = s.rows.Row(s.y + r) + s.x;
        const uint8_t* c = s.coverage + static_cast<ptrdiff_t>(r) * s.coverageRowBytes;
        for (int32_t i = 0; i < s.width; ++i)
            if (c[i])
                visit(d + i, c[i]);
    }
}

template <MixPixel Mix>
void StampSmooth(const LICE_GlyphStamp& s)
{
    // The weight of each coverage value, worked out once per glyph.
    int weights[256];
    for (int c = 0; c < 256; ++c)
        weights[c] = s.ia == 256 ? c + 1 : std::min(256, c * s.ia / 256);
    const Colour ink = ColourOf(s.ink);
    ForEachCovered(s, [&](uint32_t* pixel, uint8_t c) {
        if (const int w = weights[c])
            Mix(pixel, ink.red, ink.green, ink.blue, w);
    });
}

template <MixPixel Mix>
void StampHard(const LICE_GlyphStamp& s)
{
    const Colour ink = ColourOf(s.ink);
    const int w = s.ia;
    ForEachCovered(s, [&](uint32_t* pixel, uint8_t) { Mix(pixel, ink.red, ink.green, ink.blue, w); });
}

template <MixPixel Mix>
void StampEffects(const LICE_GlyphStamp& s)
{
    const Colour colours[2] = {ColourOf(s.accent), ColourOf(s.ink)};
    const int w = s.ia;
    ForEachCovered(s, [&](uint32_t* pixel, uint8_t c) {
        const Colour& k = colours[c == 255];
        Mix(pixel, k.red, k.green, k.blue, w);
    });
}

using StampWorker = void (*)(const LICE_GlyphStamp&);

// One worker per (look, mode): the loops test no mode.
constexpr StampWorker kWorkers[3][6] = {
    {StampSmooth<MixCopy>, StampSmooth<Mix<LICE_AddChannel>>, StampSmooth<Mix<LICE_DodgeChannel>>,
     StampSmooth<Mix<LICE_MultiplyChannel>>, StampSmooth<Mix<LICE_OverlayChannel>>, StampSmooth<MixHsv>},
    {StampHard<MixCopy>, StampHard<Mix<LICE_AddChannel>>, StampHard<Mix<LICE_DodgeChannel>>,
     StampHard<Mix<LICE_MultiplyChannel>>, StampHard<Mix<LICE_OverlayChannel>>, StampHard<MixHsv>},
    {StampEffects<MixCopy>, StampEffects<Mix<LICE_AddChannel>>, StampEffects<Mix<LICE_DodgeChannel>>,
     StampEffects<Mix<LICE_MultiplyChannel>>, StampEffects<Mix<LICE_OverlayChannel>>, StampEffects<MixHsv>},
};

}  // namespace

void LICE_StampGlyph(const LICE_GlyphStamp& stamp, LICE_GlyphLook look, CombineMode mode)
{
    const int32_t low = mode & kCombineModeMask;
    if (low >= static_cast<int32_t>(std::size(kWorkers[0])) || stamp.ia < 1 || stamp.ia > 256)
        return;
    kWorkers[static_cast<int>(look)][low](stamp);
}
