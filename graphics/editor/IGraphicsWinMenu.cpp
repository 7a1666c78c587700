// Popup menus: an IPlugMenu built as a window-system menu, its choice
// resolved back to the menu that holds the chosen item.

#include "graphics/editor/IGraphicsWin.h"

#include "graphics/editor/IPlugMenu.h"
#include "graphics/editor/MenuEntryText.h"
#include "graphics/editor/MenuIds.h"

namespace {

// Ids a command message can carry.
constexpr int64_t kCommandIdLimit = 65536;

UINT ItemFlags(int32_t flags)
{
    UINT f = 0;
    if (flags & kMenuItemGreyed)
        f |= MF_GRAYED;
    if (flags & kMenuItemDisabled)
        f |= MF_DISABLED;
    if (flags & kMenuItemChecked)
        f |= MF_CHECKED;
    return f;
}

// Builds menu with its items taking the ids from *nextId on, then its
// submenus the ids that follow, depth first (MenuIds.h). Null on failure.
HMENU BuildMenu(const IPlugMenu& menu, int64_t* nextId)
{
    HMENU built = CreatePopupMenu();
    if (!built)
        return nullptr;
    const int64_t first = *nextId;
    *nextId += menu.EntryCount();
    StringBuf text;
    for (int32_t i = 0; i < menu.EntryCount(); ++i)
    {
        const IPlugMenuItem* item = menu.EntryAt(i);
        if (item->IsSeparator())
        {
            AppendMenuA(built, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        MenuEntryText(menu, i, &text);
        if (const IPlugMenu* submenu = item->ShownSubmenu())
        {
            HMENU sub = BuildMenu(*submenu, nextId);
            if (sub && !AppendMenuA(built, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.Get()))
                DestroyMenu(sub);
            continue;
        }
        const int64_t id = first + i;
        // An id a command cannot carry could only be misread: not choosable.
        const UINT tooLarge = id >= kCommandIdLimit ? MF_GRAYED : 0;
        AppendMenuA(built, MF_STRING | ItemFlags(item->Flags()) | tooLarge, static_cast<UINT_PTR>(id), text.Get());
    }
    return built;
}

}  // namespace

IPlugMenu* IGraphicsWin::ShowPopupMenu(IPlugMenu* menu, const IBounds& area)
{
    if (!menu || !window)
        return nullptr;
    ForgetCapture();
    int64_t nextId = 0;
    HMENU built = BuildMenu(*menu, &nextId);
    if (!built)
        return nullptr;
    POINT at = {area.L, area.B};
    ClientToScreen(window, &at);
    IPlugMenu* chosen = nullptr;
    MSG msg;
    const HWND owner = window;
    const bool tracked = TrackPopupMenu(built, 0, at.x, at.y, 0, owner, nullptr) != FALSE;
    // While the menu was up the window may have closed: then no choice
    // stands, and a null window must not reach the calls below (for them it
    // means every window).
    if (tracked && window == owner && PeekMessageA(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        chosen = ChooseMenuId(menu, LOWORD(msg.wParam));
    DestroyMenu(built);
    if (window == owner)
        InvalidateRect(owner, nullptr, FALSE);
    return chosen;
}
