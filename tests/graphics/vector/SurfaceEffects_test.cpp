#include "graphics/vector/CairoHandles.h"
#include "graphics/vector/SurfaceEffects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

// An ARGB32 surface whose pixels the test writes and reads as words.
class TestSurface
{
public:
    TestSurface(int32_t w, int32_t h, uint32_t fill = 0)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)), width(w)
    {
        cairo_surface_flush(surface.get());
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                Set(x, y, fill);
    }
    uint32_t* Row(int32_t y) const
    {
        return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface.get()) +
                                           y * cairo_image_surface_get_stride(surface.get()));
    }
    void Set(int32_t x, int32_t y, uint32_t p) { Row(y)[x] = p; }
    uint32_t Get(int32_t x, int32_t y) const
    {
        cairo_surface_flush(surface.get());
        return Row(y)[x];
    }
    cairo_surface_t* operator*() const
    {
        cairo_surface_mark_dirty(surface.get());
        return surface.get();
    }

    CairoSurfacePtr surface;
    int32_t width;
};

TEST(UnpremultiplyArea, EveryColourByteOfEveryAlphaIsTheExactQuotientLimitedTo255)
{
    // Row a, column c: c in all three colour bytes, also above a (not
    // premultiplied colour, which is limited to 255).
    TestSurface s(256, 256);
    for (uint32_t a = 0; a < 256; ++a)
        for (uint32_t c = 0; c < 256; ++c)
            s.Set(static_cast<int32_t>(c), static_cast<int32_t>(a), (a << 24) | (c << 16) | (c << 8) | c);
    EXPECT_EQ(UnpremultiplyArea(*s, IBounds{0, 0, 256, 256}), (IBounds{0, 1, 256, 256}));
    for (uint32_t a = 1; a < 256; ++a)
        for (uint32_t c = 0; c < 256; ++c)
        {
            const uint32_t v = a == 255 ? c : std::min<uint32_t>(255, (c * 255 + a / 2) / a);
            ASSERT_EQ(s.Get(static_cast<int32_t>(c), static_cast<int32_t>(a)), (a << 24) | (v << 16) | (v << 8) | v)
                << a << " " << c;
        }
}

TEST(UnpremultiplyArea, ChangesOnlyTheAreaAndAnswersWhereItsAlphaIs)
{
    // Rows of 37: transparent margins holding stray colour, an opaque run, a
    // half-transparent pixel, placed across groups of 4 and 16 pixels.
    TestSurface s(37, 6);
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 37; ++x)
            s.Set(x, y, 0x00102030);
    for (int32_t x = 5; x < 27; ++x)
        s.Set(x, 2, 0xFF336699);
    s.Set(30, 3, 0x80404040);
    s.Set(2, 4, 0x80404040);  // outside the area
    const IBounds area{3, 1, 35, 5};
    EXPECT_EQ(UnpremultiplyArea(*s, area), (IBounds{5, 2, 31, 4}));
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 37; ++x)
        {
            const bool inside = x >= area.L && x < area.R && y >= area.T && y < area.B;
            uint32_t expected = inside ? 0u : 0x00102030u;
            if (y == 2 && x >= 5 && x < 27)
                expected = 0xFF336699;
            else if (y == 3 && x == 30)
                expected = 0x80808080;
            else if (y == 4 && x == 2)
                expected = 0x80404040;  // left premultiplied
            ASSERT_EQ(s.Get(x, y), expected) << x << ", " << y;
        }

    // Cut to the surface; nothing with alpha, or no area at all: empty.
    EXPECT_EQ(UnpremultiplyArea(*s, IBounds{-10, -10, 100, 100}), (IBounds{2, 2, 31, 5}));
    TestSurface clear(9, 9, 0x00FFFFFF);
    EXPECT_EQ(UnpremultiplyArea(*clear, IBounds{0, 0, 9, 9}), IBounds{});
    EXPECT_EQ(clear.Get(8, 8), 0u);
    TestSurface untouched(9, 9, 0x00FFFFFF);
    for (const IBounds& none : {IBounds{4, 4, 4, 9}, IBounds{9, 0, 20, 9}, IBounds{0, -5, 9, 0}})
        EXPECT_EQ(UnpremultiplyArea(*untouched, none), IBounds{});
    EXPECT_EQ(untouched.Get(4, 4), 0x00FFFFFFu);
}

