#pragma once
// One entry of a popup menu: a text, flags and optionally a submenu. UI
// thread, like the menu that owns it.

#include "framework/core/StringBuf.h"

#include <cstdint>

class IPlugMenu;

// Bits of an item's flags.
enum EMenuItemFlags : int32_t
{
    kMenuItemGreyed = 1,
    kMenuItemDisabled = 2,
    kMenuItemChecked = 4,
    kMenuItemSeparator = 8,  // shown as a separator whatever the other bits; never chosen
};

class IPlugMenuItem
{
public:
    // text: UTF-8, copied (null: empty). submenu: not owned; whoever builds
    // the menu keeps it alive at least as long as the menu.
    IPlugMenuItem(const char* text, IPlugMenu* submenu, int32_t flags);
    IPlugMenuItem(const IPlugMenuItem&) = delete;
    IPlugMenuItem& operator=(const IPlugMenuItem&) = delete;

    const char* Text() const { return text.Get(); }
    IPlugMenu* Submenu() const { return submenu; }
    // The submenu the shown menu holds: none for a separator.
    IPlugMenu* ShownSubmenu() const { return IsSeparator() ? nullptr : submenu; }
    int32_t Flags() const { return flags; }
    void SetFlags(int32_t newFlags) { flags = newFlags; }
    bool IsSeparator() const { return (flags & kMenuItemSeparator) != 0; }

private:
    StringBuf text;
    IPlugMenu* submenu;  // fixed at construction, so a menu can check it once
    int32_t flags;
};
