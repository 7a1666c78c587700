#include "graphics/raster/LICE_ReadPng.h"

#include "graphics/raster/LICE_ImageLoader.h"
#include "graphics/raster/LICE_MemBitmap.h"
#include "support/TestBitmaps.h"

#include "platform/win32/Desktop.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// An image as libpng writes it: rows of packed samples in the PNG's own
// layout (16-bit samples big-endian).
struct PngLayout
{
    int width = 2;
    int height = 1;
    int colourType = PNG_COLOR_TYPE_GRAY;
    int depth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;  // tRNS of a palette image
    bool transparentColour = false;      // tRNS of a grey or RGB image
    png_color_16 transparent{};
    std::vector<std::vector<png_byte>> rows;
};

void Append(png_structp png, png_bytep data, png_size_t size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

std::vector<uint8_t> Encode(const PngLayout& layout)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, Append, nullptr);
    png_set_IHDR(png, info, layout.width, layout.height, layout.depth, layout.colourType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty())
        png_set_PLTE(png, info, layout.palette.data(), static_cast<int>(layout.palette.size()));
    if (!layout.paletteAlpha.empty())
        png_set_tRNS(png, info, layout.paletteAlpha.data(), static_cast<int>(layout.paletteAlpha.size()), nullptr);
    if (layout.transparentColour)
        png_set_tRNS(png, info, nullptr, 0, &layout.transparent);
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const auto& row : layout.rows)
        rows.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// The loaded pixels, top row first; empty when the load failed.
std::vector<uint32_t> Load(const std::vector<uint8_t>& bytes)
{
    std::unique_ptr<LICE_IBitmap> bitmap(LICE_ReadPngMemory(bytes.data(), bytes.size(), nullptr));
    std::vector<uint32_t> pixels;
    if (!bitmap)
        return pixels;
    for (int32_t y = 0; y < bitmap->Height(); ++y)
        for (int32_t x = 0; x < bitmap->Width(); ++x)
            pixels.push_back(bitmap->PixelData()[y * bitmap->RowPixels() + x]);
    return pixels;
}

using Pixels = std::vector<uint32_t>;

TEST(LiceReadPng, GreyImagesLoadAsOpaqueGrey)
{
    PngLayout grey;
    grey.width = 3;
    grey.rows = {{0x00, 0x80, 0xFF}};
    EXPECT_EQ(Load(Encode(grey)), (Pixels{0xFF000000, 0xFF808080, 0xFFFFFFFF}));

    PngLayout nibbles;  // 4-bit grey widens to 8 bits
    nibbles.depth = 4;
    nibbles.rows = {{0x3A}};
    EXPECT_EQ(Load(Encode(nibbles)), (Pixels{0xFF333333, 0xFFAAAAAA}));

    PngLayout keyed = grey;  // one grey value transparent
    keyed.transparentColour = true;
    keyed.transparent.gray = 0x80;
    EXPECT_EQ(Load(Encode(keyed)), (Pixels{0xFF000000, 0x00808080, 0xFFFFFFFF}));
}

TEST(LiceReadPng, PaletteImagesExpandWithTheirTransparency)
{
    PngLayout palette;
    palette.width = 3;
    palette.colourType = PNG_COLOR_TYPE_PALETTE;
    palette.depth = 2;
    palette.palette = {{0x10, 0x20, 0x30}, {0xFF, 0x00, 0x00}, {0x00, 0x00, 0xFF}};
    palette.rows = {{0b00011000}};  // indices 0, 1, 2
    EXPECT_EQ(Load(Encode(palette)), (Pixels{0xFF102030, 0xFFFF0000, 0xFF0000FF}));

    palette.paletteAlpha = {0x00, 0x80};  // entry 2 stays opaque
    EXPECT_EQ(Load(Encode(palette)), (Pixels{0x00102030, 0x80FF0000, 0xFF0000FF}));
}

TEST(LiceReadPng, SixteenBitAndTransparentColourImagesAreNotPremultiplied)
{
    PngLayout deep;
    deep.width = 1;
    deep.colourType = PNG_COLOR_TYPE_RGB;
    deep.depth = 16;
    deep.rows = {{0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x01}};
    EXPECT_EQ(Load(Encode(deep)), (Pixels{0xFF12ABFF}));

    PngLayout rgba;
    rgba.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    rgba.rows = {{0x0A, 0x14, 0x1E, 0x28, 0xFF, 0xFF, 0xFF, 0x00}};
    EXPECT_EQ(Load(Encode(rgba)), (Pixels{0x280A141E, 0x00FFFFFF}));
}

TEST(LiceReadPng, InterlacedImagesComeOutWhole)
{
    PngLayout image;
    image.width = 5;
    image.height = 5;
    image.interlaced = true;
    Pixels expected;
    for (int y = 0; y < 5; ++y)
    {
        image.rows.emplace_back();
        for (int x = 0; x < 5; ++x)
        {
            const auto v = static_cast<png_byte>(y * 50 + x);
            image.rows.back().push_back(v);
            expected.push_back(0xFF000000u | v * 0x010101u);
        }
    }
    EXPECT_EQ(Load(Encode(image)), expected);
}

