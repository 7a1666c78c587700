#include "graphics/editor/MenuIds.h"

// Menus never contain themselves (IPlugMenu refuses such items), so the
// recursion below ends.

int64_t MenuIdCount(const IPlugMenu* menu)
{
    if (!menu)
        return 0;
    int64_t count = menu->EntryCount();
    for (int32_t i = 0; i < menu->EntryCount(); ++i)
        count += MenuIdCount(menu->EntryAt(i)->ShownSubmenu());
    return count;
}

MenuIdTarget FindMenuId(IPlugMenu* top, int64_t id)
{
    if (!top || id < 0)
        return {nullptr, -1};
    const int32_t count = top->EntryCount();
    if (id < count)
        return {top, static_cast<int32_t>(id)};
    int64_t first = count;  // the first id of the next submenu
    for (int32_t i = 0; i < count; ++i)
    {
        IPlugMenu* submenu = top->EntryAt(i)->ShownSubmenu();
        const int64_t span = MenuIdCount(submenu);
        if (id < first + span)
            return FindMenuId(submenu, id - first);
        first += span;
    }
    return {nullptr, -1};
}

IPlugMenu* ChooseMenuId(IPlugMenu* top, int64_t id)
{
    const MenuIdTarget target = FindMenuId(top, id);
    if (!target.menu || target.menu->EntryAt(target.position)->IsSeparator())
        return nullptr;
    target.menu->SetChosenIndex(target.position);
    return target.menu;
}
