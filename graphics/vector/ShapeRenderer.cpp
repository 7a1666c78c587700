#include "graphics/vector/ShapeRenderer.h"

#include "graphics/editor/BoundsOps.h"
#include "graphics/editor/TruncToInt.h"
#include "graphics/vector/MatrixSteps.h"
#include "graphics/vector/ShapePasses.h"
#include "graphics/vector/SurfaceEffects.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

double ScaleFactor(double s) { return std::isfinite(s) && s > 0.0 ? s : 1.0; }

// from + (to - from) x t, in whole steps, kept to a channel's range.
int32_t AnimatedChannel(int32_t from, int32_t to, double t)
{
    const int64_t v = static_cast<int64_t>(from) + TruncToInt((static_cast<double>(to) - from) * t);
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, 255));
}

IArgb FillColour(const ShapeFill& fill)
{
    if (!fill.animated)
        return fill.colour;
    const double t = AnimationFactor(fill.t);
    return IArgb{AnimatedChannel(fill.colour.A, fill.colourTo.A, t), AnimatedChannel(fill.colour.R, fill.colourTo.R, t),
                 AnimatedChannel(fill.colour.G, fill.colourTo.G, t), AnimatedChannel(fill.colour.B, fill.colourTo.B, t)};
}

double Animated(double value, double target, int32_t animated, double t)
{
    return animated ? value + (target - value) * AnimationFactor(t) : value;
}

// A pivot in pixels from the centre: percent of the inset size, or design
// pixels times the scale.
void Pivot(double px, double py, double w, double h, bool absolute, double sx, double sy, double* ox, double* oy)
{
    *ox = absolute ? sx * px : px / 100.0 * w;
    *oy = absolute ? sy * py : py / 100.0 * h;
}

bool HasSomethingToDraw(const Shape& s)
{
    switch (s.kind)
    {
    case kShapeRoundedRect:
    case kShapeEllipse:
    case kShapeScaleMarks:
        break;
    case kShapeTextPath:
        if (s.text.GetLength() == 0)
            return false;
        break;
    default:
        return false;
    }
    return !(s.fill.gradientOn && s.fill.stops.GetSize() == 0);
}

// Grows a size by a shadow offset's positive part only.
int32_t GrownBy(int64_t size, double scale, double offset)
{
    const int64_t grow = 4 * static_cast<int64_t>(std::max(0, TruncToInt(scale * offset)));
    return static_cast<int32_t>(std::min<int64_t>(size + grow, std::numeric_limits<int32_t>::max()));
}

// cairo's image surfaces go no larger.
constexpr int32_t kLargestSurfaceSide = 32767;

// Whether each pixel of the shape is drawn apart from the others: not when
// a blur (of the shadow or the shape) or a pixel effect reads neighbours, so
// that ink outside what shows can move into it.
bool DrawsPixelsApart(const Shape& s)
{
    const bool shadowBlurred = s.shadowOn && s.shadowBlurOn && s.shadowBlur > 0.0;
    const bool effects = s.effectsOn && (s.blur > 0.0 || s.emboss != 0.0 || s.edges != 0.0);
    return !shadowBlurred && !effects;
}

void ApplyEffects(const Shape& s, cairo_surface_t* surface, double sx, double sy)
{
    if (!s.effectsOn)
        return;
    if (s.blur > 0.0)
        BlurSurface(surface, TruncToInt(std::sqrt(sx * sy) * s.blur * 0.5));
    if (s.emboss != 0.0)
        EmbossSurface(surface, s.emboss);
    if (s.edges != 0.0)
        EdgeHighlightSurface(surface, s.edges);
}

}  // namespace