TEST(LiceReadPng, ShortGarbageAndDamagedDataLoadNothing)
{
    PngLayout image;
    image.width = 4;
    image.height = 4;
    image.rows.assign(4, std::vector<png_byte>{1, 2, 3, 4});
    const std::vector<uint8_t> good = Encode(image);
    const Pixels whole = Load(good);
    ASSERT_EQ(whole.size(), 16u);

    EXPECT_EQ(LICE_ReadPngMemory(good.data(), 7, nullptr), nullptr);
    EXPECT_EQ(LICE_ReadPngMemory(nullptr, good.size(), nullptr), nullptr);
    const std::string garbage = "GIF89a, not a PNG at all";
    EXPECT_EQ(LICE_ReadPngMemory(garbage.data(), garbage.size(), nullptr), nullptr);

    // Cut at every length: nothing, or (once only the end chunk is
    // missing) the whole image; never a crash or a read past the bytes.
    for (size_t cut = 8; cut < good.size(); ++cut)
    {
        const std::vector<uint8_t> part(good.begin(), good.begin() + static_cast<ptrdiff_t>(cut));
        const Pixels loaded = Load(part);
        EXPECT_TRUE(loaded.empty() || loaded == whole) << "cut at " << cut;
    }
    // Every byte after the signature flipped in turn.
    for (size_t i = 8; i < good.size(); ++i)
    {
        std::vector<uint8_t> damaged = good;
        damaged[i] ^= 0x5A;
        Load(damaged);
    }
}

TEST(LiceReadPng, AGivenBitmapTakesTheImageOrTheLoadFails)
{
    PngLayout image;
    image.width = 3;
    image.height = 2;
    image.rows = {{1, 2, 3}, {4, 5, 6}};
    const std::vector<uint8_t> bytes = Encode(image);

    LICE_MemBitmap mem(10, 10);
    EXPECT_EQ(LICE_ReadPngMemory(bytes.data(), bytes.size(), &mem), &mem);
    EXPECT_EQ(mem.Width(), 3);
    EXPECT_EQ(mem.PixelData()[mem.RowPixels() + 2], 0xFF060606u);

    TestBitmap fixed(5, 5, 0);  // cannot be resized
    EXPECT_EQ(LICE_ReadPngMemory(bytes.data(), bytes.size(), fixed.get()), nullptr);
    TestBitmap bottomUp(3, 2, 0, true);
    EXPECT_EQ(LICE_ReadPngMemory(bytes.data(), bytes.size(), bottomUp.get()), bottomUp.get());
    EXPECT_EQ(bottomUp.At(0, 0), 0xFF010101u) << "the top row on top";
    EXPECT_EQ(bottomUp.At(2, 1), 0xFF060606u);
    EXPECT_TRUE(bottomUp.PaddingUntouched());
}

TEST(LiceReadPng, FilesAndTheLoaderRecord)
{
    TempFolder folder;
    PngLayout image;
    image.rows = {{7, 9}};
    const std::vector<uint8_t> bytes = Encode(image);
    const std::string name = folder / "meter.PNG";
    WriteBytes(name, std::string(bytes.begin(), bytes.end()));
    WriteBytes(folder / "meter.jpg", std::string(bytes.begin(), bytes.end()));
    ASSERT_EQ(mkdir((folder / "dir.png").c_str(), 0700), 0);

    std::unique_ptr<LICE_IBitmap> loaded(LICE_ReadPngFile(name.c_str(), nullptr));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->PixelData()[1], 0xFF090909u);
    EXPECT_EQ(LICE_ReadPngFile((folder / "missing.png").c_str(), nullptr), nullptr);
    EXPECT_EQ(LICE_ReadPngFile((folder / "dir.png").c_str(), nullptr), nullptr);
    EXPECT_EQ(LICE_ReadPngFile(nullptr, nullptr), nullptr);

    bool registered = false;
    for (int32_t i = 0; i < LICE_ImageLoaderCount(); ++i)
        registered = registered || LICE_GetImageLoader(i) == &LICE_PngImageLoader;
    EXPECT_TRUE(registered);
    EXPECT_EQ(LICE_GetImageLoader(-1), nullptr);
    const LICE_ImageLoader& png = LICE_PngImageLoader;
    const char* description = nullptr;
    const char* pattern = nullptr;
    png.describe(&description, &pattern);
    EXPECT_STREQ(description, "PNG files (*.PNG)");
    EXPECT_STREQ(pattern, "*.PNG");

    std::unique_ptr<LICE_IBitmap> byName(png.load(name.c_str(), true, nullptr));
    EXPECT_NE(byName, nullptr) << "the extension in any case";
    EXPECT_EQ(png.load((folder / "meter.jpg").c_str(), true, nullptr), nullptr);
    std::unique_ptr<LICE_IBitmap> unchecked(png.load((folder / "meter.jpg").c_str(), false, nullptr));
    EXPECT_NE(unchecked, nullptr);
    EXPECT_EQ(png.load((folder / "dir.png/meter").c_str(), true, nullptr), nullptr) << "a dot in a folder";
    EXPECT_EQ(png.load((folder / "meter.png.bak").c_str(), true, nullptr), nullptr);
}

TEST(LiceReadPng, ResourcesOfTypePngOnly)
{
    Desktop desktop;
    PngLayout image;
    image.rows = {{7, 9}};
    const std::vector<uint8_t> bytes = Encode(image);
    const auto module = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000));
    desktop.AddResource(module, MAKEINTRESOURCEA(101), "PNG", bytes);
    desktop.AddResource(module, MAKEINTRESOURCEA(102), "RCDATA", bytes);
    desktop.AddResource(module, MAKEINTRESOURCEA(103), "PNG", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 7));

    std::unique_ptr<LICE_IBitmap> loaded(LICE_ReadPngResource(module, MAKEINTRESOURCEA(101), nullptr));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->PixelData()[0], 0xFF070707u);
    EXPECT_EQ(LICE_ReadPngResource(module, MAKEINTRESOURCEA(102), nullptr), nullptr) << "not of type PNG";
    EXPECT_EQ(LICE_ReadPngResource(module, MAKEINTRESOURCEA(103), nullptr), nullptr) << "shorter than 8 bytes";
    EXPECT_EQ(LICE_ReadPngResource(module, MAKEINTRESOURCEA(104), nullptr), nullptr) << "missing";
}

}  // namespace
