#pragma once
// What the layer asks the user: menu choices, files, colours, message
// boxes; and what it asks the system: opening addresses, the connection,
// the clipboard's text.
// Headless, ScriptedServices answers from the test's script and logs every
// request; a display presenter can put real dialogs in its place.
// [UI thread]

#include "platform/win32/Win32Types.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A menu as the user sees it, submenus included.
struct MenuItemView
{
    UINT flags = 0;  // MF_ flags as appended
    UINT_PTR id = 0;  // string items
    std::string text;
    std::vector<MenuItemView> submenu;  // popup items
};

struct MenuRequest
{
    HWND owner = nullptr;
    POINT at = {0, 0};  // screen
    UINT flags = 0;  // TPM_ flags
    std::vector<MenuItemView> items;
};

// The id of the first enabled string item (at any depth) whose text is
// text; nothing when there is none.
std::optional<UINT_PTR> FindMenuItem(const std::vector<MenuItemView>& items, const std::string& text);

struct FileRequest
{
    bool save = false;
    HWND owner = nullptr;
    std::string initialFile;
    std::string initialFolder;
    std::vector<std::pair<std::string, std::string>> filters;  // description, pattern
    std::string defaultExtension;
    DWORD flags = 0;  // OFN_ flags
    size_t maxPath = 0;  // the longest path (bytes) the caller has room for; 0: no limit
};

struct ColourRequest
{
    HWND owner = nullptr;
    std::string title;  // the dialog's text after the hook ran
    COLORREF initial = 0;
    DWORD flags = 0;  // CC_ flags
    std::array<COLORREF, 16> custom{};
};

struct MessageBoxRequest
{
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
};

struct ShellRequest
{
    HWND owner = nullptr;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string folder;
    int show = 0;
};

class DesktopServices
{
public:
    virtual ~DesktopServices() = default;
    // The chosen item's id, or nothing when the menu was dismissed.
    virtual std::optional<UINT_PTR> ChooseMenuItem(const MenuRequest& request) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;
    // The chosen colour, or nothing when cancelled.
    virtual std::optional<COLORREF> ChooseColour(const ColourRequest& request) = 0;
    // The pressed button (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int AskMessageBox(const MessageBoxRequest& request) = 0;
    // Above 32 for success.
    virtual intptr_t OpenShell(const ShellRequest& request) = 0;
    virtual bool IsConnected() = 0;
    // The clipboard's text (UTF-16, no terminator), or nothing when it holds
    // none.
    virtual std::optional<std::u16string> ClipboardText() = 0;
    // The text a middle click pastes into a text field (on X, the PRIMARY
    // selection: the text last selected anywhere), or nothing when there is
    // none.
    virtual std::optional<std::u16string> PrimarySelectionText() = 0;
};

// Answers from the functions a test sets; without one: menus dismissed,
// dialogs cancelled, message boxes their default button (the second with
// MB_DEFBUTTON2), shell requests succeed (nothing is opened), not connected,
// the clipboard holds clipboardText and the primary selection
// primarySelectionText. Every request but those two is logged in order.
class ScriptedServices : public DesktopServices
{
public:
    std::function<std::optional<UINT_PTR>(const MenuRequest&)> chooseMenuItem;
    std::function<std::optional<std::string>(const FileRequest&)> chooseFile;
    std::function<std::optional<COLORREF>(const ColourRequest&)> chooseColour;
    std::function<int(const MessageBoxRequest&)> askMessageBox;
    std::function<intptr_t(const ShellRequest&)> openShell;
    bool connected = false;
    std::optional<std::u16string> clipboardText;
    std::optional<std::u16string> primarySelectionText;

    std::vector<MenuRequest> menuLog;
    std::vector<FileRequest> fileLog;
    std::vector<ColourRequest> colourLog;
    std::vector<MessageBoxRequest> messageBoxLog;
    std::vector<ShellRequest> shellLog;
    int connectionQueries = 0;

    std::optional<UINT_PTR> ChooseMenuItem(const MenuRequest& request) override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    std::optional<COLORREF> ChooseColour(const ColourRequest& request) override;
    int AskMessageBox(const MessageBoxRequest& request) override;
    intptr_t OpenShell(const ShellRequest& request) override;
    bool IsConnected() override;
    std::optional<std::u16string> ClipboardText() override;
    std::optional<std::u16string> PrimarySelectionText() override;
};