namespace ShapeRenderer {

void SetAnimation(Shape& shape, double t)
{
    shape.fill.t = t;
    shape.scaleT = t;
    shape.offsetT = t;
    shape.rotationT = t;
}

namespace {

bool DrawLayerFrameAt(ShapeList* layer, ShapeSink& sink, const IBounds& target, int32_t frame, double t,
                      const IBlend* blend)
{
    if (!layer)
        return false;
    if (!layer->visible)
        return true;
    Shape* first = layer->Get(0);
    if (first && IsTextKind(first->kind) && !layer->textOn)
        return true;
    if (layer->Count() == 0)
        return false;
    Shape* shape = layer->Get(std::clamp(frame, 0, layer->Count() - 1));
    SetAnimation(*shape, t);
    return DrawShape(*shape, sink, target.L, target.T, target.R, target.B, blend);
}

bool DrawLayers(ShapeGroup* group, ShapeSink& sink, const IBounds& target, int32_t frame, double t,
                const IBlend* blend)
{
    if (!group)
        return false;
    if (!group->visible)
        return true;
    if (group->LayerCount() == 0)
        return false;
    bool result = false;
    for (int32_t i = 0; i < group->LayerCount(); ++i)
        result = DrawLayerFrameAt(group->Layer(i), sink, target, frame, t, blend);
    return result;
}

}  // namespace

bool DrawLayerFrame(ShapeList* layer, ShapeSink& sink, const IBounds& target, int32_t frame, const IBlend* blend)
{
    return DrawLayerFrameAt(layer, sink, target, frame, 0.0, blend);
}

bool DrawGroup(ShapeGroup* group, ShapeSink& sink, const IBounds& target, int32_t frame, const IBlend* blend)
{
    return DrawLayers(group, sink, target, frame, 0.0, blend);
}

bool DrawGroupAtValue(ShapeGroup* group, ShapeSink& sink, const IBounds& target, double t, const IBlend* blend)
{
    return DrawLayers(group, sink, target, 0, AnimationFactor(t), blend);
}

RenderedShape RenderShape(Shape& shape, const IBounds& target, const IBounds& visible)
{
    RenderedShape out;
    const int64_t w = static_cast<int64_t>(target.R) - target.L;
    const int64_t h = static_cast<int64_t>(target.B) - target.T;
    if (!shape.visible || w <= 0 || h <= 0 || !HasSomethingToDraw(shape))
        return out;

    ShapeFrame frame;
    frame.width = static_cast<double>(w);
    frame.height = static_cast<double>(h);
    frame.sx = ScaleFactor(shape.horizontalScale);
    frame.sy = ScaleFactor(shape.verticalScale);
    frame.absolute = shape.absoluteUnits != 0;

    int32_t surfaceW = static_cast<int32_t>(std::min<int64_t>(w, std::numeric_limits<int32_t>::max()));
    int32_t surfaceH = static_cast<int32_t>(std::min<int64_t>(h, std::numeric_limits<int32_t>::max()));
    if (frame.absolute && shape.shadowOn)
    {
        surfaceW = GrownBy(surfaceW, frame.sx, shape.shadowOffsetX);
        surfaceH = GrownBy(surfaceH, frame.sy, shape.shadowOffsetY);
    }
    const IBounds whole{target.L, target.T, static_cast<int32_t>(target.L + static_cast<int64_t>(surfaceW)),
                        static_cast<int32_t>(target.T + static_cast<int64_t>(surfaceH))};
    // What cannot show is not drawn. A shape whose surface misses the visible
    // area is skipped; of one that meets it only the rows that show are made
    // (cairo draws each row of pixels alike whichever rows the surface has;
    // not so for columns, which it does not cut), and its passes learn what
    // shows. Not when a blur or pixel effect reads neighbours, nor for a
    // shape too large for cairo, which fails as it always did.
    const IBounds shown = BoundsClip(whole, visible);
    const bool makeable = surfaceW <= kLargestSurfaceSide && surfaceH <= kLargestSurfaceSide;
    if (makeable && IsEmptyBounds(shown))
        return out;
    IBounds drawn = whole;
    if (makeable && DrawsPixelsApart(shape))
    {
        drawn.T = shown.T;
        drawn.B = shown.B;
        frame.shown = IBounds{shown.L - whole.L, shown.T - whole.T, shown.R - whole.L, shown.B - whole.T};
    }

    CairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, surfaceW, drawn.B - drawn.T));
    out.failed = true;
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return out;
    // The shape is drawn in the whole surface's coordinates.
    cairo_surface_set_device_offset(surface.get(), 0.0, whole.T - drawn.T);
    {
        CairoContextPtr cr(cairo_create(surface.get()));
        if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
            return out;
        if (!DrawShapePasses(shape, cr.get(), surface.get(), frame) || cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
            return out;
    }
    cairo_surface_flush(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return out;
    ApplyEffects(shape, surface.get(), frame.sx, frame.sy);

    out.failed = false;
    out.keepPremultiplied = shape.effectsOn && (shape.emboss != 0.0 || shape.edges != 0.0);
    out.target = drawn;
    out.surface = std::move(surface);
    return out;
}

bool DrawShape(Shape& shape, ShapeSink& sink, int32_t L, int32_t T, int32_t R, int32_t B, const IBlend* blend)
{
    if (shape.kind == kShapeStyledText)
    {
        if (shape.visible && R > L && B > T && shape.text.GetLength() > 0)
        {
            shape.textStyle.colour = FillColour(shape.fill);
            sink.DrawStyledText(shape.textStyle, shape.text.Get(), IBounds{L, T, R, B});
        }
        return true;
    }
    RenderedShape drawn = RenderShape(shape, IBounds{L, T, R, B}, sink.VisibleArea());
    if (drawn.surface)
        BlitSurfaceToBitmap(sink, drawn.surface.get(), drawn.target, blend, drawn.keepPremultiplied);
    return !drawn.failed;
}

void SetSource(const Shape& shape, cairo_t* cr, double w, double h)
{
    const ShapeFill& fill = shape.fill;
    if (!fill.gradientOn)
    {
        const IArgb c = FillColour(fill);
        cairo_set_source_rgba(cr, c.R / 255.0, c.G / 255.0, c.B / 255.0, c.A / 255.0);
        return;
    }
    const bool horizontal = fill.gradientHorizontal != 0;
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0.0, 0.0, horizontal ? w : 0.0, horizontal ? 0.0 : h);
    for (int32_t i = 0; i < fill.stops.GetSize(); ++i)
    {
        const GradientStop* stop = fill.stops.Get(i);
        const double offset = std::isfinite(stop->offset) ? stop->offset : 0.0;
        cairo_pattern_add_color_stop_rgba(pattern, horizontal ? offset : 1.0 - offset, stop->colour.R / 255.0,
                                          stop->colour.G / 255.0, stop->colour.B / 255.0, stop->colour.A / 255.0);
    }
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);  // the context holds it while it is the source
}

