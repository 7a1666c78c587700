#pragma once
// The text a menu item shows, numbered by its menu's numbering mode. UI thread.

#include "framework/core/StringBuf.h"
#include "graphics/editor/IPlugMenu.h"

#include <cstdint>

// "%1d: %s", "%02d: %s" or "%03d: %s" of the item's 1-based position and its
// text, or the text alone (kMenuNumberingNone or an unknown mode); "" for a
// separator or a position outside the menu.
void MenuEntryText(const IPlugMenu& menu, int32_t position, StringBuf* text);
