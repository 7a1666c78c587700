#include "platform/x11/PopupMenu.h"

#include "platform/win32/Rects.h"
#include "platform/win32/Win32.h"
#include "platform/x11/Canvas.h"
#include "platform/x11/ModalHandler.h"
#include "platform/x11/Palette.h"
#include "platform/x11/X11Presenter.h"
#include "platform/x11/XSession.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kGutter = 22;  // the tick's column
constexpr int kArrowColumn = 20;  // the submenu arrow's column
constexpr int kTextGap = 12;
constexpr int kLeastWidth = 120;
constexpr int kWheelStep = 3 * kMenuItemHeight;
// Tries, 10 ms apart, to take the pointer and keyboard from another
// client's grab (a window manager's, say).
constexpr int kGrabTries = 50;

constexpr long kMenuEvents =
    ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask | StructureNotifyMask;

bool IsSeparator(const MenuItemView& item) { return (item.flags & MF_SEPARATOR) != 0; }
bool IsEnabled(const MenuItemView& item) { return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)); }
bool Opens(const MenuItemView& item) { return IsEnabled(item) && (item.flags & MF_POPUP); }
bool IsChoosable(const MenuItemView& item) { return IsEnabled(item) && !(item.flags & MF_POPUP); }

class MenuSession : public ModalHandler
{
public:
    explicit MenuSession(XSession& s) : session(s) {}
    ~MenuSession() override
    {
        CloseFrom(0);
        XUngrabPointer(session.display, CurrentTime);
        XUngrabKeyboard(session.display, CurrentTime);
        XFlush(session.display);
    }

