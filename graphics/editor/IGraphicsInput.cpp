#include "graphics/editor/IGraphics.h"

#include "framework/aax/AAX_IViewContainer.h"
#include "framework/core/IPlugBase.h"
#include "graphics/editor/IPlugMenu.h"

#include <cstdio>

int32_t IGraphics::ControlUnderPointer(int32_t x, int32_t y, bool allowGreyed) const
{
    if (ControlAt(captured))
        return captured;
    for (int32_t i = controls.GetSize() - 1; i >= 0; --i)
    {
        const IControl* control = controls.Get(i);
        if (control->IsHidden())
            continue;
        if (control->IsGreyed() && !(allowGreyed && control->HoversWhileGreyed()))
            continue;
        if (control->Contains(x, y))
            return i;
    }
    return -1;
}

void IGraphics::EndOpenGesture()
{
    const int32_t param = gestureParam;
    gestureParam = -1;
    if (param >= 0 && plug)
        plug->EndParamGesture(param);
}

void IGraphics::AbandonPointer(bool endGesture)
{
    if (endGesture)
        EndOpenGesture();
    gestureParam = -1;
    ForgetPointer();
    buttonDown = false;
}

// A gesture of the control's parameter (when it has one) brackets the press.
void IGraphics::PressControl(IControl* control, int32_t x, int32_t y)
{
    const int32_t param = control->ParamIdx();
    if (param >= 0 && plug)
    {
        plug->BeginParamGesture(param);
        gestureParam = param;
    }
    control->PointerPressed(x, y, mods);
}

void IGraphics::PointerDown(int32_t x, int32_t y, const IPointerMods& pointerMods)
{
    mods = pointerMods;
    buttonDown = true;
    captured = -1;
    lastX = -1;
    lastY = -1;
    // A release that never came (another button pressed meanwhile) still
    // ends what its press began.
    EndOpenGesture();
    const int32_t idx = ControlUnderPointer(x, y, false);
    IControl* control = ControlAt(idx);
    if (!control)
        return;
    captured = idx;
    lastX = x;
    lastY = y;
    const int32_t param = control->ParamIdx();
    if (param >= 0 && viewContainer)
    {
        uint32_t bits = (mods.alt ? 4u : 0u) | (mods.ctrl ? 8u : 0u) | (mods.shift ? 1u : 0u) | (mods.right ? 16u : 0u);
        uint32_t hostBits = 0;
        if (viewContainer->HostModifiers(&hostBits) == 0)
            bits |= hostBits;
        char id[32];
        std::snprintf(id, sizeof id, "%lld", static_cast<long long>(param) + 1);
        if (viewContainer->HandleParameterMouseDown(id, bits) == 0)
        {
            // The host took the click: nothing of the press stays.
            captured = -1;
            lastX = -1;
            lastY = -1;
            buttonDown = false;
            return;
        }
    }
    PressControl(control, x, y);
}

void IGraphics::PointerUp(int32_t x, int32_t y, const IPointerMods& pointerMods)
{
    mods = pointerMods;
    buttonDown = false;
    // Only the control that took the press: a release whose press went
    // elsewhere (to the host, to cancel a value entry) reaches none.
    IControl* control = ControlAt(captured);
    captured = -1;
    lastX = -1;
    lastY = -1;
    if (control)
        control->PointerReleased(x, y, mods);
    EndOpenGesture();
}

void IGraphics::PointerDrag(int32_t x, int32_t y, const IPointerMods& pointerMods)
{
    mods = pointerMods;
    IControl* control = ControlAt(captured);
    if (!control)
        return;
    const int32_t dx = x - lastX;
    const int32_t dy = y - lastY;
    if (dx == 0 && dy == 0)
        return;
    lastX = x;
    lastY = y;
    control->PointerDragged(x, y, dx, dy, mods);
}

bool IGraphics::PointerMove(int32_t x, int32_t y, const IPointerMods& pointerMods)
{
    mods = pointerMods;
    if (!hoverTracking)
        return false;
    const int32_t idx = ControlUnderPointer(x, y, true);
    IControl* control = ControlAt(idx);
    if (!control)
        return true;
    control->PointerHovering(x, y, mods);
    lastX = x;
    lastY = y;
    if (hover != idx)
        if (IControl* previous = ControlAt(hover))
            previous->PointerLeft();
    hover = idx;
    return true;
}

void IGraphics::PointerLeftAll()
{
    for (int32_t i = 0; i < controls.GetSize(); ++i)
        controls.Get(i)->PointerLeft();
    hover = -1;
}

bool IGraphics::PointerDoubleClick(int32_t x, int32_t y, const IPointerMods& pointerMods)
{
    mods = pointerMods;
    captured = -1;
    lastX = -1;
    lastY = -1;
    const int32_t idx = ControlUnderPointer(x, y, false);
    IControl* control = ControlAt(idx);
    if (!control)
        return false;
    if (!control->DoubleClickActsAsPress())
    {
        // Its release comes to it, as a press's does.
        captured = idx;
        control->PointerDoubleClicked(x, y, mods);
        return false;
    }
    buttonDown = true;
    EndOpenGesture();
    captured = idx;
    lastX = x;
    lastY = y;
    PressControl(control, x, y);
    return true;
}

void IGraphics::WheelTurn(int32_t x, int32_t y, const IPointerMods& pointerMods, int32_t delta)
{
    mods = pointerMods;
    if (IControl* control = ControlAt(ControlUnderPointer(x, y, false)))
        control->WheelTurned(x, y, mods, delta);
}

bool IGraphics::KeyDown(int32_t x, int32_t y, int32_t key)
{
    const int32_t idx = ControlUnderPointer(x, y, false);
    if (idx >= 1)
        return controls.Get(idx)->KeyPressed(x, y, key);
    return keyCatcher ? keyCatcher->KeyPressed(x, y, key) : false;
}

void IGraphics::PromptParamEntry(IControl* control, IPlugParam* param, const IBounds& area)
{
    if (!control || !param)
        return;
    const ParamKind kind = param->Kind();
    const int32_t texts = param->DisplayTextCount();
    char current[kParamTextMax + 1] = {};
    if ((kind == kParamChoice || kind == kParamBool) && texts > 0)
    {
        param->FormatValue(param->Value(), false, current, sizeof current, true);
        IPlugMenu menu;
        for (int32_t i = 0; i < texts; ++i)
        {
            const char* text = param->DisplayTextAt(i, nullptr);
            menu.InsertTextEntry(text, -1, std::strcmp(text, current) == 0 ? kMenuItemChecked : 0);
        }
        if (ShowPopupMenu(&menu, area) == &menu)
        {
            int32_t value = 0;
            param->DisplayTextAt(menu.ChosenIndex(), &value);
            control->AcceptUserValue(param->MapToUnit(value));
        }
        return;
    }
    param->FormatValue(param->Value(), false, current, sizeof current, false);
    OpenEntryField(control, control->Style(), area, current, param);
}
