#include "graphics/vector/ShapePasses.h"

#include "graphics/editor/TruncToInt.h"
#include "graphics/vector/MatrixSteps.h"
#include "graphics/vector/ShapeRenderer.h"
#include "graphics/vector/SurfaceEffects.h"

#include <cmath>

namespace {

enum class Pass
{
    kShadow,
    kMain
};

constexpr double kPi = 3.14159265358979323846;

// Inset rule: a positive inset narrows the width, a negative one the height.
double InsetFactorX(double a) { return std::isfinite(a) && a > 0.0 ? 1.0 - a / 100.0 : 1.0; }
double InsetFactorY(double a) { return std::isfinite(a) && a < 0.0 ? 1.0 - (-a) / 100.0 : 1.0; }

// The inset factors of a kind and whether its passes are scaled about the
// centre by them (the ellipse always, the marks' shadow too).
struct KindGeometry
{
    double fx = 1.0;
    double fy = 1.0;
    bool scaleMain = false;
    bool scaleShadow = false;
};

KindGeometry GeometryOf(const Shape& s)
{
    KindGeometry g;
    double a = 0.0;
    switch (s.kind)
    {
    case kShapeRoundedRect:
        a = s.inset;
        break;
    case kShapeEllipse:
        a = s.ellipseInset;
        g.scaleMain = g.scaleShadow = true;
        break;
    case kShapeScaleMarks:
        a = s.marksInset;
        g.scaleShadow = true;
        break;
    default:  // text: not inset
        return g;
    }
    g.fx = InsetFactorX(a);
    g.fy = InsetFactorY(a);
    return g;
}

bool IsFinite(const cairo_matrix_t& m)
{
    return std::isfinite(m.xx) && std::isfinite(m.yx) && std::isfinite(m.xy) && std::isfinite(m.yy) &&
           std::isfinite(m.x0) && std::isfinite(m.y0);
}

// Line width of a stroke: percent of half the inset width, at least one
// pixel; absolute: design pixels (at least one) times the scale.
double LineWidth(const Shape& s, double wPrime, const ShapeFrame& f)
{
    double w;
    if (f.absolute)
        w = std::sqrt(f.sx * f.sy) * (s.strokeWidth > 1.0 ? s.strokeWidth : 1.0);
    else
    {
        w = s.strokeWidth / 100.0 * wPrime * 0.5;
        if (!(w > 1.0))
            w = 1.0;
    }
    return std::isfinite(w) ? w : 1.0;
}

// Whether a fill of the current path can reach a pixel of shown. The ink of
// a fill lies within the path's extents (in the whole surface's pixels: the
// context's matrix is the identity here, rows left out of the surface only
// move the device); the pixels it touches within those rounded out, kept a
// pixel wider still.
bool FillMeets(cairo_t* cr, const IBounds& shown)
{
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    return std::floor(x1) - 1.0 < shown.R && std::ceil(x2) + 1.0 > shown.L && std::floor(y1) - 1.0 < shown.B &&
           std::ceil(y2) + 1.0 > shown.T;
}

// The main pass's fill is left out when it cannot reach a pixel that shows
// (mostly text whose box only touches the area being drawn). The shadow pass
// always runs: without it the shape would be drawn on a clear surface, which
// cairo may composite another way.
void FillOrStroke(cairo_t* cr, const Shape& s, double wPrime, const ShapeFrame& f, Pass pass)
{
    if (s.filled && s.kind != kShapeScaleMarks)
    {
        if (pass == Pass::kMain && f.shown != UnlimitedArea() && !FillMeets(cr, f.shown))
            cairo_new_path(cr);
        else
            cairo_fill(cr);
        return;
    }
    cairo_set_line_width(cr, LineWidth(s, wPrime, f));
    if (s.lineCap >= CAIRO_LINE_CAP_BUTT && s.lineCap <= CAIRO_LINE_CAP_SQUARE)
        cairo_set_line_cap(cr, static_cast<cairo_line_cap_t>(s.lineCap));
    if (s.lineJoin >= CAIRO_LINE_JOIN_MITER && s.lineJoin <= CAIRO_LINE_JOIN_BEVEL)
        cairo_set_line_join(cr, static_cast<cairo_line_join_t>(s.lineJoin));
    cairo_stroke(cr);
}

// Kind 1. The corner switches are stored top-left, top-right, bottom-left,
// bottom-right and the arcs run clockwise from the top-right: each arc takes
// its own corner's switch. The shadow rounds all four corners.
void RoundedRectPath(cairo_t* cr, const Shape& s, const ShapeFrame& f, const KindGeometry& g, Pass pass)
{
    const double w = g.fx * f.width;
    const double h = g.fy * f.height;
    const double x0 = (1.0 - g.fx) * f.width * 0.5;
    const double y0 = (1.0 - g.fy) * f.height * 0.5;
    double r = f.absolute ? std::sqrt(f.sx * f.sy) * s.cornerRadius
                          : std::sqrt(f.width * f.height) * s.cornerRadius / 100.0 * 0.5;
    if (!std::isfinite(r))
        r = 0.0;
    auto radius = [&](uint8_t corner) { return pass == Pass::kShadow || corner ? r : 0.0; };
    const double tr = radius(s.cornerTopRight);
    const double br = radius(s.cornerBottomRight);
    const double bl = radius(s.cornerBottomLeft);
    const double tl = radius(s.cornerTopLeft);
    cairo_arc(cr, x0 + w - tr, y0 + tr, tr, -kPi / 2.0, 0.0);
    cairo_arc(cr, x0 + w - br, y0 + h - br, br, 0.0, kPi / 2.0);
    cairo_arc(cr, x0 + bl, y0 + h - bl, bl, kPi / 2.0, kPi);
    cairo_arc(cr, x0 + tl, y0 + tl, tl, kPi, 3.0 * kPi / 2.0);
    cairo_close_path(cr);
}

// Kind 2: a circle over the geometric mean of the sides, made an ellipse by
// the inset scaling of the matrix.
void EllipsePath(cairo_t* cr, const ShapeFrame& f)
{
    cairo_arc(cr, f.CentreX(), f.CentreY(), std::sqrt(f.width * f.height) * 0.5, 0.0, 2.0 * kPi);
    cairo_close_path(cr);
}

// Kind 8: horizontal lines from the centre down, then (unless one-sided) up,
// spacing apart, as far as half the inset height.
void ScaleMarksPath(cairo_t* cr, const Shape& s, const ShapeFrame& f, const KindGeometry& g)
{
    const double wPrime = g.fx * f.width;
    const double hPrime = g.fy * f.height;
    double hl = s.markLength / 100.0 * wPrime * 0.5;
    if (!(hl > 1.0))
        hl = 1.0;
    const double hh = hPrime * 0.5;
    double step = s.markSpacing / 100.0 * hh;
    if (!(step > 1.0))
        step = 1.0;
    const double cx = f.CentreX();
    const double cy = f.CentreY();
    for (int32_t k = 0; k * step <= hh; ++k)
    {
        cairo_move_to(cr, cx - hl, cy + k * step);
        cairo_line_to(cr, cx + hl, cy + k * step);
    }
    if (s.marksOneSided)
        return;
    for (int32_t k = 1; k * step <= hh; ++k)
    {
        cairo_move_to(cr, cx - hl, cy - k * step);
        cairo_line_to(cr, cx + hl, cy - k * step);
    }
}

// Kind 11: the text's outline placed by its alignments; the shadow places
// it by its ink width, the shape by its advance.
void TextPath(cairo_t* cr, const Shape& s, const ShapeFrame& f, Pass pass)
{
    const cairo_font_slant_t slant = s.slant == 1   ? CAIRO_FONT_SLANT_ITALIC
                                     : s.slant == 2 ? CAIRO_FONT_SLANT_OBLIQUE
                                                    : CAIRO_FONT_SLANT_NORMAL;
    cairo_select_font_face(cr, s.Face(), slant, s.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, s.baseSize * f.sy);
    cairo_text_extents_t reference;
    cairo_text_extents_t extents;
    cairo_text_extents(cr, "A", &reference);
    cairo_text_extents(cr, s.text.Get(), &extents);

    double y = 0.0;
    switch (s.verticalAlignment)
    {
    case 0: y = extents.height; break;
    case 1: y = f.CentreY() + 0.5 * reference.height; break;
    case 2: y = f.height; break;
    default: break;
    }
    const double span = pass == Pass::kShadow ? extents.width : extents.x_advance;
    double x = 0.0;
    if (s.horizontalAlignment == 1)
        x = f.CentreX() - 0.5 * span;
    else if (s.horizontalAlignment == 2)
        x = f.width - span;
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, s.text.Get());
}

