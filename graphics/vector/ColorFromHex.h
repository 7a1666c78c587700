#pragma once
// Colours of the artwork are written as texts of the form "#rrggbb".

#include "graphics/editor/IArgb.h"

#include <cstdint>

// The characters after the first (whatever it is) read as a base-16 number v
// (leading blanks, a sign and "0x" accepted; reading stops at the first
// character that is no hexadecimal digit; no digit at all is 0), giving
// {alpha, (v >> 16) & 255, (v >> 8) & 255, v & 255}: a text of more than six
// digits keeps only the last six. A null or empty text is opaque black
// {255, 0, 0, 0}, whatever the alpha.
IArgb ColorFromHex(const char* text, int32_t alpha);
