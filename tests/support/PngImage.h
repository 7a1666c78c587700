#pragma once
// Reading PNG files into 0xAARRGGBB pixel buffers for tests, with cairo's own
// PNG support (the host program's tests link no graphics library). Opaque
// pixels come back exactly; the others through cairo's premultiplied form.

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

struct PngImage
{
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // straight alpha, rows top first
};

inline bool ReadPng(const std::string& path, PngImage* image)
{
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    // An opaque image comes back as RGB24, whose top byte is unused.
    const bool opaque = cairo_image_surface_get_format(s) == CAIRO_FORMAT_RGB24;
    const bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS &&
                    (opaque || cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32);
    if (ok)
    {
        cairo_surface_flush(s);
        image->width = cairo_image_surface_get_width(s);
        image->height = cairo_image_surface_get_height(s);
        image->pixels.resize(static_cast<size_t>(image->width) * image->height);
        const unsigned char* data = cairo_image_surface_get_data(s);
        const int32_t stride = cairo_image_surface_get_stride(s);
        for (int32_t y = 0; y < image->height; ++y)
        {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
            for (int32_t x = 0; x < image->width; ++x)
            {
                const uint32_t p = opaque ? row[x] | 0xFF000000u : row[x];
                const uint32_t a = p >> 24;
                auto straight = [a](uint32_t c) { return a ? (c * 255 + a / 2) / a : 0; };
                image->pixels[static_cast<size_t>(y) * image->width + x] =
                    (a << 24) | (straight((p >> 16) & 0xFF) << 16) | (straight((p >> 8) & 0xFF) << 8) |
                    straight(p & 0xFF);
            }
        }
    }
    cairo_surface_destroy(s);
    return ok;
}
