#include "graphics/raster/LICE_ReadPng.h"

#include "graphics/raster/LICE_MemBitmap.h"
#include "graphics/raster/LICE_PixelRows.h"

#include "platform/FileIO.h"
#include "platform/win32/Win32Services.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr size_t kSignatureBytes = 8;

// The bytes libpng reads, through a cursor; past the end it reads zeros
// (which no chunk survives, so it stops with an error).
struct PngSource
{
    const uint8_t* bytes;
    size_t size;
    size_t cursor;
};

void ReadSource(png_structp png, png_bytep out, png_size_t count)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    const size_t left = source->cursor < source->size ? source->size - source->cursor : 0;
    const size_t taken = count < left ? count : left;
    std::memcpy(out, source->bytes + source->cursor, taken);
    std::memset(out + taken, 0, count - taken);
    source->cursor += taken;
}

[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// What a decode leaves for its caller to free or hand on. It lives in the
// caller's frame, so it keeps its values across a longjmp.
struct PngDecode
{
    LICE_IBitmap* given;
    LICE_MemBitmap* made;
    png_bytep* rows;
};

// A libpng error longjmps back into this frame: it holds plain data only.
bool Decode(png_structp png, png_infop info, PngDecode* decode)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int depth = 0;
    int colourType = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colourType, nullptr, nullptr, nullptr);
    if (width < 1 || height < 1 || width > INT32_MAX || height > INT32_MAX)
        return false;

    // To 8-bit A, R, G, B bytes whatever the image holds.
    const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) || transparency;
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (transparency)
        png_set_tRNS_to_alpha(png);
    if (depth == 16)
        png_set_strip_16(png);
    if (depth < 8)
        png_set_packing(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (alpha)
        png_set_swap_alpha(png);
    else
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4)
        return false;

    const auto w = static_cast<int32_t>(width);
    const auto h = static_cast<int32_t>(height);
    LICE_IBitmap* bitmap = decode->given;
    if (bitmap)
        bitmap->SetSize(w, h);
    else
        bitmap = decode->made = new (std::nothrow) LICE_MemBitmap(w, h, 4);
    LICE_PixelRows rows;
    if (!LICE_GetPixelRows(bitmap, &rows) || rows.width != w || rows.height != h)
        return false;
    decode->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    if (!decode->rows)
        return false;
    for (int32_t y = 0; y < h; ++y)
        decode->rows[y] = reinterpret_cast<png_bytep>(rows.Row(y));
    png_read_image(png, decode->rows);
    return true;
}

// Bytes A, R, G, B in memory become the word 0xAARRGGBB.
void ReverseBytes(LICE_IBitmap* bitmap)
{
    LICE_PixelRows rows;
    if (!LICE_GetPixelRows(bitmap, &rows))
        return;
    for (int32_t y = 0; y < rows.height; ++y)
    {
        uint32_t* row = rows.Row(y);
        for (int32_t x = 0; x < rows.width; ++x)
        {
            const uint32_t p = row[x];
            row[x] = p >> 24 | (p >> 8 & 0xFF00u) | (p << 8 & 0xFF0000u) | p << 24;
        }
    }
}

}  // namespace

LICE_IBitmap* LICE_ReadPngMemory(const void* bytes, size_t size, LICE_IBitmap* bitmap)
{
    if (!bytes || size < kSignatureBytes || png_sig_cmp(static_cast<png_const_bytep>(bytes), 0, kSignatureBytes))
        return nullptr;
    png_structp png = png_create_read_struct("1.6.8", nullptr, OnError, OnWarning);
    if (!png)
        return nullptr;
    png_infop info = png_create_info_struct(png);
    if (!info)
    {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return nullptr;
    }
    PngSource source = {static_cast<const uint8_t*>(bytes), size, 0};
    png_set_read_fn(png, &source, ReadSource);
    PngDecode decode = {bitmap, nullptr, nullptr};
    const bool decoded = Decode(png, info, &decode);
    png_destroy_read_struct(&png, &info, nullptr);
    std::free(decode.rows);
    if (!decoded)
    {
        delete decode.made;
        return nullptr;
    }
    LICE_IBitmap* result = decode.made ? decode.made : bitmap;
    ReverseBytes(result);
    return result;
}

LICE_IBitmap* LICE_ReadPngFile(const char* fileName, LICE_IBitmap* bitmap)
{
    if (!fileName)
        return nullptr;
    ReadOnlyFile file;
    if (!file.Open(fileName) || file.Size() < static_cast<int64_t>(kSignatureBytes) ||
        static_cast<uint64_t>(file.Size()) > SIZE_MAX)
        return nullptr;
    const auto size = static_cast<size_t>(file.Size());
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size]);
    if (!bytes || !file.ReadNext(bytes.get(), size))
        return nullptr;
    return LICE_ReadPngMemory(bytes.get(), size, bitmap);
}

LICE_IBitmap* LICE_ReadPngResource(HINSTANCE module, const char* resourceName, LICE_IBitmap* bitmap)
{
    const HRSRC resource = FindResourceA(module, resourceName, "PNG");
    if (!resource)
        return nullptr;
    const DWORD size = SizeofResource(module, resource);
    if (size < kSignatureBytes)
        return nullptr;
    const HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return nullptr;
    return LICE_ReadPngMemory(bytes, size, bitmap);
}
