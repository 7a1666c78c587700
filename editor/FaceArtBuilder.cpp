#include "editor/FaceArtBuilder.h"

#include "graphics/vector/ColorFromHex.h"

#include <memory>
#include <new>

ShapeDesc Rect(double cornerRadius)
{
    ShapeDesc s;
    s.kind = ShapeDesc::kRect;
    s.cornerRadius = cornerRadius;
    return s;
}

ShapeDesc Ellipse()
{
    ShapeDesc s;
    s.kind = ShapeDesc::kEllipse;
    return s;
}

ShapeDesc Marks(double length, double spacing, int32_t oneSided)
{
    ShapeDesc s;
    s.kind = ShapeDesc::kMarks;
    s.markLength = length;
    s.markSpacing = spacing;
    s.oneSided = oneSided;
    return s;
}

ShapeDesc Text(int32_t size, const char* text)
{
    ShapeDesc s;
    s.kind = ShapeDesc::kText;
    s.size = size;
    s.text = text;
    return s;
}

Shape* AppendShape(ShapeList& layer, const ShapeDesc& desc)
{
    Shape* s = nullptr;
    switch (desc.kind)
    {
    case ShapeDesc::kRect: s = layer.AddShape(0.0, desc.cornerRadius); break;
    case ShapeDesc::kEllipse: s = layer.AddShapeKind2(0.0); break;
    case ShapeDesc::kMarks: s = layer.AddShapeKind8(0.0, desc.markLength, desc.markSpacing, desc.oneSided); break;
    case ShapeDesc::kText:
        s = layer.AddText(desc.text, desc.face, desc.size, desc.bold, desc.slant, desc.hAlign, desc.vAlign, 0);
        break;
    }
    if (!s)
        throw std::bad_alloc();
    s->absoluteUnits = desc.absolute ? 1 : 0;
    s->cornerTopLeft = desc.corners[0];
    s->cornerTopRight = desc.corners[1];
    s->cornerBottomLeft = desc.corners[2];
    s->cornerBottomRight = desc.corners[3];
    s->fill.colour = desc.hex ? ColorFromHex(desc.hex, desc.hexAlpha) : desc.argb;
    s->filled = desc.stroked ? 0 : 1;
    s->strokeWidth = desc.strokeWidth;
    if (desc.shadow)
    {
        s->shadowOn = 1;
        s->shadowOffsetX = desc.shadowX;
        s->shadowOffsetY = desc.shadowY;
        s->shadowOpacity = desc.shadowOpacity;
        s->shadowBlur = desc.shadowBlur;
    }
    if (desc.scale != 0.0)
    {
        s->scaleOn = 1;
        s->scaleX = s->scaleY = desc.scale;
    }
    if (desc.offset)
    {
        s->offsetOn = 1;
        s->offsetX = desc.offsetX;
        s->offsetY = desc.offsetY;
    }
    if (desc.rotation)
    {
        s->rotationOn = 1;
        s->angle = desc.angle;
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

void BuildGroup(ShapeScene& scene, const GroupDesc& desc)
{
    ShapeGroup* group = scene.Get(desc.group);
    if (!group)
        return;
    group->visible = 1;
    for (const LayerDesc& frames : desc.layers)
    {
        if (desc.order == LayerOrder::kAddThenFill)
        {
            ShapeList& layer = AddEmptyLayer(*group);
            for (const ShapeDesc& frame : frames)
                AppendShape(layer, frame);
            continue;
        }
        std::unique_ptr<ShapeList> layer(new ShapeList);
        for (const ShapeDesc& frame : frames)
            AppendShape(*layer, frame);
        if (!group->AddLayer(layer.release()))
            throw std::bad_alloc();
    }
}
