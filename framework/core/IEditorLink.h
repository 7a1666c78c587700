#pragma once
// What the plug-in base needs of the editor surface it owns. The editor
// surface (IGraphics) implements it; IPlugBase holds the attached editor
// through it and deletes it through the virtual destructor, with the plug-in.

#include "framework/core/StringBuf.h"

#include <cstdint>

class AAX_IViewContainer;

// Modifier keys held at a mouse press on the editor.
struct EditorPressModifiers
{
    bool shift = false;
    bool ctrl = false;
};

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

    // What the plug-in's command handler asks of the editor (UI thread or the
    // host's, under the plug-in lock). The defaults are those of an editor
    // the user is not touching.

    // True while a mouse button is held on the editor: a command that comes
    // with one comes from a click. Base: false.
    virtual bool IsMouseButtonHeld() const { return false; }
    // The modifier keys of the last mouse press. Base: none.
    virtual EditorPressModifiers LastPressModifiers() const { return {}; }
    // Hands the value (a unit value when isUnit, else a plain value) to
    // every control bound to the parameter as if the user had set it, so that
    // it travels on to the plug-in and the host (IPlugBase::SetParameterFromGUI).
    // Base: nothing.
    virtual void SetParamControlsAsUser(int32_t paramIdx, double value, bool isUnit)
    {
        (void)paramIdx;
        (void)value;
        (void)isUnit;
    }
    // The resize corner's drag distances in pixels since its press
    // (horizontal, vertical). Base: 0, 0 (no resize corner).
    virtual void ResizeDragDistance(int32_t* dx, int32_t* dy) const
    {
        *dx = 0;
        *dy = 0;
    }

    // What the host's GUI object asks (UI thread). The defaults are those of
    // an editor without a window.

    // Opens the editor window as a child of parent (the host's native view);
    // the window, or null when it cannot be opened. Base: null.
    virtual void* OpenEditorWindow(void* parent)
    {
        (void)parent;
        return nullptr;
    }
    // Closes the window, if open. Base: nothing.
    virtual void CloseEditorWindow() {}
    // The editor's size in pixels. Base: 0.
    virtual int32_t Width() const { return 0; }
    virtual int32_t Height() const { return 0; }
    // The host's view while it shows the editor (not owned), null when it
    // goes: the editor asks it for size changes and offers it parameter
    // clicks. Base: nothing.
    virtual void SetViewContainer(AAX_IViewContainer* container) { (void)container; }
};
