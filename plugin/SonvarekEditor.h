#pragma once
// What the plug-in needs of its editor beyond its own editor members: the
// editor surface it attaches and the disposal of its face artwork. The editor
// layer (editor/) defines both, and the editor members of Sonvarek. A program
// links the editor layer; a test may link a definition of its own of
// CreateSonvarekEditor ahead of it (the editor layer keeps it in a file of its
// own), and the editor members then find no editor surface and do nothing.

#include <cstdint>

class IEditorLink;
class ShapeScene;
class Sonvarek;

// Construction thread. A new editor surface for plug, width x height pixels,
// redrawn framesPerSecond times a second, with the module's handle stored and
// mouse-over tracking on; null when there is none. The plug-in attaches (and
// so owns) it.
IEditorLink* CreateSonvarekEditor(Sonvarek& plug, int32_t width, int32_t height, int32_t framesPerSecond);

// Deletes the plug-in's face artwork.
struct FaceArtDelete
{
    void operator()(ShapeScene* scene) const;
};
