#pragma once
// The control at an index of the editor surface when it is of class T: the
// tables of the plug-in name controls by index, and a slot that names nothing
// (-1, out of range) or a control of another class is passed over.

#include "graphics/editor/IGraphics.h"

#include <cstdint>

template <class T>
T* ControlAs(const IGraphics* graphics, int32_t idx)
{
    return graphics ? dynamic_cast<T*>(graphics->ControlAt(idx)) : nullptr;
}