void BuildPath(cairo_t* cr, const Shape& s, const ShapeFrame& f, const KindGeometry& g, Pass pass)
{
    switch (s.kind)
    {
    case kShapeRoundedRect: RoundedRectPath(cr, s, f, g, pass); break;
    case kShapeEllipse: EllipsePath(cr, f); break;
    case kShapeScaleMarks: ScaleMarksPath(cr, s, f, g); break;
    case kShapeTextPath: TextPath(cr, s, f, pass); break;
    default: break;
    }
}

// The matrix a pass starts from: the identity, or a scaling by the inset
// factors about the centre.
cairo_matrix_t StartMatrix(bool scaled, const KindGeometry& g, const ShapeFrame& f)
{
    cairo_matrix_t m;
    cairo_matrix_init_identity(&m);
    if (scaled)
    {
        ThenTranslate(&m, -f.CentreX(), -f.CentreY());
        ThenScale(&m, g.fx, g.fy);
        ThenTranslate(&m, f.CentreX(), f.CentreY());
    }
    return m;
}

// Builds the pass's path under matrix, then fills or strokes it with the
// matrix restored (so line widths are not transformed).
void PaintUnder(cairo_t* cr, const Shape& s, const ShapeFrame& f, const KindGeometry& g, Pass pass,
                const cairo_matrix_t& m)
{
    cairo_matrix_t saved;
    cairo_get_matrix(cr, &saved);
    cairo_set_matrix(cr, &m);
    BuildPath(cr, s, f, g, pass);
    cairo_set_matrix(cr, &saved);
    FillOrStroke(cr, s, g.fx * f.width, f, pass);
}

