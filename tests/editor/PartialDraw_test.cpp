// A redraw of part of the face shows, inside that part, exactly the pixels of
// the whole face drawn at once: the surface draws only what can show there,
// and that must never change a pixel that does show. (Except where a control
// that the part does not meet paints beyond its own area in the whole face.)
#include "graphics/editor/BoundsOps.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "plugin/MeterParamIndex.h"
#include "support/EditorSession.h"
#include "tests/support/CairoStaticData.h"

#include <cmath>
#include <random>
#include <vector>

namespace {

class PartialDraw : public EditorSession
{
protected:
    // The editor open at scale, the meter of type after a second of a loud
    // sine that moves, bars and read-outs shown.
    void ShowAfterAudio(const char* scale, const char* type)
    {
        SetFromHost(kGUIScale, scale);
        SetFromHost(kType, type);
        Open();
        Play([](int32_t c, int64_t i) { return static_cast<float>((0.3 + 0.6 * c) * std::sin(i * 0.0131)); }, 1.0);
        Tick(8);
    }

    std::vector<uint32_t> BackBufferPixels() const
    {
        const LICE_SysBitmap* b = Editor().BackBuffer();
        std::vector<uint32_t> pixels;
        for (int32_t y = 0; y < b->Height(); ++y)
            pixels.insert(pixels.end(), b->PixelData() + static_cast<ptrdiff_t>(y) * b->RowPixels(),
                          b->PixelData() + static_cast<ptrdiff_t>(y) * b->RowPixels() + b->Width());
        return pixels;
    }

    // Every control's own area and rectangles from a fixed seed.
    std::vector<IBounds> Areas() const
    {
        std::vector<IBounds> areas;
        for (int32_t i = 0; i < Editor().ControlCount(); ++i)
            areas.push_back(Editor().ControlAt(i)->DrawArea());
        std::mt19937 rng(5);
        std::uniform_int_distribution<int32_t> x(0, Editor().Width() - 1), y(0, Editor().Height() - 1), size(1, 200);
        for (int32_t k = 0; k < 50; ++k)
        {
            const IBounds a{x(rng), y(rng), 0, 0};
            areas.push_back(IBounds{a.L, a.T, a.L + size(rng), a.T + size(rng)});
        }
        return areas;
    }

    // Whether a control that the draw of area leaves out paints (x, y) in the
    // whole face: the bar frames' absolute shadows grow their surfaces right
    // and down by 4 x 2 design pixels beyond their draw areas, which a draw
    // of a neighbouring area alone does not repaint.
    bool ReachedFromOutside(const IBounds& area, int32_t x, int32_t y) const
    {
        const int32_t grow = 8 * static_cast<int32_t>(std::lround(Editor().Width() / 616.0));
        for (int32_t i = 0; i < Editor().ControlCount(); ++i)
        {
            const IControl* c = Editor().ControlAt(i);
            const IBounds a = c->DrawArea();
            if (!c->IsHidden() && !BoundsIntersect(a, area) && x >= a.L && x < a.R + grow && y >= a.T &&
                y < a.B + grow)
                return true;
        }
        return false;
    }

    void ExpectEveryPartAsTheWhole()
    {
        IGraphicsWin& editor = Editor();
        const int32_t w = editor.Width();
        const int32_t h = editor.Height();
        editor.Draw(IBounds{0, 0, w, h});
        const std::vector<uint32_t> whole = BackBufferPixels();
        LICE_SysBitmap* back = editor.BackBuffer();
        for (const IBounds& area : Areas())
        {
            for (int32_t y = 0; y < h; ++y)  // a pixel the draw leaves alone shows as a wrong colour
                std::fill_n(back->PixelData() + static_cast<ptrdiff_t>(y) * back->RowPixels(), w, 0xFF13579Bu);
            editor.Draw(area);
            const std::vector<uint32_t> part = BackBufferPixels();
            for (int32_t y = std::max(area.T, 0); y < std::min(area.B, h); ++y)
                for (int32_t x = std::max(area.L, 0); x < std::min(area.R, w); ++x)
                {
                    const size_t at = static_cast<size_t>(y) * w + x;
                    if (part[at] != whole[at])
                    {
                        ASSERT_TRUE(ReachedFromOutside(area, x, y))
                            << "area " << area.L << "," << area.T << "," << area.R << "," << area.B << " at " << x
                            << "," << y;
                    }
                }
        }
    }
};

TEST_F(PartialDraw, RmsFaceAtScaleOne)
{
    ShowAfterAudio("1.0", "RMS");
    ExpectEveryPartAsTheWhole();
}

TEST_F(PartialDraw, EbuFaceAtScaleTwo)
{
    ShowAfterAudio("2.0", "EBU");
    ExpectEveryPartAsTheWhole();
}

TEST_F(PartialDraw, RmsFaceAtScaleThree)
{
    ShowAfterAudio("3.0", "RMS");
    ExpectEveryPartAsTheWhole();
}

}  // namespace
