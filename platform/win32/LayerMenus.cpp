// Popup menus and the choice made through the desktop's services.

#include "platform/win32/LayerState.h"

namespace {

constexpr UINT kKnownFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR;

// True when holder is menu or one of the menus that hold it.
bool HoldsOrIs(HMENU holder, HMENU menu)
{
    for (HMENU m = holder; m;)
    {
        if (m == menu)
            return true;
        MenuObject* object = Find<MenuObject>(m);
        m = object ? object->parent : nullptr;
    }
    return false;
}

std::vector<MenuItemView> ViewOf(HMENU menu)
{
    std::vector<MenuItemView> items;
    MenuObject* object = Find<MenuObject>(menu);
    if (!object)
        return items;
    for (const MenuObject::Item& item : object->items)
    {
        MenuItemView view;
        view.flags = item.flags;
        view.id = item.id;
        view.text = item.text;
        if (item.flags & MF_POPUP)
            view.submenu = ViewOf(item.submenu);
        items.push_back(std::move(view));
    }
    return items;
}

bool Choosable(const std::vector<MenuItemView>& items, UINT_PTR id)
{
    for (const MenuItemView& item : items)
    {
        if (item.flags & MF_POPUP)
        {
            if (Choosable(item.submenu, id))
                return true;
        }
        else if (!(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) && item.id == id)
            return true;
    }
    return false;
}

}  // namespace

std::optional<UINT_PTR> FindMenuItem(const std::vector<MenuItemView>& items, const std::string& text)
{
    for (const MenuItemView& item : items)
    {
        if (item.flags & MF_POPUP)
        {
            if (auto id = FindMenuItem(item.submenu, text))
                return id;
        }
        else if (!(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) && item.text == text)
            return item.id;
    }
    return std::nullopt;
}

HMENU CreatePopupMenu() { return ToHandle<HMENU>(AddObject(std::make_unique<MenuObject>())); }

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCSTR text)
{
    MenuObject* object = Find<MenuObject>(menu);
    if (!object || (flags & ~kKnownFlags) || ((flags & MF_POPUP) && (flags & MF_SEPARATOR)))
        return FALSE;
    MenuObject::Item item{flags, 0, {}, nullptr};
    if (flags & MF_POPUP)
    {
        const HMENU submenu = reinterpret_cast<HMENU>(idOrSubmenu);
        MenuObject* sub = Find<MenuObject>(submenu);
        if (!sub || sub->parent || HoldsOrIs(menu, submenu))
            return FALSE;
        sub->parent = menu;
        item.submenu = submenu;
    }
    else if (!(flags & MF_SEPARATOR))
        item.id = idOrSubmenu;
    if (!(flags & MF_SEPARATOR) && text && !IS_INTRESOURCE(text))
        item.text = text;
    object->items.push_back(std::move(item));
    return TRUE;
}

BOOL DestroyMenu(HMENU menu)
{
    MenuObject* object = Find<MenuObject>(menu);
    if (!object)
        return FALSE;
    for (const MenuObject::Item& item : object->items)
        if (MenuObject* sub = Find<MenuObject>(item.submenu); sub && sub->parent == menu)
        {
            sub->parent = nullptr;
            DestroyMenu(item.submenu);
        }
    // A destroyed submenu no longer belongs to its holder's item.
    if (MenuObject* holder = Find<MenuObject>(object->parent))
        for (MenuObject::Item& item : holder->items)
            if (item.submenu == menu)
                item.submenu = nullptr;
    RemoveObject(menu);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*)
{
    if (!Find<MenuObject>(menu) || !FindWindowObject(owner))
        return 0;
    MenuRequest request;
    request.owner = owner;
    request.at = {x, y};
    request.flags = flags;
    request.items = ViewOf(menu);
    const std::optional<UINT_PTR> chosen = Layer().services->ChooseMenuItem(request);
    // The owner may have gone while the menu was up.
    if (!chosen || !Choosable(request.items, *chosen) || !FindWindowObject(owner))
        return 0;
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(*chosen);
    if (!(flags & TPM_NONOTIFY))
        PostMessageA(owner, WM_COMMAND, MAKEWPARAM(LOWORD(*chosen), 0), 0);
    return TRUE;
}
