#pragma once
// The item ids of a popup menu and the choice they stand for, independent of
// any windowing system. Ids are counted from 0 in build order: a menu
// reserves one id per item (the menu's first id plus the item's position),
// then its submenus take the ids that follow, in item order, each with all of
// its own submenus before the next one (depth first). An item that holds a
// submenu has an id too. A separator shows no submenu, so one it carries
// takes no ids. UI thread.

#include "graphics/editor/IPlugMenu.h"

#include <cstdint>

// The number of ids menu takes, those of its submenus included; 0 for null.
int64_t MenuIdCount(const IPlugMenu* menu);

// The menu that holds an item and the item's position there.
struct MenuIdTarget
{
    IPlugMenu* menu;
    int32_t position;
};

// Where id falls when top takes the ids from 0: {null, -1} when no item has it.
MenuIdTarget FindMenuId(IPlugMenu* top, int64_t id);

// The user chose the item with id: sets the chosen index of the menu that
// holds it to the item's position and answers that menu. Null, nothing set,
// when no item has the id or the item is a separator.
IPlugMenu* ChooseMenuId(IPlugMenu* top, int64_t id);
