#pragma once
// The artwork of the editor's face: groups addressed by index. The plug-in
// owns one; controls keep pointers to its groups without owning them.
// Deleting the scene frees every group, layer, shape and stop once.

#include "framework/core/PointerList.h"
#include "graphics/vector/ShapeGroup.h"

#include <cstdint>

class ShapeScene
{
public:
    ShapeScene() = default;
    ~ShapeScene();
    ShapeScene(const ShapeScene&) = delete;
    ShapeScene& operator=(const ShapeScene&) = delete;

    // Appends n empty groups (visible, scalable, frame count 0); false when
    // fewer could be added (those that could stay).
    bool AddGroups(int32_t n);

    int32_t Count() const { return groups.GetSize(); }
    // The group at index; null when out of range.
    ShapeGroup* Get(int32_t index) const { return groups.Get(index); }

    // The editor scale for every scalable group (the editor passes its
    // scale for both factors).
    void SetScale(double sx, double sy);
    void EnableBlur(bool on);
    void EnableShadowBlur(bool on);

private:
    PointerList<ShapeGroup> groups;
};
