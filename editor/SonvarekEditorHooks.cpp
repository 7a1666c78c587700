// Sonvarek: the editor hooks. They carry out on the UI thread what the audio
// path and the change handler only flag: the refresh of the bar meters and
// read-outs, and a change of the editor scale.
#include "plugin/Sonvarek.h"

#include "graphics/editor/IGraphics.h"
#include "graphics/vector/ISVGResizeControl.h"

#include <thread>

namespace {

int32_t ScaledSize(double scale, double designSize) { return static_cast<int32_t>(scale * designSize); }

}  // namespace

IGraphics* Sonvarek::Surface() const { return dynamic_cast<IGraphics*>(GetEditor()); }

void Sonvarek::OnEditorOpened()
{
    int32_t width = 0;
    int32_t height = 0;
    {
        // Taken under the lock, so that a handler on another thread either
        // finished its relabel before or leaves it to this thread.
        PlatformLockGuard guard(GetLock());
        editorThread = std::this_thread::get_id();
        TakeDueLabels();
        width = ScaledSize(scaleX, designWidth);
        height = ScaledSize(scaleY, designHeight);
    }
    if (!editorOpenedOnce)
    {
        // The scale may have come from "default.fxp" or the host since the surface was made.
        if (IGraphics* graphics = Surface())
            graphics->SetEditorSize(width, height, true);
    }
    editorOpenedOnce = true;
    editorOpen = true;
}

void Sonvarek::OnEditorClosed() { editorOpen = false; }

void Sonvarek::IdleRefresh()
{
    if (!editorOpenedOnce)
        return;
    IGraphics* graphics = Surface();
    // The scale is the handler's (under the plug-in lock, on any thread):
    // read it when the lock is free at once, else on a later tick.
    if (graphics && resizePending.load() && GetLock().TryLock())
    {
        resizePending.store(false);
        const int32_t width = ScaledSize(scaleX, designWidth);
        const int32_t height = ScaledSize(scaleY, designHeight);
        GetLock().Unlock();
        graphics->SetEditorSize(width, height, true);
    }
    if (labelsDue.load() && GetLock().TryLock())
    {
        TakeDueLabels();
        GetLock().Unlock();
    }
    MeterSnapshot values;
    if (TakeDueMeterValues(&values))
    {
        if (values.barsDue)
            UpdateBarMeters(values);
        if (values.readoutsDue)
            UpdateReadouts(values);
    }
}

void Sonvarek::OnEditorResized(int32_t flag)
{
    if (flag != 1)
        return;
    PlatformLockGuard guard(GetLock());
    ScaleFaceArt();
    BuildEditor(Surface(), 1);
    RefreshParamControls();
    UpdateUnitLabels();
}

void Sonvarek::TakeDueLabels()
{
    if (labelsDue.exchange(false))
        UpdateUnitLabels();
}

void Sonvarek::ResizeDragDistance(int32_t* dx, int32_t* dy) const
{
    *dx = 0;
    *dy = 0;
    if (editorTables.ResizeControl)
        editorTables.ResizeControl->DragDistance(dx, dy);
    else if (const IEditorLink* editor = GetEditor())
        editor->ResizeDragDistance(dx, dy);
}
