#pragma once
// What the plug-in base needs of the editor surface it owns. The editor
// surface (IGraphics) implements it; IPlugBase holds the attached editor
// through it and deletes it through the virtual destructor, with the plug-in.

#include "framework/core/StringBuf.h"

#include <cstdint>

class IEditorLink
{
public:
    // Called from IPlugBase's destructor (or when another editor is attached).
    virtual ~IEditorLink() = default;

    // Any thread (the host changes parameters on threads of its choosing),
    // usually under the plug-in lock. Hands a parameter's value to every
    // control bound to it: a unit value when isUnit, else a plain value that
    // the editor turns into the parameter's unit value. Controls only store
    // the value and mark themselves changed; nothing is drawn here.
    virtual void PushParamToControls(int32_t paramIdx, double value, bool isUnit) = 0;

    // Under the plug-in lock, when the editor is attached: makes the bitmaps
    // that the editor draws into at its current size.
    virtual void CreateDrawBitmaps() = 0;

    // Set-up thread: the folder of the plug-in module, ending in "/". Base:
    // empty (an editor that cannot tell).
    virtual void ModuleFolder(StringBuf* out) { out->Set(""); }
};
