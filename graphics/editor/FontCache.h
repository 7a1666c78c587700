#pragma once
// The editor's process-wide font cache: one font per face, size, style and
// orientation, made on first request and kept until the process exits.
// Any thread: lookups and additions take the cache's own lock; the font is
// made outside it. The fonts themselves are the drawing thread's (UI).

#include "graphics/editor/TextStyle.h"

class LICE_CachedFont;

// The cached font for the style's face (exact comparison), size, style and
// orientation; the first font made for those answers whatever the quality
// asked. A new font gets an HFONT of the style's size (weight 700 for style
// 1, italic for 2, the quality mapped to the GDI values, escapement and
// orientation 10 x the style's), owned by the font, native drawing allowed.
// The answer is also stored in style.font. Null (style.font unchanged) when
// the HFONT cannot be made.
LICE_CachedFont* CacheFont(TextStyle& style);
