#include "graphics/vector/SurfaceShapeSink.h"

#include "graphics/editor/BoundsOps.h"
#include "graphics/raster/LICE_WrapperBitmap.h"
#include "graphics/vector/ShapeRenderer.h"

IBounds SurfaceShapeSink::VisibleArea() const { return graphics.ClipArea(); }

void SurfaceShapeSink::BlendPixels(uint32_t* pixels, int32_t width, int32_t /*height*/, const IBounds& target,
                                   const IBounds& used)
{
    const IBounds part = BoundsClip(used, target);
    if (IsEmptyBounds(part))
        return;
    // Only the used part, as a bitmap of its own inside the rows of the
    // whole: the rest would leave the back buffer as it is.
    const int32_t usedWidth = part.R - part.L;
    const int32_t usedHeight = part.B - part.T;
    LICE_WrapperBitmap wrapped(pixels + static_cast<ptrdiff_t>(part.T - target.T) * width + (part.L - target.L),
                               usedWidth, usedHeight, width, false);
    IBitmapStrip strip;
    strip.bitmap = &wrapped;
    strip.width = usedWidth;
    strip.height = usedHeight;
    strip.frameCount = 1;
    // No blend record: source alpha at full weight, whatever the control's.
    graphics.DrawFrameBitmap(strip, part, 1, nullptr);
}

void SurfaceShapeSink::DrawStyledText(TextStyle& style, const char* text, const IBounds& target)
{
    IBounds area = target;
    graphics.DrawStyledText(style, text, area, false);
}

bool DrawGroupOn(IGraphics* graphics, ShapeGroup* group, const IBounds& target, int32_t frame, const IBlend& blend)
{
    if (!graphics)
        return false;
    SurfaceShapeSink sink(*graphics);
    return ShapeRenderer::DrawGroup(group, sink, target, frame, &blend);
}

bool DrawGroupAtValueOn(IGraphics* graphics, ShapeGroup* group, const IBounds& target, double t, const IBlend& blend)
{
    if (!graphics)
        return false;
    SurfaceShapeSink sink(*graphics);
    return ShapeRenderer::DrawGroupAtValue(group, sink, target, t, &blend);
}

void DrawGroupShowingText(IGraphics* graphics, ShapeGroup* group, const IBounds& target, const char* text,
                          const IBlend& blend)
{
    if (!group)
        return;
    group->SetText("");
    DrawGroupOn(graphics, group, target, 0, blend);
    if (!text || !*text)
        return;
    group->SetText(text);
    DrawGroupOn(graphics, group, target, 0, blend);
}
