#pragma once
// The face artwork written as data: a shape is described by a ShapeDesc
// made with the small builders below (geometry first, then colour, stroke,
// shadow and transforms), a layer by its frames, a group by its layers.
// Anything a description does not set keeps the default of Shape.

#include "graphics/editor/IArgb.h"
#include "graphics/vector/ShapeScene.h"

#include <cstdint>
#include <vector>

struct ShapeDesc
{
    enum Kind
    {
        kRect,
        kEllipse,
        kMarks,
        kText
    };

    Kind kind = kRect;
    double cornerRadius = 0.0;
    bool absolute = false;
    uint8_t corners[4] = {1, 1, 1, 1};  // top-left, top-right, bottom-left, bottom-right
    double markLength = 100.0;
    double markSpacing = 100.0;
    int32_t oneSided = 0;

    const char* text = "";
    const char* face = nullptr;  // null: the default face
    int32_t size = 0;
    int32_t bold = 0;
    int32_t slant = 0;
    int32_t hAlign = 1;  // centred
    int32_t vAlign = 1;  // vertically centred

    const char* hex = nullptr;  // "#rrggbb" with hexAlpha; else argb
    int32_t hexAlpha = 255;
    IArgb argb{255, 0, 0, 0};
    bool stroked = false;
    double strokeWidth = 1.0;

    bool shadow = false;
    double shadowX = 0.0;
    double shadowY = 0.0;
    double shadowOpacity = 0.0;
    double shadowBlur = 0.0;

    double scale = 0.0;  // percent on both axes; 0: no scale transform
    bool offset = false;
    double offsetX = 0.0;
    double offsetY = 0.0;
    bool rotation = false;
    double angle = 0.0;

    ShapeDesc Absolute() const { ShapeDesc s = *this; s.absolute = true; return s; }
    ShapeDesc Corners(uint8_t tl, uint8_t tr, uint8_t bl, uint8_t br) const
    {
        ShapeDesc s = *this;
        s.corners[0] = tl; s.corners[1] = tr; s.corners[2] = bl; s.corners[3] = br;
        return s;
    }
    ShapeDesc Face(const char* f) const { ShapeDesc s = *this; s.face = f; return s; }
    ShapeDesc Bold() const { ShapeDesc s = *this; s.bold = 1; return s; }
    ShapeDesc Italic() const { ShapeDesc s = *this; s.slant = 1; return s; }
    ShapeDesc Left() const { ShapeDesc s = *this; s.hAlign = 0; return s; }
    ShapeDesc Right() const { ShapeDesc s = *this; s.hAlign = 2; return s; }
    ShapeDesc Hex(const char* h, int32_t alpha = 255) const
    {
        ShapeDesc s = *this;
        s.hex = h;
        s.hexAlpha = alpha;
        return s;
    }
    ShapeDesc Argb(int32_t a, int32_t r, int32_t g, int32_t b) const
    {
        ShapeDesc s = *this;
        s.hex = nullptr;
        s.argb = IArgb{a, r, g, b};
        return s;
    }
    ShapeDesc Stroked(double width) const { ShapeDesc s = *this; s.stroked = true; s.strokeWidth = width; return s; }
    ShapeDesc Shadow(double x, double y, double opacity, double blur) const
    {
        ShapeDesc s = *this;
        s.shadow = true; s.shadowX = x; s.shadowY = y; s.shadowOpacity = opacity; s.shadowBlur = blur;
        return s;
    }
    ShapeDesc Scale(double percent) const { ShapeDesc s = *this; s.scale = percent; return s; }
    ShapeDesc Offset(double x, double y) const { ShapeDesc s = *this; s.offset = true; s.offsetX = x; s.offsetY = y; return s; }
    ShapeDesc Rotation(double degrees) const { ShapeDesc s = *this; s.rotation = true; s.angle = degrees; return s; }
};

// A rounded rectangle of the given corner radius (percent unless Absolute).
ShapeDesc Rect(double cornerRadius);
ShapeDesc Ellipse();
ShapeDesc Marks(double length, double spacing, int32_t oneSided);
// A text of the given size at scale 1, centred both ways; empty for texts
// that their controls put in.
ShapeDesc Text(int32_t size, const char* text = "");

using LayerDesc = std::vector<ShapeDesc>;  // the frames of one layer

// Whether a group's layers are added before or after their shapes: only
// shapes present when a layer is added count towards the group's frames.
enum class LayerOrder
{
    kAddThenFill,
    kFillThenAdd
};

struct GroupDesc
{
    int32_t group;
    LayerOrder order;
    std::vector<LayerDesc> layers;
};

// Appends the described shape; throws std::bad_alloc when the layer
// cannot grow.
Shape* AppendShape(ShapeList& layer, const ShapeDesc& desc);

// Makes the group visible and appends the described layers in order; nothing
// for an index with no group. Throws std::bad_alloc when memory runs out.
void BuildGroup(ShapeScene& scene, const GroupDesc& desc);

// Appends a new empty layer to the group and returns it; throws
// std::bad_alloc when the group cannot take it.
ShapeList& AddEmptyLayer(ShapeGroup& group);
