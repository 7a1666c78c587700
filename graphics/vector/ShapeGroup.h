#pragma once
// What one control draws: layers drawn one over the other in the order they
// were added. Owns its layers.

#include "framework/core/PointerList.h"
#include "graphics/vector/ShapeList.h"

#include <cstdint>

class ShapeGroup
{
public:
    ShapeGroup() = default;
    ~ShapeGroup();
    ShapeGroup(const ShapeGroup&) = delete;
    ShapeGroup& operator=(const ShapeGroup&) = delete;

    // Takes the layer (owned from now on) and raises the frame count to the
    // number of shapes the layer holds now: a layer filled after it was added
    // does not count. False when the list cannot grow; the layer is then
    // deleted.
    bool AddLayer(ShapeList* layer);

    int32_t LayerCount() const { return layers.GetSize(); }
    // The layer at index; null when out of range.
    ShapeList* Layer(int32_t index) const { return layers.Get(index); }

    // The text of the first shape of the last layer (what text controls
    // draw); nothing when there is no layer or the last one is empty.
    void SetText(const char* text);

    // Every layer, only while scalable is set.
    void SetScale(double sx, double sy);
    void EnableBlur(bool on);
    void EnableShadowBlur(bool on);

    uint8_t visible = 1;
    uint8_t scalable = 1;
    int32_t frameCount = 0;

private:
    PointerList<ShapeList> layers;
};
