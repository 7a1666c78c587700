#pragma once
// What a Shape draws. The face builds kinds 1, 2, 8 and 11 only; the values
// between them are taken by geometry this system does not draw, so a shape
// of such a kind draws nothing.

#include <cstdint>

enum EShapeKind : int32_t
{
    kShapeNone = 0,
    kShapeRoundedRect = 1,
    kShapeEllipse = 2,
    kShapeScaleMarks = 8,   // a ladder of horizontal lines
    kShapeTextPath = 11,    // text drawn as a vector path with cairo
    kShapeStyledText = 12,  // text drawn by the editor surface
};

// Kinds whose layers are drawn only while the layer's text switch is on.
inline bool IsTextKind(int32_t kind) { return kind == kShapeTextPath || kind == kShapeStyledText; }
