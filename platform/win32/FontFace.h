#pragma once
// Internal: one created font at its pixel size: its metrics and its glyphs
// as 8-bit coverage, rendered once and kept. FreeType renders installed
// faces found through fontconfig; the built-in block face needs neither.

#include "platform/win32/Win32Gdi.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FontRequest
{
    int height = 0;  // CreateFontA's meaning
    int weight = FW_NORMAL;
    bool italic = false;
    bool hardEdges = false;  // coverage only 0 or 255
    std::string face;
};

struct GlyphImage
{
    int left = 0;  // from the pen position
    int top = 0;  // rows above the baseline
    int width = 0;
    int height = 0;
    int advance = 0;  // whole pixels
    std::vector<uint8_t> coverage;  // width x height, top row first
};

class FontFace
{
public:
    virtual ~FontFace() = default;
    // The face for the request (the block face when no face file loads).
    static std::unique_ptr<FontFace> Create(const FontRequest& request);
    const TEXTMETRICA& Metrics() const { return metrics; }
    // Valid until the next call.
    virtual const GlyphImage& Glyph(char32_t code) = 0;
    // The advance alone.
    virtual int Advance(char32_t code) { return Glyph(code).advance; }

protected:
    TEXTMETRICA metrics{};
};

// The largest |height| CreateFontA takes.
inline constexpr int kMostFontHeight = 2048;
