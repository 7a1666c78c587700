#pragma once
// Small dialogs in X windows of the presenter's own: a message, an
// optional one-line text field, a row of buttons. [UI thread]

#include "platform/win32/Win32Types.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class X11Presenter;
struct XSession;

struct DialogButton
{
    std::string label;
    int answer;
};

// What a dialog's list shows and does (the file dialog's folder): rows to
// choose from, each standing for a text of the field.
class DialogList
{
public:
    virtual ~DialogList() = default;
    virtual const std::vector<std::string>& Rows() const = 0;
    // The field's text for a row the user highlights.
    virtual std::string TextOf(size_t row) const = 0;
    // Asked with the field's text before the default answer ends the dialog
    // (Enter, its button, a double click on a row): true when the text
    // opened something of the list's own (a folder: the rows changed, field
    // holds the text to show), and the dialog stays open.
    virtual bool Open(std::string& field) = 0;
};

struct DialogForm
{
    std::string title;
    std::string message;  // lines ended by '\n', wrapped to the dialog's width
    DialogList* list = nullptr;  // shown above the message; not owned
    bool hasField = false;
    // The field's starting text: UTF-8, but for a path's bytes that are
    // not, which stay as they are in the answer (see PathUnits.h).
    std::string field;
    std::vector<DialogButton> buttons;  // left to right
    int defaultAnswer = 0;  // Enter
    int cancelAnswer = 0;  // Escape, closing the window, a stop
    // Asked before any other answer ends a dialog with a field: nothing lets
    // it end (the field may have been completed), a text keeps it open and
    // shows the text (wrapped, below the field).
    std::function<std::optional<std::string>(std::string& field)> check;
};

struct DialogAnswer
{
    int answer;
    std::string field;
};

// The geometry of the buttons: right-aligned at the bottom of the dialog.
inline constexpr int kDialogMargin = 14;
inline constexpr int kDialogButtonWidth = 84;
inline constexpr int kDialogButtonHeight = 26;
inline constexpr int kDialogButtonGap = 8;
// A list is at the top, inside the margin; its rows are this high, the
// first one pixel below the list's top.
inline constexpr int kDialogListRowHeight = 20;
// The buttons' rectangles, left to right, in a dialog width x height.
std::vector<RECT> DialogButtonRects(int width, int height, size_t count);

// Shows the dialog centred over the X window above owner
// (X11Presenter::XWindowAbove; none: the screen), as its transient window
// (over the innermost dialog of the presenter's when one is open), and runs
// it as the presenter's modal window for owner until it is answered. Tab
// and Shift+Tab move the keys among the list, the field and the buttons,
// going round (the focused one framed in blue; the field has them first,
// else the default button). The field edits as the "EDIT" class does, its
// text opening selected (see X11Services.h), and a drag in it selects; Up,
// Down, Page Up and Page Down move the list's highlight from there too. A
// list with the keys takes those and Home and End. On a button the arrow
// keys move to the next one, going round, and the space bar answers it.
// Enter answers the focused button, else the default; Escape, closing the
// window and another client destroying it cancel; a click on a button
// answers it. A list's row is highlighted by a click, which gives the list
// the keys, or by the keys (the wheel and the scroll bar scroll it and take
// no keys), and the field takes its text; a double click on a row answers
// the default for its text. A problem the check
// shows goes once the field's text is edited. The dialog is as wide as its
// message wants, within limits.
DialogAnswer RunDialog(X11Presenter& presenter, XSession& session, const DialogForm& form, HWND owner);
