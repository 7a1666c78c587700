#include "graphics/vector/SurfaceEffects.h"

#include "graphics/editor/TruncToInt.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

namespace {

// An image surface's pixels as rows of 32-bit words.
struct PixelView
{
    uint32_t* data = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t span = 0;  // words per row

    uint32_t* Row(int32_t y) const { return data + static_cast<ptrdiff_t>(y) * span; }
};

bool OpenPixels(cairo_surface_t* surface, bool takesRgb24, PixelView* view)
{
    if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return false;
    const cairo_format_t format = cairo_image_surface_get_format(surface);
    if (format != CAIRO_FORMAT_ARGB32 && !(takesRgb24 && format == CAIRO_FORMAT_RGB24))
        return false;
    cairo_surface_flush(surface);
    view->data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
    view->width = cairo_image_surface_get_width(surface);
    view->height = cairo_image_surface_get_height(surface);
    view->span = cairo_image_surface_get_stride(surface) / 4;
    return view->data && view->width > 0 && view->height > 0;
}

std::unique_ptr<uint32_t[]> Scratch(const PixelView& v)
{
    const size_t n = static_cast<size_t>(v.width) * static_cast<size_t>(v.height);
    std::unique_ptr<uint32_t[]> s(new (std::nothrow) uint32_t[n]);
    if (s)
        std::memset(s.get(), 0, n * sizeof(uint32_t));
    return s;
}

constexpr int32_t kMaxKernel = 63;

// One blur pass along lines of count pixels, step apart in memory.
void BlurLine(const uint32_t* src, ptrdiff_t srcStep, uint32_t* dst, ptrdiff_t dstStep, int32_t count,
              const int32_t* weights, int32_t taps, int32_t half, int32_t total)
{
    for (int32_t x = 0; x < count; ++x)
    {
        uint32_t acc[4] = {0, 0, 0, 0};
        const int32_t first = std::max(0, half - x);
        const int32_t last = std::min(taps, count - x + half);
        for (int32_t j = first; j < last; ++j)
        {
            const uint32_t p = src[(x - half + j) * srcStep];
            const uint32_t w = static_cast<uint32_t>(weights[j]);
            acc[0] += ((p >> 24) & 0xFF) * w;
            acc[1] += ((p >> 16) & 0xFF) * w;
            acc[2] += ((p >> 8) & 0xFF) * w;
            acc[3] += (p & 0xFF) * w;
        }
        const uint32_t t = static_cast<uint32_t>(total);
        dst[x * dstStep] = ((acc[0] / t) << 24) | ((acc[1] / t) << 16) | ((acc[2] / t) << 8) | (acc[3] / t);
    }
}

double Luminance(uint32_t p)
{
    return (static_cast<double>((p >> 16) & 0xFF) + static_cast<double>((p >> 8) & 0xFF) +
            static_cast<double>(p & 0xFF)) / 3.0;
}

uint32_t AddToColour(uint32_t p, int32_t d)
{
    auto channel = [d](uint32_t c) { return static_cast<uint32_t>(std::clamp(static_cast<int32_t>(c) + d, 0, 255)); };
    return (p & 0xFF000000u) | (channel((p >> 16) & 0xFF) << 16) | (channel((p >> 8) & 0xFF) << 8) |
           channel(p & 0xFF);
}

// Runs offsetFor(l) on the 3 x 3 luminances l[row][column] of every inner
// pixel and adds the result to its colour; the border becomes transparent.
template <class OffsetFor>
void LuminanceFilter(cairo_surface_t* surface, OffsetFor offsetFor)
{
    PixelView v;
    if (!OpenPixels(surface, false, &v))
        return;
    std::unique_ptr<uint32_t[]> out = Scratch(v);
    if (!out)
        return;
    for (int32_t y = 1; y + 1 < v.height; ++y)
    {
        for (int32_t x = 1; x + 1 < v.width; ++x)
        {
            double l[3][3];
            for (int32_t r = 0; r < 3; ++r)
                for (int32_t c = 0; c < 3; ++c)
                    l[r][c] = Luminance(v.Row(y - 1 + r)[x - 1 + c]);
            out[static_cast<size_t>(y) * v.width + x] = AddToColour(v.Row(y)[x], TruncToInt(offsetFor(l)));
        }
    }
    for (int32_t y = 0; y < v.height; ++y)
        std::memcpy(v.Row(y), out.get() + static_cast<size_t>(y) * v.width, static_cast<size_t>(v.width) * 4);
    cairo_surface_mark_dirty(surface);
}

// ceil(2^32 / a) for a = 1 to 255 (0 for 0): n / a = (n x table[a]) >> 32
// exactly for every n below 2^16, since the rounding error n x (table[a] -
// 2^32 / a) / 2^32 stays below 1 / a.
struct Reciprocals
{
    uint64_t of[256];
};

constexpr Reciprocals MakeReciprocals()
{
    Reciprocals r{};
    for (uint64_t a = 1; a < 256; ++a)
        r.of[a] = ((uint64_t{1} << 32) + a - 1) / a;
    return r;
}

constexpr Reciprocals kReciprocals = MakeReciprocals();

// (c x 255 + a / 2) / a for each colour byte, limited to 255; a from 1 to 254.
uint32_t StraightPixel(uint32_t p)
{
    const uint32_t a = p >> 24;
    const uint64_t r = kReciprocals.of[a];
    auto straight = [a, r](uint32_t c) {
        return std::min<uint32_t>(255, static_cast<uint32_t>(((c * 255 + a / 2) * r) >> 32));
    };
    return (a << 24) | (straight((p >> 16) & 0xFF) << 16) | (straight((p >> 8) & 0xFF) << 8) | straight(p & 0xFF);
}

}  // namespace

