#include "graphics/vector/ShapeGroup.h"

#include <algorithm>

ShapeGroup::~ShapeGroup() { layers.DeleteAll(); }

bool ShapeGroup::AddLayer(ShapeList* layer)
{
    if (!layer)
        return false;
    if (!layers.Add(layer))
    {
        delete layer;
        return false;
    }
    frameCount = std::max(frameCount, layer->Count());
    return true;
}

void ShapeGroup::SetText(const char* text)
{
    const ShapeList* last = layers.Get(layers.GetSize() - 1);
    Shape* first = last ? last->Get(0) : nullptr;
    if (first)
        first->text.Set(text);
}

void ShapeGroup::SetScale(double sx, double sy)
{
    if (!scalable)
        return;
    for (int32_t i = 0; i < layers.GetSize(); ++i)
        layers.Get(i)->SetScale(sx, sy);
}

void ShapeGroup::EnableBlur(bool on)
{
    for (int32_t i = 0; i < layers.GetSize(); ++i)
        layers.Get(i)->EnableBlur(on);
}

void ShapeGroup::EnableShadowBlur(bool on)
{
    for (int32_t i = 0; i < layers.GetSize(); ++i)
        layers.Get(i)->EnableShadowBlur(on);
}
