#include "graphics/editor/IPlugMenu.h"

#include <algorithm>
#include <new>

IPlugMenu::~IPlugMenu()
{
    for (int32_t i = items.GetSize() - 1; i >= 0; --i)
        delete items.Get(i);
    items.Empty();
}

bool IPlugMenu::Contains(const IPlugMenu* menu) const
{
    if (menu == this)
        return true;
    for (int32_t i = 0; i < items.GetSize(); ++i)
    {
        const IPlugMenu* submenu = items.Get(i)->Submenu();
        if (submenu && submenu->Contains(menu))
            return true;
    }
    return false;
}

IPlugMenuItem* IPlugMenu::InsertEntry(IPlugMenuItem* item, int32_t index)
{
    if (!item)
        return nullptr;
    if (item->Submenu() && item->Submenu()->Contains(this))
    {
        delete item;
        return nullptr;
    }
    const int32_t count = items.GetSize();
    const int32_t position = index == -1 ? count : std::clamp(index, 0, count);
    if (!items.Insert(item, position))
    {
        delete item;
        return nullptr;
    }
    return item;
}

IPlugMenuItem* IPlugMenu::InsertTextEntry(const char* text, int32_t index, int32_t flags)
{
    return InsertEntry(new (std::nothrow) IPlugMenuItem(text, nullptr, flags), index);
}

IPlugMenuItem* IPlugMenu::AppendSubmenu(const char* text, IPlugMenu* submenu)
{
    return InsertEntry(new (std::nothrow) IPlugMenuItem(text, submenu, 0), -1);
}

IPlugMenuItem* IPlugMenu::InsertDivider(int32_t index)
{
    return InsertEntry(new (std::nothrow) IPlugMenuItem("", nullptr, kMenuItemSeparator), index);
}

void IPlugMenu::MarkOnlyEntry(int32_t index)
{
    for (int32_t i = 0; i < items.GetSize(); ++i)
    {
        IPlugMenuItem* item = items.Get(i);
        const int32_t flags = item->Flags() & ~kMenuItemChecked;
        item->SetFlags(i == index ? flags | kMenuItemChecked : flags);
    }
}
