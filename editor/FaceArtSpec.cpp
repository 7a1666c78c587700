#include "editor/FaceArtSpec.h"

#include "graphics/vector/ColorFromHex.h"

#include <memory>
#include <new>

ShapeSpec Rect(double cornerRadius)
{
    ShapeSpec s;
    s.kind = ShapeSpec::kRect;
    s.cornerRadius = cornerRadius;
    return s;
}

ShapeSpec Ellipse()
{
    ShapeSpec s;
    s.kind = ShapeSpec::kEllipse;
    return s;
}

ShapeSpec Marks(double length, double spacing, int32_t oneSided)
{
    ShapeSpec s;
    s.kind = ShapeSpec::kMarks;
    s.markLength = length;
    s.markSpacing = spacing;
    s.oneSided = oneSided;
    return s;
}

ShapeSpec Text(int32_t size, const char* text)
{
    ShapeSpec s;
    s.kind = ShapeSpec::kText;
    s.size = size;
    s.text = text;
    return s;
}

Shape* AppendShape(ShapeList& layer, const ShapeSpec& spec)
{
    Shape* s = nullptr;
    switch (spec.kind)
    {
    case ShapeSpec::kRect: s = layer.AddShape(0.0, spec.cornerRadius); break;
    case ShapeSpec::kEllipse: s = layer.AddShapeKind2(0.0); break;
    case ShapeSpec::kMarks: s = layer.AddShapeKind8(0.0, spec.markLength, spec.markSpacing, spec.oneSided); break;
    case ShapeSpec::kText:
        s = layer.AddText(spec.text, spec.face, spec.size, spec.bold, spec.slant, spec.hAlign, spec.vAlign, 0);
        break;
    }
    if (!s)
        throw std::bad_alloc();
    s->absoluteUnits = spec.absolute ? 1 : 0;
    s->cornerTopLeft = spec.corners[0];
    s->cornerTopRight = spec.corners[1];
    s->cornerBottomLeft = spec.corners[2];
    s->cornerBottomRight = spec.corners[3];
    s->fill.colour = spec.hex ? ColorFromHex(spec.hex, spec.hexAlpha) : spec.argb;
    s->filled = spec.stroked ? 0 : 1;
    s->strokeWidth = spec.strokeWidth;
    if (spec.shadow)
    {
        s->shadowOn = 1;
        s->shadowOffsetX = spec.shadowX;
        s->shadowOffsetY = spec.shadowY;
        s->shadowOpacity = spec.shadowOpacity;
        s->shadowBlur = spec.shadowBlur;
    }
    if (spec.scale != 0.0)
    {
        s->scaleOn = 1;
        s->scaleX = s->scaleY = spec.scale;
    }
    if (spec.offset)
    {
        s->offsetOn = 1;
        s->offsetX = spec.offsetX;
        s->offsetY = spec.offsetY;
    }
    if (spec.rotation)
    {
        s->rotationOn = 1;
        s->angle = spec.angle;
    }
    return s;
}

ShapeList& AddEmptyLayer(ShapeGroup& group)
{
    ShapeList* layer = new ShapeList;
    if (!group.AddLayer(layer))  // deleted by the group then
        throw std::bad_alloc();
    return *layer;
}

void BuildGroup(ShapeScene& scene, const GroupSpec& spec)
{
    ShapeGroup* group = scene.Get(spec.group);
    if (!group)
        return;
    group->visible = 1;
    for (const LayerSpec& frames : spec.layers)
    {
        if (spec.order == LayerOrder::kAddThenFill)
        {
            ShapeList& layer = AddEmptyLayer(*group);
            for (const ShapeSpec& frame : frames)
                AppendShape(layer, frame);
            continue;
        }
        std::unique_ptr<ShapeList> layer(new ShapeList);
        for (const ShapeSpec& frame : frames)
            AppendShape(*layer, frame);
        if (!group->AddLayer(layer.release()))
            throw std::bad_alloc();
    }
}
