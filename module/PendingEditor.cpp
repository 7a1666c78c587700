// Stand-ins for the editor of the plug-in while the editor layer is not
// linked into the module: there is no editor, so the plug-in never asks for
// its face or labels. They go when the editor's definitions are linked in.

#include "plugin/SonvarekEditor.h"

IEditorLink* CreateSonvarekEditor(Sonvarek&, int32_t, int32_t, int32_t) { return nullptr; }

void BuildSonvarekFace(Sonvarek&, IEditorLink&) {}

void UpdateSonvarekUnitLabels(Sonvarek&, IEditorLink&) {}
