#include "platform/win32/PngWriter.h"

#include "platform/FileIO.h"

#include <png.h>

#include <csetjmp>

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng reports errors by longjmp; nothing with a destructor lives in the
// frame it jumps back to.
bool WriteRows(std::vector<uint8_t>* out, const std::vector<png_bytep>& rows, int width, int height, bool withAlpha)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool EncodePng(const uint32_t* topRow, int width, int height, ptrdiff_t rowPixels, bool withAlpha,
               std::vector<uint8_t>* png)
{
    png->clear();
    if (!topRow || width <= 0 || height <= 0)
        return false;
    const size_t channels = withAlpha ? 4 : 3;
    std::vector<png_byte> bytes(static_cast<size_t>(width) * height * channels);
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
    {
        const uint32_t* in = topRow + rowPixels * y;
        png_byte* out = &bytes[static_cast<size_t>(y) * width * channels];
        rows[y] = out;
        for (int x = 0; x < width; ++x, out += channels)
        {
            out[0] = static_cast<png_byte>(in[x] >> 16);
            out[1] = static_cast<png_byte>(in[x] >> 8);
            out[2] = static_cast<png_byte>(in[x]);
            if (withAlpha)
                out[3] = static_cast<png_byte>(in[x] >> 24);
        }
    }
    if (WriteRows(png, rows, width, height, withAlpha))
        return true;
    png->clear();
    return false;
}

bool WritePngFile(const char* path, const uint32_t* topRow, int width, int height, ptrdiff_t rowPixels, bool withAlpha)
{
    std::vector<uint8_t> png;
    return path && EncodePng(topRow, width, height, rowPixels, withAlpha, &png) &&
           WriteFileAtomically(path, png.data(), png.size());
}
