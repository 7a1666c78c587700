// The plug-in's editor functions for these tests: the plug-in makes no
// editor of its own; a test attaches the surface it drives.

#include "plugin/SonvarekEditor.h"

IEditorLink* CreateSonvarekEditor(Sonvarek&, int32_t, int32_t, int32_t) { return nullptr; }

void BuildSonvarekFace(Sonvarek&, IEditorLink&) {}

void UpdateSonvarekUnitLabels(Sonvarek&, IEditorLink&) {}
