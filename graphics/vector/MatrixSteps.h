#pragma once
// Appending steps to a cairo matrix: each step applies after what the matrix
// already does (user space to device space). Internal to the renderer.

#include <cairo.h>

inline void Then(cairo_matrix_t* m, const cairo_matrix_t& next) { cairo_matrix_multiply(m, m, &next); }

inline void ThenTranslate(cairo_matrix_t* m, double dx, double dy)
{
    cairo_matrix_t t;
    cairo_matrix_init_translate(&t, dx, dy);
    Then(m, t);
}

inline void ThenScale(cairo_matrix_t* m, double sx, double sy)
{
    cairo_matrix_t s;
    cairo_matrix_init_scale(&s, sx, sy);
    Then(m, s);
}

inline void ThenRotate(cairo_matrix_t* m, double radians)
{
    cairo_matrix_t r;
    cairo_matrix_init_rotate(&r, radians);
    Then(m, r);
}
