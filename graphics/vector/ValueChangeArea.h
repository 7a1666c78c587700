#pragma once
// Where a group drawn at one value (ShapeRenderer::DrawGroupAtValue) can
// differ from the same group drawn at another: what a value-driven control
// must redraw when only its value moved. [UI thread]

#include "graphics/editor/IBounds.h"
#include "graphics/vector/ShapeGroup.h"

// The part of target whose pixels can differ between the group drawn there
// at t0 and at t1 (values that are not finite count as 0, as in the
// drawing). Shapes that do not depend on the value add nothing. A filled
// rectangle with square corners, no shadow and no pixel effects that the
// value only moves up or down adds the rows its top and bottom edges sweep
// (a row more on each side), across the whole target. Any other shape that
// depends on the value makes it the whole target. Empty when nothing can
// differ, or for a null or hidden group.
IBounds GroupValueChangeArea(const ShapeGroup* group, const IBounds& target, double t0, double t1);
