#include "graphics/editor/IGraphics.h"

#include "framework/core/IPlugBase.h"
#include "graphics/editor/AreaClusters.h"
#include "graphics/editor/BoundsOps.h"
#include "graphics/editor/TruncToInt.h"
#include "graphics/raster/LICE_Compose.h"
#include "graphics/raster/LICE_PaintRect.h"
#include "graphics/raster/LICE_SysBitmap.h"

namespace {

// Quiet ticks after which every control hears QuietPeriodHook.
constexpr int32_t kQuietTicks = 21;

// round(size x (frame - 1) / count): + 0.5, then truncation.
int32_t FrameOffset(int32_t size, int32_t frame, int32_t count)
{
    return TruncToInt(static_cast<double>(size) * (frame - 1) / count + 0.5);
}

}  // namespace

IBounds IGraphics::ClipArea() const
{
    const IBounds whole = {0, 0, backBuffer ? backBuffer->Width() : 0, backBuffer ? backBuffer->Height() : 0};
    return drawing ? BoundsClip(clipArea, whole) : whole;
}

void IGraphics::FillBounds(const IArgb& colour, const IBounds& bounds, const IBlend* blend)
{
    const IBounds target = BoundsClip(bounds, ClipArea());
    if (!backBuffer || IsEmptyBounds(target))
        return;
    const BlendMode how = BlendModeOf(blend);
    LICE_PaintRect(backBuffer, target.L, target.T, target.R - target.L, target.B - target.T, PackArgb(colour),
                   how.alpha, how.mode);
}

void IGraphics::DrawFrameBitmap(const IBitmapStrip& strip, const IBounds& bounds, int32_t frame,
                                const IBlend* blend)
{
    if (!backBuffer || !strip.bitmap)
        return;
    int32_t srcX = 0;
    int32_t srcY = 0;
    if (strip.frameCount > 1 && frame > 1)
    {
        if (strip.framesSideBySide)
            srcX = FrameOffset(strip.width, frame, strip.frameCount);
        else
            srcY = FrameOffset(strip.height, frame, strip.frameCount);
    }
    const IBounds target = BoundsClip(bounds, ClipArea());
    if (IsEmptyBounds(target))
        return;
    srcX += target.L - bounds.L;
    srcY += target.T - bounds.T;
    const BlendMode how = BlendModeOf(blend);
    LICE_Compose(backBuffer, strip.bitmap, target.L, target.T, srcX, srcY, target.R - target.L, target.B - target.T,
                 how.alpha, how.mode);
}

void IGraphics::Draw(const IBounds& area)
{
    const int32_t count = controls.GetSize();
    if (count > 0)
    {
        clipArea = area;
        drawing = true;
        const IBounds whole = {0, 0, backBuffer ? backBuffer->Width() : 0, backBuffer ? backBuffer->Height() : 0};
        const IBounds drawn = BoundsClip(area, whole);
        const int32_t first = backBuffer ? backdrops.Start(controls, *backBuffer, area, drawn) : 0;
        for (int32_t i = 0; i < count; ++i)
        {
            IControl* control = controls.Get(i);
            if (!control)
                continue;
            // (The run that serves holds its pixels already.)
            if (backBuffer && (first == 0 || i > first))
                backdrops.Reach(i, controls, *backBuffer, drawn);
            const uint32_t stamp = control->DrawStamp();
            const IBounds pending = control->AwaitsDrawing() ? control->ChangedArea() : IBounds{};
            if (i >= first && !control->IsHidden() && BoundsIntersect(control->DrawArea(), area))
                control->Paint(this);
            // Only a control whose changed pixels that can show were all
            // drawn (or, hidden, drawn over) is done with; a change of any
            // other, or of one below the backdrop that serves (not drawn: a
            // change of it came after the backdrop was chosen), waits for a
            // draw that covers it.
            control->FinishPass(stamp, i >= first && BoundsInside(BoundsClip(pending, whole), drawn));
        }
        drawing = false;
    }
    // Also with no controls: the window must see its area painted (validated),
    // or it asks for the same paint again and again.
    PaintWindow(area);
}

template <class Add>
bool IGraphics::ScanChanges(Add add)
{
    if (plug)
        plug->IdleRefresh();
    bool anyChanged = false;
    for (int32_t i = 0; i < controls.GetSize(); ++i)
    {
        IControl* control = controls.Get(i);
        if (!control->IsChanged())
            continue;
        const uint32_t stamp = control->DrawStamp();
        const IBounds changed = control->ChangedArea();
        if (IsEmptyBounds(changed))
        {
            control->FinishPass(stamp, true);  // nothing of it to draw
            continue;
        }
        add(i, changed);
        anyChanged = true;
    }
    if (anyChanged)
    {
        quietTicks = 0;
        return true;
    }
    if (++quietTicks >= kQuietTicks)
    {
        quietTicks = 0;
        for (int32_t i = 0; i < controls.GetSize(); ++i)
            controls.Get(i)->QuietPeriodHook();
    }
    return false;
}

bool IGraphics::CollectChanges(IBounds& area)
{
    return ScanChanges([&area](int32_t, const IBounds& changed) { area = BoundsUnion(area, changed); });
}

bool IGraphics::CollectChangedAreas(std::vector<IBounds>& areas)
{
    return ScanChanges([&](int32_t idx, const IBounds& changed) {
        AddToClusters(areas, changed);
        // A run without its backdrop is drawn whole, which stores it.
        if (!backdrops.Empty())
        {
            const IBounds wanted = backdrops.Wanted(idx, controls, backBuffer);
            if (!IsEmptyBounds(wanted))
                AddToClusters(areas, wanted);
        }
    });
}

void IGraphics::AddBackdrop(int32_t first, int32_t last) { backdrops.Add(first, last); }
