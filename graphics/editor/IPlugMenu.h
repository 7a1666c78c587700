#pragma once
// The platform-neutral description of a popup menu: an ordered list of
// items, each a text with flags and optionally a submenu, a numbering mode for
// the item texts, and the position of the item the user chose. Controls build
// menus; the editor window shows them and sets the chosen index on the menu
// (or submenu) that holds the chosen item. UI thread; no lock.
//
// A menu owns its items and deletes them; submenus belong to whoever built
// them. A menu never contains itself: an item whose submenu is this menu or
// contains it (directly or further down) is refused, so every walk through
// the submenus ends.

#include "framework/core/PointerList.h"
#include "graphics/editor/IPlugMenuItem.h"

#include <cstdint>

// How item texts are shown; the number is the item's 1-based position in its
// own menu. Any other value shows the text alone.
enum EMenuNumbering : int32_t
{
    kMenuNumberingNone = 0,    // the text alone
    kMenuNumberingOne = 1,     // "%1d: %s"
    kMenuNumberingTwo = 2,     // "%02d: %s"
    kMenuNumberingThree = 3,   // "%03d: %s"
};

class IPlugMenu
{
public:
    explicit IPlugMenu(EMenuNumbering numbering = kMenuNumberingNone) : numbering(numbering) {}
    // Deletes the items, last to first; submenus are left to their owner.
    ~IPlugMenu();
    IPlugMenu(const IPlugMenu&) = delete;
    IPlugMenu& operator=(const IPlugMenu&) = delete;

    EMenuNumbering Numbering() const { return numbering; }
    void SetNumbering(EMenuNumbering mode) { numbering = mode; }
    // Position of the chosen item in this menu, -1 for none.
    int32_t ChosenIndex() const { return chosenIndex; }
    void SetChosenIndex(int32_t index) { chosenIndex = index; }

    int32_t EntryCount() const { return items.GetSize(); }
    // The item at index; null when index is negative or not below the count.
    IPlugMenuItem* EntryAt(int32_t index) const { return items.Get(index); }

    // Takes ownership of item and places it: index -1 appends, any other
    // index inserts at that position limited to [0, count]. Answers the item;
    // null when item is null, when its submenu is this menu or contains it,
    // or when the list cannot grow (a refused item is deleted).
    IPlugMenuItem* InsertEntry(IPlugMenuItem* item, int32_t index);
    // A new plain item with a copy of text and the flags, placed as by
    // InsertEntry.
    IPlugMenuItem* InsertTextEntry(const char* text, int32_t index, int32_t flags);
    // A new item with text, submenu and no flags, appended; null (nothing
    // added) when submenu is this menu or contains it.
    IPlugMenuItem* AppendSubmenu(const char* text, IPlugMenu* submenu);
    // A new separator (flags kMenuItemSeparator, empty text), placed as by
    // InsertEntry.
    IPlugMenuItem* InsertDivider(int32_t index);
    // Sets the checked flag on the item at index and clears it on every other
    // item (other flags untouched); an index outside the list clears it on all.
    void MarkOnlyEntry(int32_t index);

    // True when menu is this menu or one of its submenus, at any depth.
    bool Contains(const IPlugMenu* menu) const;

private:
    EMenuNumbering numbering;
    int32_t chosenIndex = -1;
    PointerList<IPlugMenuItem> items;
};
