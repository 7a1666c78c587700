#include "platform/x11/ListBox.h"

#include "platform/x11/Canvas.h"
#include "platform/x11/Dialog.h"
#include "platform/x11/Palette.h"

#include <X11/keysym.h>

#include <algorithm>

namespace {

constexpr int kWheelRows = 3;
constexpr int kTextPadding = 5;
// Two presses on a row this close (ms) are a double click.
constexpr Time kDoubleClickMs = 500;

}  // namespace

int ListBox::Height() { return kVisibleRows * kDialogListRowHeight + 2; }

void ListBox::Reset()
{
    top = 0;
    hot = -1;
    lastPress = 0;
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
        const size_t most = count > kVisibleRows ? count - kVisibleRows : 0;
        top = b.button == Button4 ? top - std::min<size_t>(top, kWheelRows) : std::min(most, top + kWheelRows);
        return -1;
    }
    if (b.button != Button1 || b.y <= box.top)
        return -1;
    const size_t row = top + static_cast<size_t>((b.y - box.top - 1) / kDialogListRowHeight);
    if (row >= count)
        return -1;
    twice = static_cast<int>(row) == hot && b.time - lastPress <= kDoubleClickMs;
    // A third press starts again.
    lastPress = twice ? 0 : b.time;
    Highlight(static_cast<int>(row), count);
    return hot;
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
    default:
        return false;
    }
    Highlight(hot < 0 ? (by > 0 ? 0 : static_cast<int>(count) - 1) : hot + by, count);
    return true;
}

void ListBox::Draw(Canvas& c, const std::vector<std::string>& rows) const
{
    c.Fill(box, kField);
    for (int i = 0; i < kVisibleRows && top + static_cast<size_t>(i) < rows.size(); ++i)
    {
        const size_t row = top + static_cast<size_t>(i);
        const LONG rowTop = box.top + 1 + i * kDialogListRowHeight;
        const RECT r = {box.left + 1, rowTop, box.right - 1, rowTop + kDialogListRowHeight};
        const bool isHot = static_cast<int>(row) == hot;
        if (isHot)
            c.Fill(r, kAccent);
        c.Text(rows[row], {r.left + kTextPadding, r.top, r.right - kTextPadding, r.bottom}, isHot ? kAccentText : kText,
               DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    }
    c.Frame(box, kPanelBorder);
}
