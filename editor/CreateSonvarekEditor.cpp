// The plug-in's editor surface. Alone in its file, so that a test may link a
// surface of its own in its place (SonvarekEditor.h).
#include "plugin/SonvarekEditor.h"

#include "framework/aax/ModuleInstance.h"
#include "graphics/editor/IGraphicsWin.h"
#include "plugin/Sonvarek.h"

IEditorLink* CreateSonvarekEditor(Sonvarek& plug, int32_t width, int32_t height, int32_t framesPerSecond)
{
    auto* editor = new IGraphicsWin(&plug, width, height, framesPerSecond);
    editor->SetModuleInstance(static_cast<HINSTANCE>(ModuleInstanceHandle()));
    editor->SetHoverTracking(true);
    return editor;
}
