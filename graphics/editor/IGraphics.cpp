#include "graphics/editor/IGraphics.h"

#include "framework/core/IPlugBase.h"
#include "graphics/raster/LICE_MemBitmap.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "platform/PlatformLock.h"

#include <cmath>
#include <new>

namespace {

// Holds the plug-in lock (when there is a plug-in) while the control list
// changes, so that a host thread pushing values never walks a list being
// rebuilt.
class ListGuard
{
public:
    explicit ListGuard(IPlugBase* plug) : plug(plug)
    {
        if (plug)
            plug->GetLock().Lock();
    }
    ~ListGuard()
    {
        if (plug)
            plug->GetLock().Unlock();
    }
    ListGuard(const ListGuard&) = delete;
    ListGuard& operator=(const ListGuard&) = delete;

private:
    IPlugBase* plug;
};

}  // namespace

IGraphics::IGraphics(IPlugBase* plug, int32_t width, int32_t height, int32_t framesPerSecond)
    : framesPerSecond(framesPerSecond > 0 ? framesPerSecond : 25), plug(plug), width(width), height(height)
{
}

IGraphics::~IGraphics()
{
    delete keyCatcher;
    for (int32_t i = controls.GetSize() - 1; i >= 0; --i)
        delete controls.Get(i);
    controls.Empty();
    delete backBuffer;
    delete scratch;
}

void IGraphics::CreateDrawBitmaps()
{
    delete backBuffer;
    delete scratch;
    backBuffer = new LICE_SysBitmap(width, height);
    scratch = new LICE_MemBitmap(0, 0, 4);
    backdrops.Forget();
}

// ---- Controls ---------------------------------------------------------------------

int32_t IGraphics::AppendControl(IControl* control)
{
    if (!control)
        return -1;
    ListGuard guard(plug);
    if (!controls.Add(control))
    {
        delete control;
        return -1;
    }
    const int32_t idx = controls.GetSize() - 1;
    try
    {
        paramIndex.Add(idx, control->ParamIdx(), control->AuxCount() > 0);
    }
    catch (const std::bad_alloc&)
    {
        controls.Remove(idx);
        delete control;
        return -1;
    }
    control->SetSurface(this);
    backdrops.Forget();
    return idx;
}

bool IGraphics::NoteAuxParams(const IControl* control)
{
    ListGuard guard(plug);
    try
    {
        for (int32_t i = 0; i < controls.GetSize(); ++i)
            if (controls.Get(i) == control)
                paramIndex.Add(i, -1, true);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    return true;
}

void IGraphics::SetControlValue(int32_t idx, double unit)
{
    if (IControl* control = ControlAt(idx))
        control->AcceptPlugValue(unit);
}

void IGraphics::MarkAllControls(bool push)
{
    for (int32_t i = 0; i < controls.GetSize(); ++i)
        controls.Get(i)->MarkChanged(push);
}

void IGraphics::ApplyScaledLayout(int32_t designWidth, int32_t designHeight, double scaleX, double scaleY)
{
    for (int32_t i = 0; i < controls.GetSize(); ++i)
    {
        IControl* control = controls.Get(i);
        if (!control->FollowsLayout())
            continue;
        control->SetLayoutFrame(designWidth, designHeight, scaleX, scaleY);
        control->SetArea(control->ResolveBounds());
    }
    backdrops.Forget();
}

void IGraphics::SetKeyCatcher(IControl* control)
{
    if (control == keyCatcher)
        return;
    delete keyCatcher;
    keyCatcher = control;
    if (keyCatcher)
        keyCatcher->SetSurface(this);
}

void IGraphics::DeleteControls()
{
    ForgetPointer();
    ListGuard guard(plug);
    for (int32_t i = controls.GetSize() - 1; i >= 0; --i)
        delete controls.Get(i);
    controls.Empty();
    paramIndex.Clear();
    backdrops.Clear();
}

void IGraphics::ForgetCapture()
{
    captured = -1;
    lastX = -1;
    lastY = -1;
}

void IGraphics::ForgetPointer()
{
    ForgetCapture();
    hover = -1;
}

// ---- Values from the plug-in ----------------------------------------------------

void IGraphics::PushParamToControls(int32_t paramIdx, double value, bool isUnit)
{
    SetControlsAsUserOrPlug(paramIdx, value, isUnit, false);
}

void IGraphics::SetParamControlsAsUser(int32_t paramIdx, double value, bool isUnit)
{
    SetControlsAsUserOrPlug(paramIdx, value, isUnit, true);
}

void IGraphics::SetControlsAsUserOrPlug(int32_t paramIdx, double value, bool isUnit, bool asUser)
{
    // An index that names no parameter reaches no control (-1 is what the
    // controls without a parameter carry).
    if (!std::isfinite(value) || paramIdx < 0 || (plug && !plug->GetParam(paramIdx)))
        return;
    if (!isUnit)
    {
        const IPlugParam* param = plug ? plug->GetParam(paramIdx) : nullptr;
        if (!param)
            return;
        value = param->MapToUnit(value);
    }
    if (const std::vector<int32_t>* bound = paramIndex.Bound(paramIdx))
        for (int32_t idx : *bound)
        {
            IControl* control = controls.Get(idx);
            if (!control)
                continue;
            if (asUser)
                control->AcceptUserValue(value);
            else
                control->AcceptPlugValue(value);
        }
    if (asUser)
        return;
    for (int32_t idx : paramIndex.Followers())
        if (IControl* control = controls.Get(idx))
        {
            const int32_t slot = control->AuxParamIdx(paramIdx);
            if (slot >= 0)
                control->AcceptPlugAuxValue(slot, value);
        }
}

// ---- Size ------------------------------------------------------------------------

bool IGraphics::SetEditorSize(int32_t newWidth, int32_t newHeight, bool keepControls)
{
    width = newWidth;
    height = newHeight;
    if (!keepControls)
        DeleteControls();
    CreateDrawBitmaps();
    return plug ? plug->ResizeHostView(width, height, keepControls ? 1 : 0) : false;
}

void IGraphics::ResetControls()
{
    DeleteControls();
    CreateDrawBitmaps();
    if (plug)
        plug->OnControlsReset();
}