void BuildTransform(const Shape& s, cairo_matrix_t* matrix, double cx, double cy, double w, double h, bool absolute)
{
    const double sx = ScaleFactor(s.horizontalScale);
    const double sy = ScaleFactor(s.verticalScale);
    double ox = 0.0;
    double oy = 0.0;
    if (s.scaleOn)
    {
        Pivot(s.scalePivotX, s.scalePivotY, w, h, absolute, sx, sy, &ox, &oy);
        ThenTranslate(matrix, -cx - ox, -cy - oy);
        ThenScale(matrix, Animated(s.scaleX, s.scaleTargetX, s.scaleAnimated, s.scaleT) / 100.0,
                  Animated(s.scaleY, s.scaleTargetY, s.scaleAnimated, s.scaleT) / 100.0);
        ThenTranslate(matrix, cx + ox, cy + oy);
    }
    if (s.offsetOn)
    {
        const double dx = Animated(s.offsetX, s.offsetTargetX, s.offsetAnimated, s.offsetT);
        const double dy = Animated(s.offsetY, s.offsetTargetY, s.offsetAnimated, s.offsetT);
        ThenTranslate(matrix, absolute ? sx * dx : dx / 100.0 * w, absolute ? sy * dy : dy / 100.0 * h);
    }
    if (s.rotationOn)
    {
        Pivot(s.rotationPivotX, s.rotationPivotY, w, h, absolute, sx, sy, &ox, &oy);
        const double radians = Animated(s.angle, s.angleTarget, s.rotationAnimated, s.rotationT) * kRadiansPerDegree;
        if (s.rotationCounterTurn)
        {
            ThenTranslate(matrix, -cx, -cy);
            ThenRotate(matrix, -radians);
            ThenTranslate(matrix, cx, cy);
        }
        ThenTranslate(matrix, -cx - ox, -cy - oy);
        ThenRotate(matrix, radians);
        ThenTranslate(matrix, cx + ox, cy + oy);
    }
}

}  // namespace ShapeRenderer

void BlitSurfaceToBitmap(ShapeSink& sink, cairo_surface_t* surface, const IBounds& target, const IBlend* /*blend*/,
                         bool keepPremultiplied)
{
    if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32)
        return;
    cairo_surface_flush(surface);
    const int32_t w = cairo_image_surface_get_width(surface);
    const int32_t h = cairo_image_surface_get_height(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    // An ARGB32 row is exactly its pixels: span = width.
    if (!data || cairo_image_surface_get_stride(surface) != w * 4 ||
        static_cast<int64_t>(target.R) - target.L != w || static_cast<int64_t>(target.B) - target.T != h)
        return;
    // Only what the sink can show is prepared, and of that only the part
    // with alpha counts: a pixel of alpha 0 leaves the destination as it is.
    const IBounds visible = BoundsClip(target, sink.VisibleArea());
    IBounds used = visible;
    if (!keepPremultiplied && !IsEmptyBounds(visible))
    {
        const IBounds inSurface =
            UnpremultiplyArea(surface, IBounds{visible.L - target.L, visible.T - target.T, visible.R - target.L,
                                               visible.B - target.T});
        used = IsEmptyBounds(inSurface) ? IBounds{}
                                        : IBounds{inSurface.L + target.L, inSurface.T + target.T,
                                                  inSurface.R + target.L, inSurface.B + target.T};
    }
    sink.BlendPixels(reinterpret_cast<uint32_t*>(data), w, h, target, used);
}