TEST(BlurSurface, SmallKernelsUseThreeTapsOfWeights77_80_77)
{
    TestSurface s(7, 7);
    s.Set(3, 3, 0xFFFFFFFF);
    BlurSurface(*s, 1);
    // Horizontal: 255 x 80 / 234 = 87 and 255 x 77 / 234 = 83; vertical again.
    EXPECT_EQ(s.Get(3, 3), 0x1D1D1D1Du);  // 87 x 80 / 234 = 29
    EXPECT_EQ(s.Get(2, 3), 0x1C1C1C1Cu);  // 83 x 80 / 234 = 28
    EXPECT_EQ(s.Get(3, 2), 0x1C1C1C1Cu);  // 87 x 77 / 234 = 28
    EXPECT_EQ(s.Get(2, 2), 0x1B1B1B1Bu);  // 83 x 77 / 234 = 27
    EXPECT_EQ(s.Get(1, 3), 0u);
    EXPECT_EQ(s.Get(3, 5), 0u);
}

TEST(BlurSurface, EdgesLoseWeightAndFade)
{
    TestSurface s(5, 5, 0xFFFFFFFF);
    BlurSurface(*s, 3);
    EXPECT_EQ(s.Get(2, 2), 0xFFFFFFFFu);
    EXPECT_EQ(s.Get(0, 2), 0xABABABABu);  // 255 x 157 / 234 = 171 across, kept down
    EXPECT_EQ(s.Get(0, 0), 0x72727272u);  // 171 x 157 / 234 = 114
}

TEST(LuminanceEffects, AStepIsLitAndClampedKeepingAlpha)
{
    // Left half dark, right half bright: the Sobel gradient across the step
    // is 4 x 200 = 800; strength 1 adds 80.
    TestSurface edges(6, 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 6; ++x)
            edges.Set(x, y, x < 3 ? 0x80000000u : 0x80C8C8C8u);
    EdgeHighlightSurface(*edges, 1.0);
    EXPECT_EQ(edges.Get(2, 1), 0x80505050u);
    EXPECT_EQ(edges.Get(3, 1), 0x80FFFFFFu) << "200 + 80 is clamped";
    EXPECT_EQ(edges.Get(1, 1), 0x80000000u);
    EXPECT_EQ(edges.Get(0, 1), 0u) << "the border goes";

    // Emboss: -2 tl - t - l + r + b + 2 br is 600 on both sides of the step.
    TestSurface emboss(6, 3);
    TestSurface darker(6, 3);
    for (TestSurface* e : {&emboss, &darker})
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 6; ++x)
                e->Set(x, y, x < 3 ? 0xFF000000u : 0xFFC8C8C8u);
    EmbossSurface(*emboss, 1.0);
    EXPECT_EQ(emboss.Get(1, 1), 0xFF000000u);
    EXPECT_EQ(emboss.Get(2, 1), 0xFF3C3C3Cu);
    EXPECT_EQ(emboss.Get(3, 1), 0xFFFFFFFFu);
    EXPECT_EQ(emboss.Get(4, 1), 0xFFC8C8C8u);
    EmbossSurface(*darker, -10.0);
    EXPECT_EQ(darker.Get(3, 1), 0xFF000000u) << "clamped at 0, alpha kept";
}

TEST(SurfaceEffects, LeaveOtherFormatsAndFailedSurfacesAlone)
{
    CairoSurfacePtr a8(cairo_image_surface_create(CAIRO_FORMAT_A8, 8, 8));
    CairoSurfacePtr bad(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, -1, 5));
    ASSERT_NE(cairo_surface_status(bad.get()), CAIRO_STATUS_SUCCESS);
    for (cairo_surface_t* s : {a8.get(), bad.get(), static_cast<cairo_surface_t*>(nullptr)})
    {
        BlurSurface(s, 5);
        EmbossSurface(s, 1.0);
        EdgeHighlightSurface(s, 1.0);
        UnpremultiplySurface(s);
        EXPECT_EQ(UnpremultiplyArea(s, IBounds{0, 0, 8, 8}), IBounds{});
    }
    EXPECT_EQ(cairo_surface_status(a8.get()), CAIRO_STATUS_SUCCESS);
}

}  // namespace
