#include "platform/x11/ListBox.h"

#include "platform/x11/Canvas.h"
#include "platform/x11/Dialog.h"
#include "platform/x11/Palette.h"
#include "platform/x11/TextWrap.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kWheelRows = 3;
constexpr int kTextPadding = 5;
// The scroll bar's width and its thumb's least height: wide and tall enough
// to take with the mouse.
constexpr int kBarWidth = 12;
constexpr int kLeastThumb = 16;
// Two presses on a row this close (ms) are a double click.
constexpr Time kDoubleClickMs = 500;

}  // namespace

int ListBox::Height() { return kVisibleRows * kDialogListRowHeight + 2; }

void ListBox::Reset()
{
    top = 0;
    hot = -1;
    lastPress = 0;
    grip = -1;
}

void ListBox::Highlight(int row, size_t count)
{
    if (count == 0)
        return;
    hot = std::clamp(row, 0, static_cast<int>(count) - 1);
    const size_t at = static_cast<size_t>(hot);
    if (at < top)
        top = at;
    else if (at >= top + kVisibleRows)
        top = at + 1 - kVisibleRows;
}

int ListBox::Press(const XButtonEvent& b, size_t count, bool& twice)
{
    twice = false;
    if (b.button == Button4 || b.button == Button5)
    {
        ScrollBy(b.button == Button4 ? -kWheelRows : kWheelRows, count);
        return -1;
    }
    if (b.button != Button1 || b.y <= box.top)
        return -1;
    if (count > kVisibleRows && b.x >= Track().left)
    {
        const RECT thumb = Thumb(count);
        if (b.y < thumb.top || b.y >= thumb.bottom)
            ScrollBy(b.y < thumb.top ? -kVisibleRows : kVisibleRows, count);
        else
            grip = b.y - thumb.top;
        return -1;
    }
    const size_t row = top + static_cast<size_t>((b.y - box.top - 1) / kDialogListRowHeight);
    if (row >= count)
        return -1;
    twice = static_cast<int>(row) == hot && b.time - lastPress <= kDoubleClickMs;
    // A third press starts again.
    lastPress = twice ? 0 : b.time;
    Highlight(static_cast<int>(row), count);
    return hot;
}

bool ListBox::Drag(int y, size_t count)
{
    if (grip < 0 || count <= kVisibleRows)
        return false;
    const RECT track = Track(), thumb = Thumb(count);
    const int span = (track.bottom - track.top) - (thumb.bottom - thumb.top);
    const size_t most = count - kVisibleRows, at = static_cast<size_t>(std::clamp(y - grip - track.top, 0, span));
    // The nearest row to where the thumb is put.
    top = span > 0 ? (at * most + static_cast<size_t>(span) / 2) / static_cast<size_t>(span) : 0;
    return true;
}

bool ListBox::Key(KeySym key, size_t count)
{
    int by = 0;
    switch (key)
    {
    case XK_Up:
    case XK_KP_Up:
        by = -1;
        break;
    case XK_Down:
    case XK_KP_Down:
        by = 1;
        break;
    case XK_Prior:
    case XK_KP_Prior:
        by = -kVisibleRows;
        break;
    case XK_Next:
    case XK_KP_Next:
        by = kVisibleRows;
        break;
    case XK_Home:
    case XK_KP_Home:
        Highlight(0, count);
        return true;
    case XK_End:
    case XK_KP_End:
        Highlight(static_cast<int>(count) - 1, count);
        return true;
    default:
        return false;
    }
    // Without a highlight the keys start from the rows in view, which the
    // list may have been scrolled to: the view stays where it is.
    const size_t lastShown = std::min(count, top + kVisibleRows);
    Highlight(hot >= 0 ? hot + by : by > 0 ? static_cast<int>(top) : static_cast<int>(lastShown) - 1, count);
    return true;
}

RECT ListBox::Track() const { return {box.right - 1 - kBarWidth, box.top + 1, box.right - 1, box.bottom - 1}; }

// The thumb stands in the track as the shown rows among all.
RECT ListBox::Thumb(size_t count) const
{
    const RECT track = Track();
    const int room = track.bottom - track.top;
    const int thumb = std::max(kLeastThumb, static_cast<int>(room * kVisibleRows / count));
    const size_t most = count - kVisibleRows;
    const int at = static_cast<int>(static_cast<size_t>(room - thumb) * std::min(top, most) / most);
    return {track.left, track.top + at, track.right, track.top + at + thumb};
}

void ListBox::ScrollBy(int rows, size_t count)
{
    const size_t most = count > kVisibleRows ? count - kVisibleRows : 0;
    const size_t by = static_cast<size_t>(std::abs(rows));
    top = rows < 0 ? top - std::min(top, by) : std::min(most, top + by);
}

void ListBox::Draw(Canvas& c, const std::vector<std::string>& rows, bool focused) const
{
    c.Fill(box, kField);
    const bool scrolls = rows.size() > kVisibleRows;
    const LONG rowsRight = scrolls ? Track().left : box.right - 1;
    const auto measure = [&c](const std::string& text) { return static_cast<int>(c.Measure(text).cx); };
    for (int i = 0; i < kVisibleRows && top + static_cast<size_t>(i) < rows.size(); ++i)
    {
        const size_t row = top + static_cast<size_t>(i);
        const LONG rowTop = box.top + 1 + i * kDialogListRowHeight;
        const RECT r = {box.left + 1, rowTop, rowsRight, rowTop + kDialogListRowHeight};
        const bool isHot = static_cast<int>(row) == hot;
        if (isHot)
            c.Fill(r, kAccent);
        const RECT text = {r.left + kTextPadding, r.top, r.right - kTextPadding, r.bottom};
        c.Text(ShortenToWidth(rows[row], text.right - text.left, measure), text, isHot ? kAccentText : kText,
               DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    }
    if (scrolls)
    {
        c.Fill(Track(), kPanelLine);
        c.Fill(Thumb(rows.size()), kPanelBorder);
    }
    c.Frame(box, focused ? kAccent : kPanelBorder);
}
