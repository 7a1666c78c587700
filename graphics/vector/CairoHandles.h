#pragma once
// Owning handles of cairo objects.

#include <cairo.h>

#include <memory>

struct CairoSurfaceRelease
{
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoContextRelease
{
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;
using CairoContextPtr = std::unique_ptr<cairo_t, CairoContextRelease>;
