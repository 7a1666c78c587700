#pragma once
// Draws the artwork with cairo. Every shape is drawn on its own: a fresh
// ARGB32 surface the size of its target rectangle, the drop shadow, then the
// shape, then the pixel effects; the pixels are made straight-alpha and handed
// to a ShapeSink to blend into the editor's back buffer. Only what the sink
// can show is worked on (see RenderShape), with the pixels the whole would
// have there. Controls draw a whole group: one frame of every layer, or the
// first frame of every layer with its animations at the control's value.
//
// UI thread. The renderer owns nothing beyond one drawing; it writes the
// animation factors (t) of the shapes it draws, which keep the last value.
// Kinds 1, 2, 8 and 11 are drawn here, kind 12 by the sink; other kinds draw
// nothing.

#include "graphics/editor/IBounds.h"
#include "graphics/vector/CairoHandles.h"
#include "graphics/vector/ShapeGroup.h"
#include "graphics/vector/ShapeSink.h"

#include <cairo.h>

#include <cstdint>

// The blend record of a control. Shapes are always blended with their own
// alpha at full weight: the record is carried down but not applied.
struct IBlend;

namespace ShapeRenderer {

// True without drawing when the group is not visible; false when it is null
// or has no layers; else DrawLayerFrame for every layer in order, returning
// the last layer's result.
bool DrawGroup(ShapeGroup* group, ShapeSink& sink, const IBounds& target, int32_t frame, const IBlend* blend);

// True without drawing when the layer is not visible, or when its first shape
// is text and textOn is clear; false when it is null or empty; else the frame
// (clamped to the layer's shapes) is drawn with every animation factor 0.
bool DrawLayerFrame(ShapeList* layer, ShapeSink& sink, const IBounds& target, int32_t frame, const IBlend* blend);

// As DrawGroup, but every layer draws its first shape with every animation
// factor t. A t that is not finite counts as 0 (the unanimated shapes).
bool DrawGroupAtValue(ShapeGroup* group, ShapeSink& sink, const IBounds& target, double t, const IBlend* blend);

// Draws one shape into the target L, T, R, B. False only when cairo failed
// (nothing is blended then); a shape that is not visible, has an empty
// target or has nothing to draw (no text, a gradient without stops, a kind
// not drawn here) is skipped and answers true.
bool DrawShape(Shape& shape, ShapeSink& sink, int32_t L, int32_t T, int32_t R, int32_t B, const IBlend* blend);

// A shape drawn into its own surface, premultiplied, before it is handed on.
struct RenderedShape
{
    CairoSurfacePtr surface;      // null: nothing to blend
    IBounds target;               // where the surface goes (grown by an absolute shadow)
    bool keepPremultiplied = false;  // emboss or edges ran: their colours are not unpremultiplied
    bool failed = false;          // cairo reported an error
};

// DrawShape up to the hand-over, for the cairo kinds (1, 2, 8, 11): a new
// surface of the target's W x H (grown to the right and down by 4 x
// trunc(scale x offset) of an absolute shadow's positive offsets), the
// shadow, the shape, the pixel effects. Of that surface only what meets
// visible (target coordinates) is made, each pixel there as the whole surface
// has it: a shape whose surface misses visible is not drawn (no surface, no
// failure), of one that meets it only the rows that meet it (target says
// which), and its own fill is left out when its ink cannot reach visible.
// A blur or pixel effect (they spread pixels) and a surface larger than cairo
// makes (it fails) keep the whole.
RenderedShape RenderShape(Shape& shape, const IBounds& target, const IBounds& visible = UnlimitedArea());

// The source of the shape's main pass: its solid colour (animated by the
// fill's t) or its gradient over w x h (w, h: the inset width and height),
// running left to right or bottom to top. Set while the context's matrix is
// still the identity, so a gradient spans the untransformed rectangle.
void SetSource(const Shape& shape, cairo_t* cr, double w, double h);

// Multiplies the shape's scale, offset and rotation transforms (in this order,
// each animated by its t when its switch says so) onto matrix. cx, cy: the
// centre of the target; w, h: the inset width and height.
void BuildTransform(const Shape& shape, cairo_matrix_t* matrix, double cx, double cy, double w, double h,
                    bool absolute);

// Sets every animation factor of the shape (fill, scale, offset, rotation) to t.
void SetAnimation(Shape& shape, double t);

}  // namespace ShapeRenderer

// Hands a drawn surface to the sink: flushes it, makes the part the sink
// can show straight-alpha (unless keepPremultiplied) and blends it into
// target (the surface's size), naming the part that holds alpha as used.
void BlitSurfaceToBitmap(ShapeSink& sink, cairo_surface_t* surface, const IBounds& target, const IBlend* blend,
                         bool keepPremultiplied);
