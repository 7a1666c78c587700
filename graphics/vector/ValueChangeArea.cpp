#include "graphics/vector/ValueChangeArea.h"

#include "graphics/editor/BoundsOps.h"
#include "graphics/vector/ShapeKind.h"
#include "graphics/vector/ShapePasses.h"

#include <algorithm>
#include <cmath>

namespace {

bool DependsOnValue(const Shape& s)
{
    const bool colour = s.fill.animated && (!s.fill.gradientOn || s.kind == kShapeStyledText);
    return colour || (s.scaleOn && s.scaleAnimated) || (s.offsetOn && s.offsetAnimated) ||
           (s.rotationOn && s.rotationAnimated);
}

// A filled rectangle with square corners and nothing that spreads its
// pixels, whose only transform is an offset that the value moves up or
// down: its rows are drawn alike wherever it stands (a gradient keeps to the
// surface, not to the shape), so only the rows its edges cross change.
bool SlidesUpOrDown(const Shape& s)
{
    const bool squareCorners = s.cornerRadius == 0.0 || (!s.cornerTopLeft && !s.cornerTopRight &&
                                                          !s.cornerBottomLeft && !s.cornerBottomRight);
    const bool effects = s.effectsOn && (s.blur > 0.0 || s.emboss != 0.0 || s.edges != 0.0);
    const bool colourMoves = s.fill.animated && !s.fill.gradientOn;
    return s.kind == kShapeRoundedRect && s.filled && squareCorners && !s.shadowOn && !effects && !colourMoves &&
           !s.scaleOn && !s.rotationOn && s.offsetOn && s.offsetX == s.offsetTargetX;
}

// The vertical offset at t in pixels, as the drawing's transform takes it.
double OffsetY(const Shape& s, double t, double insetHeight)
{
    const double dy = s.offsetY + (s.offsetTargetY - s.offsetY) * AnimationFactor(t);
    const double sy = std::isfinite(s.verticalScale) && s.verticalScale > 0.0 ? s.verticalScale : 1.0;
    return s.absoluteUnits ? sy * dy : dy / 100.0 * insetHeight;
}

// Adds to rows [first, end) the rows an edge at a and then at b touches
// within [0, height), a row more on each side; nothing when it stays put
// or lies outside both times.
void AddEdgeRows(double a, double b, double height, double* first, double* end)
{
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    if (lo == hi || !(hi > 0.0 && lo < height))
        return;
    *first = std::min(*first, std::max(0.0, std::floor(lo) - 1.0));
    *end = std::max(*end, std::min(height, std::ceil(hi) + 1.0));
}

}  // namespace

IBounds GroupValueChangeArea(const ShapeGroup* group, const IBounds& target, double t0, double t1)
{
    if (!group || !group->visible || IsEmptyBounds(target))
        return {};
    const double height = static_cast<double>(target.B) - target.T;
    double first = height;
    double end = 0.0;
    for (int32_t i = 0; i < group->LayerCount(); ++i)
    {
        const ShapeList* layer = group->Layer(i);
        const Shape* shape = layer && layer->visible ? layer->Get(0) : nullptr;
        if (!shape || !shape->visible || (IsTextKind(shape->kind) && !layer->textOn) || !DependsOnValue(*shape))
            continue;
        if (!SlidesUpOrDown(*shape))
            return target;
        // The inset rule of the rectangle: a negative inset narrows its height.
        const double fy = std::isfinite(shape->inset) && shape->inset < 0.0 ? 1.0 + shape->inset / 100.0 : 1.0;
        const double h = fy * height;
        const double top = (1.0 - fy) * height * 0.5;
        const double d0 = OffsetY(*shape, t0, h);
        const double d1 = OffsetY(*shape, t1, h);
        if (!std::isfinite(d0) || !std::isfinite(d1))
            return target;
        AddEdgeRows(top + d0, top + d1, height, &first, &end);
        AddEdgeRows(top + h + d0, top + h + d1, height, &first, &end);
    }
    if (!(end > first))
        return {};
    return IBounds{target.L, target.T + static_cast<int32_t>(first), target.R, target.T + static_cast<int32_t>(end)};
}
