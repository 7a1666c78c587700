#include "SonvarekRig.h"

#include "support/ControlRig.h"

void WatchedSonvarek::HandleParamChange(int32_t idx)
{
    if (idx >= NParams())
    {
        commands.push_back(idx);
        heldAtCommand.push_back(GetEditor() && GetEditor()->IsMouseButtonHeld());
    }
    Sonvarek::HandleParamChange(idx);
}

void WatchedSonvarek::SendParamToHost(int32_t idx, double unit)
{
    ++sentToHost;
    Sonvarek::SendParamToHost(idx, unit);
}

void CornerSurface::ResizeDragDistance(int32_t* dx, int32_t* dy) const
{
    if (corner)
        corner->DragDistance(dx, dy);
    else
        IGraphicsWin::ResizeDragDistance(dx, dy);
}

SonvarekRig::SonvarekRig()
    : desktop(TheDesktop()), env(data.Path().c_str(), home.Path().c_str()), plug(new WatchedSonvarek)
{
    desktop.Services() = ScriptedServices();
    host = desktop.CreateHostWindow(kHostX, kHostY, 700, 400);
    surface = new CornerSurface(plug.get(), 616, 352, 30);
    surface->SetModuleInstance(reinterpret_cast<HINSTANCE>(&desktop));
    plug->AttachEditor(surface);
    window = static_cast<HWND>(surface->OpenEditorWindow(host));
}

SonvarekRig::~SonvarekRig()
{
    surface->CloseEditorWindow();
    plug.reset();
    DestroyWindow(host);
}

void SonvarekRig::Click(int x, int y)
{
    desktop.RunFor(kApartMs);
    desktop.Click(MouseButton::Left, kHostX + x, kHostY + y);
}
