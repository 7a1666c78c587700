#pragma once
// What the plug-in needs of its editor. The editor layer defines these; a
// module or test program links exactly one definition of each. While the
// editor is not linked in, the module links stand-ins that make no editor
// (module/PendingEditor.cpp), and every path of the plug-in works without one.
// Construction thread or UI thread, under the plug-in lock where the caller
// holds it.

#include <cstdint>

class IEditorLink;
class Sonvarek;

// A new editor surface for plug, width x height pixels, redrawn
// framesPerSecond times a second, with the module's handle stored and
// mouse-over tracking on; null when there is none. The plug-in attaches
// (and so owns) it.
IEditorLink* CreateSonvarekEditor(Sonvarek& plug, int32_t width, int32_t height, int32_t framesPerSecond);

// Builds the face artwork, scales it to the plug-in's editor scale and builds
// every control of the editor on it (first build).
void BuildSonvarekFace(Sonvarek& plug, IEditorLink& editor);

// Shows the controls of the selected meter type and sets the read-outs' unit
// and caption texts and the bar meters' channel names for the current settings.
void UpdateSonvarekUnitLabels(Sonvarek& plug, IEditorLink& editor);
