#include "platform/win32/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>
#include <unordered_map>

namespace {

// A glyph bigger than this is not rendered (it draws nothing): no single
// character may cost more memory than a screenful of coverage.
constexpr size_t kMostGlyphBytes = size_t(1) << 24;
// Glyphs kept per font before the cache starts afresh.
constexpr size_t kMostCachedGlyphs = 4096;

int CellHeightOf(int height) { return height == 0 ? 16 : std::abs(height); }

void FillCommonMetrics(TEXTMETRICA& m, const FontRequest& request)
{
    m.tmWeight = request.weight <= 0 ? FW_NORMAL : request.weight;
    m.tmItalic = request.italic ? 1 : 0;
    m.tmDigitizedAspectX = 96;
    m.tmDigitizedAspectY = 96;
    m.tmFirstChar = 0x20;
    m.tmLastChar = 0xFF;
    m.tmDefaultChar = 0x1F;
    m.tmBreakChar = 0x20;
    m.tmPitchAndFamily = 0x06;  // a scalable outline face
}

bool IsBlank(char32_t code) { return code <= 0x20 || (code >= 0x7F && code <= 0xA0); }

class BlockFace : public FontFace
{
public:
    explicit BlockFace(const FontRequest& request)
    {
        const int cell = CellHeightOf(request.height);
        metrics.tmHeight = cell;
        metrics.tmDescent = cell / 4;
        metrics.tmAscent = cell - metrics.tmDescent;
        const int advance = std::max(1, cell / 2);
        metrics.tmAveCharWidth = advance;
        metrics.tmMaxCharWidth = advance;
        FillCommonMetrics(metrics, request);
        blank.advance = advance;
        box.advance = advance;
        box.width = std::max(1, advance - 1);
        box.height = cell;
        box.top = metrics.tmAscent;
        box.coverage.assign(static_cast<size_t>(box.width) * box.height, 255);
    }
    const GlyphImage& Glyph(char32_t code) override { return IsBlank(code) ? blank : box; }

private:
    GlyphImage blank, box;
};

FT_Library Library()
{
    static FT_Library library = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return library;
}

struct FaceFile
{
    std::string path;
    int index = 0;
    bool bold = false;  // the file itself is bold
    bool italic = false;  // the file itself slants
};

// The installed face fontconfig finds for the name, weight and slant; the
// answers are kept, as matching is slow.
bool MatchFace(const std::string& family, bool bold, bool italic, FaceFile& found)
{
    static std::map<std::tuple<std::string, bool, bool>, FaceFile> matched;
    const auto key = std::make_tuple(family, bold, italic);
    const auto it = matched.find(key);
    if (it != matched.end())
    {
        found = it->second;
        return !found.path.empty();
    }
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return false;
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FaceFile file;
    if (match)
    {
        FcChar8* path = nullptr;
        int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
        {
            file.path = reinterpret_cast<const char*>(path);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
                file.index = index;
            FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(match, FC_SLANT, 0, &slant);
            file.bold = weight >= FC_WEIGHT_DEMIBOLD;
            file.italic = slant != FC_SLANT_ROMAN;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    matched[key] = file;
    found = file;
    return !file.path.empty();
}

long Scale(long fontUnits, int ppem, int unitsPerEm)
{
    return std::lround(static_cast<double>(fontUnits) * ppem / unitsPerEm);
}

class FreeTypeFace : public FontFace
{
public:
    ~FreeTypeFace() override
    {
        if (face)
            FT_Done_Face(face);
    }

    // Null when the file does not load as a scalable face.
    static std::unique_ptr<FreeTypeFace> Open(const FontRequest& request, const FaceFile& file)
    {
        FT_Library library = Library();
        if (!library)
            return nullptr;
        std::unique_ptr<FreeTypeFace> font(new FreeTypeFace);
        if (FT_New_Face(library, file.path.c_str(), file.index, &font->face) != 0)
        {
            font->face = nullptr;
            return nullptr;
        }
        if (!FT_IS_SCALABLE(font->face) || font->face->units_per_EM == 0 || !font->SetSize(request))
            return nullptr;
        font->hardEdges = request.hardEdges;
        font->embolden = request.weight >= 600 && !file.bold;
        font->slant = request.italic && !file.italic;
        FillCommonMetrics(font->metrics, request);
        return font;
    }

    const GlyphImage& Glyph(char32_t code) override
    {
        const auto it = cache.find(code);
        if (it != cache.end())
            return it->second;
        if (cache.size() >= kMostCachedGlyphs)
            cache.clear();
        return cache.emplace(code, Render(code)).first->second;
    }

private:
    FreeTypeFace() = default;

    // Cell metrics as the font's Windows ascent and descent give them: a
    // positive height is the cell, a negative one the em.
    bool SetSize(const FontRequest& request)
    {
        const int upem = face->units_per_EM;
        long ascender = face->ascender, descender = -face->descender;
        if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
            os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
        {
            ascender = os2->usWinAscent;
            descender = os2->usWinDescent;
            averageWidth = os2->xAvgCharWidth;
        }
        if (ascender + descender <= 0)
            return false;
        if (request.height < 0)
        {
            ppem = -request.height;
            metrics.tmAscent = Scale(ascender, ppem, upem);
            metrics.tmDescent = Scale(descender, ppem, upem);
        }
        else
        {
            const int cell = CellHeightOf(request.height);
            ppem = std::max(1L, std::lround(static_cast<double>(cell) * upem / (ascender + descender)));
            metrics.tmAscent = std::lround(static_cast<double>(cell) * ascender / (ascender + descender));
            metrics.tmDescent = cell - metrics.tmAscent;
        }
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem)) != 0)
            return false;
        metrics.tmHeight = metrics.tmAscent + metrics.tmDescent;
        metrics.tmInternalLeading = std::max(0L, static_cast<long>(metrics.tmHeight) - ppem);
        if (const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA)))
        {
            const long gap = hhea->Line_Gap - ((ascender + descender) - (hhea->Ascender - hhea->Descender));
            metrics.tmExternalLeading = std::max(0L, Scale(gap, ppem, upem));
        }
        metrics.tmAveCharWidth = averageWidth > 0 ? Scale(averageWidth, ppem, upem) : ppem / 2;
        metrics.tmMaxCharWidth = Scale(face->bbox.xMax - face->bbox.xMin, ppem, upem);
        return true;
    }

    GlyphImage Render(char32_t code)
    {
        GlyphImage glyph;
        const FT_UInt index = FT_Get_Char_Index(face, code);
        const FT_Int32 load = FT_LOAD_DEFAULT | (hardEdges ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
        if (FT_Load_Glyph(face, index, load) != 0)
            return glyph;
        FT_GlyphSlot slot = face->glyph;
        if (slant)
            FT_GlyphSlot_Oblique(slot);
        if (embolden)
            FT_GlyphSlot_Embolden(slot);
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (FT_Render_Glyph(slot, hardEdges ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
            return glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const size_t bytes = static_cast<size_t>(bitmap.width) * bitmap.rows;
        if (bytes == 0 || bytes > kMostGlyphBytes || !bitmap.buffer)
            return glyph;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.height = static_cast<int>(bitmap.rows);
        glyph.coverage.resize(bytes);
        const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
        const int grays = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
        for (int y = 0; y < glyph.height; ++y)
        {
            const int storedRow = bitmap.pitch >= 0 ? y : glyph.height - 1 - y;
            const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(storedRow) * std::abs(bitmap.pitch);
            uint8_t* out = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
            for (int x = 0; x < glyph.width; ++x)
            {
                if (mono)
                    out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                else
                    out[x] = static_cast<uint8_t>(grays == 255 ? row[x] : row[x] * 255 / grays);
            }
        }
        return glyph;
    }

    FT_Face face = nullptr;
    long ppem = 1;
    long averageWidth = 0;
    bool hardEdges = false;
    bool embolden = false;
    bool slant = false;
    std::unordered_map<char32_t, GlyphImage> cache;
};

}  // namespace

std::unique_ptr<FontFace> FontFace::Create(const FontRequest& request)
{
    if (std::abs(request.height) > kMostFontHeight)
        return nullptr;
    if (request.face != kBlockFaceName)
    {
        FaceFile file;
        if (MatchFace(request.face, request.weight >= 600, request.italic, file))
            if (auto face = FreeTypeFace::Open(request, file))
                return face;
    }
    return std::make_unique<BlockFace>(request);
}