    void Open(const std::vector<MenuItemView>& items, POINT at)
    {
        OpenLevel(items, at, -1);
        XSync(session.display, False);
        const Window w = levels[0].window;
        for (int i = 0; i < kGrabTries; ++i, usleep(10000))
            if (XGrabPointer(session.display, w, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                             GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess)
                break;
        for (int i = 0; i < kGrabTries; ++i, usleep(10000))
            if (XGrabKeyboard(session.display, w, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess)
                break;
    }

    std::optional<UINT_PTR> Chosen() const { return chosen; }

    bool Done() const override { return done; }

    bool Owns(Window window) const override
    {
        return std::any_of(levels.begin(), levels.end(), [window](const Level& l) { return l.window == window; });
    }

    void Handle(const XEvent& event) override
    {
        switch (event.type)
        {
        case Expose:
            for (const Level& l : levels)
                if (l.window == event.xexpose.window)
                    session.Show(l.window, *l.canvas);
            break;
        case MotionNotify:
            moved = true;
            Track(event.xmotion.x_root, event.xmotion.y_root);
            break;
        case ButtonPress:
        {
            const XButtonEvent& b = event.xbutton;
            const int level = LevelAt(b.x_root, b.y_root);
            if (level < 0)
                done = true;
            else if (b.button == Button4 || b.button == Button5)
                Scroll(level, b.button == Button4 ? -kWheelStep : kWheelStep, b.x_root, b.y_root);
            else
            {
                pressed = true;
                Track(b.x_root, b.y_root);
            }
            break;
        }
        case ButtonRelease:
        {
            const XButtonEvent& b = event.xbutton;
            if (b.button > Button3 || !(pressed || moved))
                break;
            const int level = LevelAt(b.x_root, b.y_root);
            const int row = level < 0 ? -1 : RowAt(levels[level], b.x_root, b.y_root);
            if (row >= 0 && IsChoosable((*levels[level].items)[row]))
            {
                chosen = (*levels[level].items)[row].id;
                done = true;
            }
            break;
        }
        case KeyPress:
            Key(event.xkey);
            break;
        case DestroyNotify:
            // Ours are popped before they go: another client destroyed this
            // level, and the menu ends unanswered.
            for (Level& l : levels)
                if (l.window == event.xdestroywindow.window)
                {
                    l.window = 0;
                    done = true;
                }
            break;
        default:
            break;
        }
    }

private:
    struct Level
    {
        const std::vector<MenuItemView>* items = nullptr;
        Window window = 0;
        std::unique_ptr<Canvas> canvas;
        RECT place = {0, 0, 0, 0};  // on the X screen
        std::vector<RECT> rows;
        int contentHeight = 0;
        int scroll = 0;
        int hot = -1;
    };

    // Beside the menu at besideLeft's right edge when given: a submenu that
    // does not fit to the right goes to the left of its menu.
    void OpenLevel(const std::vector<MenuItemView>& items, POINT at, int besideLeft)
    {
        Level l;
        l.items = &items;
        int textWidth = 0;
        {
            Canvas measure(1, 1);
            for (const MenuItemView& item : items)
                if (!IsSeparator(item))
                    textWidth = std::max<int>(textWidth, measure.Measure(item.text).cx);
        }
        const int screenW = session.ScreenWidth(), screenH = session.ScreenHeight();
        const int width = std::min(screenW, std::max(kLeastWidth, 2 * kMenuBorder + kGutter + textWidth + kTextGap +
                                                                       kArrowColumn));
        l.rows = MenuRows(items, width);
        l.contentHeight = (l.rows.empty() ? kMenuBorder : static_cast<int>(l.rows.back().bottom)) + kMenuBorder;
        const int height = std::min(screenH, l.contentHeight);
        int x = at.x, y = at.y;
        if (x + width > screenW)
            x = besideLeft >= 0 ? besideLeft - width : screenW - width;
        if (y + height > screenH)
            y = besideLeft >= 0 ? screenH - height : at.y - height;
        x = std::max(0, x);
        y = std::max(0, std::min(y, screenH - height));
        l.place = {x, y, x + width, y + height};
        l.window = session.CreateWindow(x, y, width, height, kMenuEvents, true);
        session.SetWindowType(l.window, session.netWmWindowTypePopupMenu);
        l.canvas = std::make_unique<Canvas>(width, height);
        levels.push_back(std::move(l));
        Draw(levels.back());
        XMapRaised(session.display, levels.back().window);
    }

    void CloseFrom(size_t level)
    {
        while (levels.size() > level)
        {
            if (levels.back().window)
                XDestroyWindow(session.display, levels.back().window);
            levels.pop_back();
        }
        if (active >= levels.size())
            active = levels.empty() ? 0 : levels.size() - 1;
    }

    // The keys work on the active level: the one the pointer was last over,
    // or that the keys opened or went back to.
    void Key(const XKeyEvent& event)
    {
        XKeyEvent copy = event;
        char text[8];
        KeySym key = NoSymbol;
        XLookupString(&copy, text, sizeof text, &key, nullptr);
        Level& l = levels[active];
        const int count = static_cast<int>(l.items->size());
        const bool opens = l.hot >= 0 && Opens((*l.items)[l.hot]);
        switch (key)
        {
        case XK_Escape:
            if (active == 0)
                done = true;
            else
                CloseFrom(active);
            break;
        case XK_Left:
        case XK_KP_Left:
            if (active > 0)
                CloseFrom(active);
            break;
        case XK_Up:
        case XK_KP_Up:
            Highlight(Usable(l, l.hot < 0 ? count : l.hot, -1));
            break;
        case XK_Down:
        case XK_KP_Down:
            Highlight(Usable(l, l.hot, 1));
            break;
        case XK_Home:
        case XK_KP_Home:
            Highlight(Usable(l, -1, 1));
            break;
        case XK_End:
        case XK_KP_End:
            Highlight(Usable(l, count, -1));
            break;
        case XK_Right:
        case XK_KP_Right:
            if (opens)
                EnterSubmenu();
            break;
        case XK_Return:
        case XK_KP_Enter:
            if (opens)
                EnterSubmenu();
            else if (l.hot >= 0 && IsChoosable((*l.items)[l.hot]))
            {
                chosen = (*l.items)[l.hot].id;
                done = true;
            }
            break;
        default:
            break;
        }
    }

    // The first enabled item after from in the direction step (1 or -1),
    // going round; -1 when the menu has none.
    static int Usable(const Level& l, int from, int step)
    {
        const int count = static_cast<int>(l.items->size());
        for (int i = 1; i <= count; ++i)
        {
            const int row = ((from + step * i) % count + count) % count;
            if (IsEnabled((*l.items)[row]))
                return row;
        }
        return -1;
    }

    // Highlights a row of the active level as the keys move: its submenus
    // close, the row scrolls into view.
    void Highlight(int row)
    {
        if (row < 0)
            return;
        Level& l = levels[active];
        CloseFrom(active + 1);
        l.hot = row;
        const int height = static_cast<int>(l.place.bottom - l.place.top);
        const RECT& r = l.rows[static_cast<size_t>(row)];
        if (r.top - l.scroll < kMenuBorder)
            l.scroll = r.top - kMenuBorder;
        else if (r.bottom - l.scroll > height - kMenuBorder)
            l.scroll = r.bottom - (height - kMenuBorder);
        Draw(l);
    }

    // Opens the highlighted item's submenu (the pointer may have opened it
    // already) and makes it the active level with its first item
    // highlighted.
    void EnterSubmenu()
    {
        Level& l = levels[active];
        const std::vector<MenuItemView>& submenu = (*l.items)[l.hot].submenu;
        const size_t next = active + 1;
        if (levels.size() <= next || levels[next].items != &submenu)
            OpenSubmenu(active);
        active = next;
        if (levels[active].hot < 0)
            Highlight(Usable(levels[active], -1, 1));
    }

    void OpenSubmenu(size_t level)
    {
        CloseFrom(level + 1);
        const Level& l = levels[level];
        const POINT at = {l.place.right - kMenuBorder, l.place.top + l.rows[l.hot].top - l.scroll - kMenuBorder};
        OpenLevel((*l.items)[l.hot].submenu, at, static_cast<int>(l.place.left) + kMenuBorder);
    }

    void Draw(const Level& l)
    {
        Canvas& c = *l.canvas;
        const RECT all = {0, 0, c.Width(), c.Height()};
        c.Fill(all, kPanel);
        for (size_t i = 0; i < l.rows.size(); ++i)
        {
            const MenuItemView& item = (*l.items)[i];
            const RECT row = {l.rows[i].left, l.rows[i].top - l.scroll, l.rows[i].right, l.rows[i].bottom - l.scroll};
            if (row.bottom <= 0 || row.top >= c.Height())
                continue;
            if (IsSeparator(item))
            {
                const LONG middle = (row.top + row.bottom) / 2;
                c.Fill({row.left + kGutter, middle, row.right - kMenuBorder, middle + 1}, kPanelLine);
                continue;
            }
            const bool hot = static_cast<int>(i) == l.hot && IsEnabled(item);
            if (hot)
                c.Fill(row, kAccent);
            const COLORREF colour = !IsEnabled(item) ? kGreyText : hot ? kAccentText : kText;
            c.Text(item.text, {row.left + kGutter, row.top, row.right - kArrowColumn, row.bottom}, colour,
                   DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            if (item.flags & MF_CHECKED)
                c.Tick({row.left, row.top, row.left + kGutter, row.bottom}, colour);
            if (item.flags & MF_POPUP)
                c.Arrow({row.right - kArrowColumn, row.top, row.right, row.bottom}, colour);
        }
        c.Frame(all, kPanelBorder);
        session.Show(l.window, c);
    }

    // The deepest level under the screen point; -1 for none.
    int LevelAt(int x, int y) const
    {
        for (int i = static_cast<int>(levels.size()) - 1; i >= 0; --i)
            if (ContainsPoint(levels[i].place, x, y))
                return i;
        return -1;
    }

    int RowAt(const Level& l, int x, int y) const
    {
        const int localX = x - l.place.left, localY = y - l.place.top;
        if (localY < kMenuBorder || localY >= l.place.bottom - l.place.top - kMenuBorder)
            return -1;
        for (size_t i = 0; i < l.rows.size(); ++i)
            if (ContainsPoint(l.rows[i], localX, localY + l.scroll))
                return static_cast<int>(i);
        return -1;
    }

    void Track(int x, int y)
    {
        const int level = LevelAt(x, y);
        if (level < 0)
            return;
        active = static_cast<size_t>(level);
        Level& l = levels[level];
        const int row = RowAt(l, x, y);
        const int hot = row >= 0 && !IsSeparator((*l.items)[row]) ? row : -1;
        if (hot != l.hot)
        {
            l.hot = hot;
            Draw(l);
        }
        const size_t next = static_cast<size_t>(level) + 1;
        if (hot < 0 || !Opens((*l.items)[hot]))
        {
            CloseFrom(next);
            return;
        }
        if (levels.size() <= next || levels[next].items != &(*l.items)[hot].submenu)
            OpenSubmenu(static_cast<size_t>(level));
    }

    void Scroll(int level, int by, int x, int y)
    {
        Level& l = levels[level];
        const int most = std::max(0, l.contentHeight - static_cast<int>(l.place.bottom - l.place.top));
        const int scroll = std::clamp(l.scroll + by, 0, most);
        if (scroll == l.scroll)
            return;
        l.scroll = scroll;
        l.hot = -1;
        CloseFrom(static_cast<size_t>(level) + 1);
        Draw(l);
        Track(x, y);
    }

    XSession& session;
    std::vector<Level> levels;
    size_t active = 0;  // the level the keys work on
    std::optional<UINT_PTR> chosen;
    bool done = false;
    bool pressed = false;  // a button went down inside the menu
    bool moved = false;  // the pointer moved since the menu opened
};

}  // namespace

std::vector<RECT> MenuRows(const std::vector<MenuItemView>& items, int width)
{
    std::vector<RECT> rows;
    int top = kMenuBorder;
    for (const MenuItemView& item : items)
    {
        const int height = IsSeparator(item) ? kMenuSeparatorHeight : kMenuItemHeight;
        rows.push_back({kMenuBorder, top, width - kMenuBorder, top + height});
        top += height;
    }
    return rows;
}

std::optional<UINT_PTR> TrackMenu(X11Presenter& presenter, XSession& session, const std::vector<MenuItemView>& items,
                                  POINT at, HWND owner)
{
    MenuSession menu(session);
    menu.Open(items, at);
    presenter.RunModal(menu, owner);
    return menu.Chosen();
}