void BlurSurface(cairo_surface_t* surface, int32_t kernelSize)
{
    PixelView v;
    if (!OpenPixels(surface, true, &v))
        return;
    const int32_t taps = kernelSize < 4 ? 3 : std::min(kernelSize, kMaxKernel);
    const int32_t half = taps / 2;
    int32_t weights[kMaxKernel];
    int32_t total = 0;
    for (int32_t j = 0; j < taps; ++j)
    {
        const double i = j - half;
        weights[j] = static_cast<int32_t>(80.0 * std::exp(-(i * i) / 30.0));
        total += weights[j];
    }
    std::unique_ptr<uint32_t[]> scratch = Scratch(v);
    if (!scratch)
        return;
    for (int32_t y = 0; y < v.height; ++y)
        BlurLine(v.Row(y), 1, scratch.get() + static_cast<size_t>(y) * v.width, 1, v.width, weights, taps, half,
                 total);
    for (int32_t x = 0; x < v.width; ++x)
        BlurLine(scratch.get() + x, v.width, v.data + x, v.span, v.height, weights, taps, half, total);
    cairo_surface_mark_dirty(surface);
}

void EmbossSurface(cairo_surface_t* surface, double strength)
{
    LuminanceFilter(surface, [strength](const double (&l)[3][3]) {
        return (-2.0 * l[0][0] - l[0][1] - l[1][0] + l[1][2] + l[2][1] + 2.0 * l[2][2]) * strength / 10.0;
    });
}

void EdgeHighlightSurface(cairo_surface_t* surface, double strength)
{
    LuminanceFilter(surface, [strength](const double (&l)[3][3]) {
        const double gx = -l[0][0] - 2.0 * l[1][0] - l[2][0] + l[0][2] + 2.0 * l[1][2] + l[2][2];
        const double gy = -l[0][0] - 2.0 * l[0][1] - l[0][2] + l[2][0] + 2.0 * l[2][1] + l[2][2];
        return std::sqrt(gx * gx + gy * gy) * strength / 10.0;
    });
}

void UnpremultiplySurface(cairo_surface_t* surface)
{
    UnpremultiplyArea(surface, UnlimitedArea());
}

IBounds UnpremultiplyArea(cairo_surface_t* surface, const IBounds& area)
{
    PixelView v;
    if (!OpenPixels(surface, false, &v))
        return {};
    const int32_t left = std::max(area.L, 0);
    const int32_t top = std::max(area.T, 0);
    const int32_t right = std::min(area.R, v.width);
    const int32_t bottom = std::min(area.B, v.height);
    if (right <= left || bottom <= top)
        return {};
    IBounds covered{right, bottom, left, top};  // grows to the pixels with alpha
    // The last pixel made straight and what it became: shadows and soft
    // fills repeat one value over long runs.
    uint32_t lastIn = 0;
    uint32_t lastOut = 0;
    for (int32_t y = top; y < bottom; ++y)
    {
        uint32_t* row = v.Row(y);
        int32_t first = right;
        int32_t last = left - 1;
        // One pixel: made straight; its place noted when it has alpha.
        const auto straighten = [row, &first, &last, &lastIn, &lastOut](int32_t x) {
            const uint32_t p = row[x];
            if (p < 0x01000000u)
            {
                row[x] = 0;
                return;
            }
            first = std::min(first, x);
            last = x;
            if (p >= 0xFF000000u)
                return;
            if (p != lastIn)
            {
                lastIn = p;
                lastOut = StraightPixel(p);
            }
            row[x] = lastOut;
        };
        int32_t x = left;
        // Groups of four: wholly empty and wholly opaque ones (the margins
        // and insides of most shapes) need no work.
        for (; x + 4 <= right; x += 4)
        {
            const uint32_t any = row[x] | row[x + 1] | row[x + 2] | row[x + 3];
            const uint32_t all = row[x] & row[x + 1] & row[x + 2] & row[x + 3];
            if (any == 0)
                continue;
            if (all >= 0xFF000000u)
            {
                first = std::min(first, x);
                last = x + 3;
                continue;
            }
            for (int32_t i = 0; i < 4; ++i)
                straighten(x + i);
        }
        for (; x < right; ++x)
            straighten(x);
        if (last < first)
            continue;
        covered = IBounds{std::min(covered.L, first), std::min(covered.T, y), std::max(covered.R, last + 1), y + 1};
    }
    cairo_surface_mark_dirty(surface);
    return covered.R > covered.L ? covered : IBounds{};
}
