#pragma once
// The shape renderer's sink over the editor surface: the used part of a
// drawn shape's pixels goes into the back buffer as a one-frame bitmap
// through the surface's DrawFrameBitmap (clipped to the area being drawn,
// blended with their own alpha at full weight), and styled text (kind 12)
// through its DrawStyledText. Controls make one on the stack in Paint.
// [UI thread]

#include "graphics/editor/IGraphics.h"
#include "graphics/vector/ShapeGroup.h"
#include "graphics/vector/ShapeSink.h"

#include <cstdint>

class SurfaceShapeSink final : public ShapeSink
{
public:
    // graphics: not owned; outlives the sink.
    explicit SurfaceShapeSink(IGraphics& graphics) : graphics(graphics) {}

    // The surface's clip area: the area being drawn, else the back buffer.
    IBounds VisibleArea() const override;
    void BlendPixels(uint32_t* pixels, int32_t width, int32_t height, const IBounds& target,
                     const IBounds& used) override;
    void DrawStyledText(TextStyle& style, const char* text, const IBounds& target) override;

private:
    IGraphics& graphics;
};

// ShapeRenderer::DrawGroup (frame) and DrawGroupAtValue (t) into target of
// graphics' back buffer, through a SurfaceShapeSink; false without a surface
// or a group, or when the group has no layers.
bool DrawGroupOn(IGraphics* graphics, ShapeGroup* group, const IBounds& target, int32_t frame, const IBlend& blend);
bool DrawGroupAtValueOn(IGraphics* graphics, ShapeGroup* group, const IBounds& target, double t,
                        const IBlend& blend);

// A field's look over a group that several fields share: frame 0 with the
// group's text cleared (so no other field's text shows through), then, when
// text is not empty, frame 0 again showing it. Nothing without a group.
void DrawGroupShowingText(IGraphics* graphics, ShapeGroup* group, const IBounds& target, const char* text,
                          const IBlend& blend);
