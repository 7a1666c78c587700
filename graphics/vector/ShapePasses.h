#pragma once
// The cairo drawing of one shape: its shadow pass, then its main pass, each
// building the kind's path under the shape's transforms. Internal to the
// renderer.

#include "graphics/editor/BoundsOps.h"
#include "graphics/vector/Shape.h"

#include <cairo.h>

#include <cmath>

// The rectangle a shape is drawn into, in surface coordinates, and the
// editor scale it is drawn at.
struct ShapeFrame
{
    double width = 0.0;   // W
    double height = 0.0;  // H
    double sx = 1.0;      // finite and positive
    double sy = 1.0;
    bool absolute = false;
    // The pixels that can show, in the coordinates of the whole W x H
    // surface; the shape's own fill is left out when its ink lies wholly
    // outside them (it could change none).
    IBounds shown = UnlimitedArea();

    double CentreX() const { return width * 0.5; }
    double CentreY() const { return height * 0.5; }
};

// Draws the shadow (when on; blurred when its blur is on) and then the shape
// of kind 1, 2, 8 or 11 into cr, whose target is surface. False when a
// transform is not finite (nothing further is drawn); cairo's own failures
// show in the context's status.
bool DrawShapePasses(Shape& shape, cairo_t* cr, cairo_surface_t* surface, const ShapeFrame& frame);

// 0 for a t that is not finite: the unanimated value.
inline double AnimationFactor(double t) { return std::isfinite(t) ? t : 0.0; }

// A colour or alpha component for cairo: clamped to 0 .. 1, NaN as 0.
inline double UnitComponent(double v) { return v > 0.0 ? (v < 1.0 ? v : 1.0) : 0.0; }
