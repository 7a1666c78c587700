#pragma once
// The desktop's services on an X display. Popup menus and dialogs are X
// windows of the presenter's own, drawn with the layer's text drawing; each
// is modal as in Win32 (a nested loop of the presenter runs until it is
// answered, or a stop is asked or the owner's window closed, which answer
// as cancelled):
// - a menu: items, separators, checked and greyed items, submenus opening
//   on hover; a click on an enabled item chooses it, Escape or a click
//   outside the menu cancels, and so does another client destroying one of
//   its windows; a menu taller than the screen scrolls with the wheel. The
//   keys: Up and Down move the highlight over the enabled items (going
//   round), Home and End jump to the first and last, Right or Enter open a
//   submenu on its first item, Left or Escape close one, Enter chooses;
// - the file dialog: a list of the folder's subfolders and matching files
//   above a path field; a row highlighted (a click, the arrow keys) puts its
//   path in the field, Enter or a double click opens a folder or chooses a
//   file. Tab and Shift+Tab move among the field, the list and the
//   buttons. The typed path: relative to the folder shown, a name without an
//   extension gets the default one, a folder is opened; then the checks of
//   DialogChecks.h: the file must exist, the folder must exist, a folder is
//   no file, replacing a file is confirmed, a path the caller has no room
//   for is an alert. A path's bytes that are not UTF-8 pass through
//   unchanged (drawn as a stand-in glyph);
// - the colour dialog: a colour typed as #rrggbb;
// - a message box: its text and buttons (OK; OK, Cancel; Yes, No; Yes, No,
//   Cancel), Enter or the space bar the highlighted button (the default
//   one until the arrow keys or Tab move the highlight), Escape or closing
//   the window Cancel (or No, or OK where there is no Cancel).
// Text fields edit as the "EDIT" class does (platform/win32/LineEdit.h):
// their text opens selected; Ctrl+V and Shift+Insert paste the clipboard, a
// middle click the primary selection. Enter answers OK, Escape Cancel. The
// clipboard's text is read from the CLIPBOARD selection, the primary
// selection's from PRIMARY (UTF8_STRING, else STRING). Opening addresses
// and the connection state are asked of the fallback services. [UI thread]

#include "platform/win32/DesktopServices.h"

class X11Presenter;
struct XSession;

class X11Services : public DesktopServices
{
public:
    X11Services(X11Presenter& presenter, XSession& session, DesktopServices& fallback);

    std::optional<UINT_PTR> ChooseMenuItem(const MenuRequest& request) override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    std::optional<COLORREF> ChooseColour(const ColourRequest& request) override;
    int AskMessageBox(const MessageBoxRequest& request) override;
    intptr_t OpenShell(const ShellRequest& request) override;
    bool IsConnected() override;
    std::optional<std::u16string> ClipboardText() override;
    std::optional<std::u16string> PrimarySelectionText() override;

private:
    // A message box over owner's window.
    int Ask(HWND owner, const std::string& text, const std::string& caption, UINT type);

    X11Presenter& presenter;
    XSession& session;
    DesktopServices& fallback;
};