void SetSubpixelText(cairo_t* cr)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_get_font_options(cr, options);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_SUBPIXEL);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

}  // namespace

bool DrawShapePasses(Shape& s, cairo_t* cr, cairo_surface_t* surface, const ShapeFrame& f)
{
    const KindGeometry g = GeometryOf(s);
    const double wPrime = g.fx * f.width;
    const double hPrime = g.fy * f.height;
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);

    if (s.shadowOn)
    {
        cairo_matrix_t m = StartMatrix(g.scaleShadow, g, f);
        ShapeRenderer::BuildTransform(s, &m, f.CentreX(), f.CentreY(), wPrime, hPrime, f.absolute);
        if (f.absolute)
            ThenTranslate(&m, f.sx * s.shadowOffsetX, f.sy * s.shadowOffsetY);
        else
            ThenTranslate(&m, s.shadowOffsetX / 100.0 * f.width, s.shadowOffsetY / 100.0 * f.height);
        if (!IsFinite(m))
            return false;
        cairo_set_source_rgba(cr, UnitComponent(s.shadowColour.R / 255.0), UnitComponent(s.shadowColour.G / 255.0),
                              UnitComponent(s.shadowColour.B / 255.0), UnitComponent(s.shadowOpacity / 100.0));
        cairo_new_path(cr);
        PaintUnder(cr, s, f, g, Pass::kShadow, m);
        if (s.shadowBlurOn && s.shadowBlur > 0.0)
            BlurSurface(surface, TruncToInt(s.shadowBlur * 0.5));
    }

    cairo_matrix_t m = StartMatrix(g.scaleMain, g, f);
    ShapeRenderer::BuildTransform(s, &m, f.CentreX(), f.CentreY(), wPrime, hPrime, f.absolute);
    if (!IsFinite(m))
        return false;
    ShapeRenderer::SetSource(s, cr, wPrime, hPrime);
    if (s.kind == kShapeTextPath)
        SetSubpixelText(cr);
    cairo_new_path(cr);
    PaintUnder(cr, s, f, g, Pass::kMain, m);
    return true;
}
