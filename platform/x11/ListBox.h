#pragma once
// A dialog's list of text rows: a framed box of rows, one of them
// highlighted and kept in view; the wheel scrolls it, a second press on the
// highlighted row soon after the first is a double click, the arrow, page,
// Home and End keys move the highlight. A row too long for the box ends in
// "..." (a folder's in ".../"); with more rows than show, a scroll bar at
// the right edge: its thumb shows where the shown ones stand and scrolls
// them as it is dragged, a press above or below it pages. Internal to the
// presenter. [UI thread]

#include "platform/win32/Win32Types.h"

#include <X11/Xlib.h>

#include <string>
#include <vector>

class Canvas;

class ListBox
{
public:
    static constexpr int kVisibleRows = 12;
    // Its height for kVisibleRows rows and the frame.
    static int Height();

    void Place(const RECT& r) { box = r; }
    const RECT& Box() const { return box; }
    // The highlighted row; -1 for none.
    int Hot() const { return hot; }
    // Nothing highlighted, scrolled to the top (new rows).
    void Reset();
    // Highlights the row (limited to the rows) and scrolls it into view.
    void Highlight(int row, size_t count);

    // A button pressed at (x, y) inside the box: the wheel scrolls, the
    // left button pages on the scroll bar's track, takes its thumb, or else
    // highlights the row there. The row pressed (-1: none) and whether it
    // was a double click.
    int Press(const XButtonEvent& press, size_t count, bool& twice);
    // The pointer at y with the left button held: a thumb taken follows it,
    // within the track, and the rows scroll with it. False when no thumb is
    // taken.
    bool Drag(int y, size_t count);
    // The left button went up: the thumb is let go.
    void Release() { grip = -1; }
    // Up, Down, Page Up and Page Down move the highlight (from none: Down
    // and Page Down to the first row shown, Up and Page Up to the last row
    // shown), Home and End to the first and the last row; false for other
    // keys.
    bool Key(KeySym key, size_t count);

    // focused: the frame in the accent colour.
    void Draw(Canvas& canvas, const std::vector<std::string>& rows, bool focused) const;

private:
    // The scroll bar's track at the right edge, and its thumb for more than
    // kVisibleRows rows.
    RECT Track() const;
    RECT Thumb(size_t count) const;
    void ScrollBy(int rows, size_t count);

    RECT box = {0, 0, 0, 0};
    size_t top = 0;  // the first row shown
    int hot = -1;
    Time lastPress = 0;
    int grip = -1;  // where the pointer holds the thumb, from its top; -1: not held
};
