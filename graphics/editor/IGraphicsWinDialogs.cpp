// Dialogs, message boxes, the web link, the clipboard and the folders.

#include "graphics/editor/IGraphicsWin.h"

#include "framework/core/Utf8Cut.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// Room for a path the dialogs answer.
constexpr size_t kPathRoom = 4096;
// The most of a proposed file name the dialog starts with.
constexpr size_t kProposedNameMax = 255;

// Length of path up to and including its last '/' or '\\'; 0 when it has none.
size_t FolderLength(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    const char* backslash = std::strrchr(path, '\\');
    const char* last = slash > backslash ? slash : backslash;
    return last ? static_cast<size_t>(last - path) + 1 : 0;
}

// The folder of path into out ("" without a separator).
void SetFolderOf(const char* path, StringBuf* out)
{
    const size_t n = FolderLength(path);
    if (n == 0)
        out->Set("");
    else
        out->Set(path, static_cast<int32_t>(n));
}

void ModuleFolderOf(HMODULE module, StringBuf* out)
{
    char path[kPathRoom] = {};
    const DWORD n = GetModuleFileNameA(module, path, sizeof path);
    if (n == 0 || n >= sizeof path)
        out->Set("");
    else
        SetFolderOf(path, out);
}

// "png jpg" -> "*.png;*.jpg"; the first extension into firstExtension.
std::string PatternOf(const char* extensions, std::string* firstExtension)
{
    std::string pattern;
    const char* p = extensions ? extensions : "";
    while (*p)
    {
        while (*p == ' ')
            ++p;
        const char* start = p;
        while (*p && *p != ' ')
            ++p;
        if (p == start)
            break;
        const std::string extension(start, p);
        if (firstExtension->empty())
            *firstExtension = extension;
        if (!pattern.empty())
            pattern += ';';
        pattern += "*." + extension;
    }
    return pattern;
}

UINT_PTR CALLBACK ColourHook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG && lParam)
    {
        const auto* request = reinterpret_cast<const CHOOSECOLORA*>(lParam);
        if (request->lCustData)
            SetWindowTextA(dialog, reinterpret_cast<const char*>(request->lCustData));
    }
    return 0;
}

}  // namespace

// ---- Folders -------------------------------------------------------------------------

void IGraphicsWin::HostFolder(StringBuf* out) { ModuleFolderOf(nullptr, out); }

void IGraphicsWin::ModuleFolder(StringBuf* out)
{
    // A null module would name the host program.
    if (!moduleInstance)
        out->Set("");
    else
        ModuleFolderOf(reinterpret_cast<HMODULE>(moduleInstance), out);
}

void IGraphicsWin::DesktopFolder(StringBuf* out)
{
    char path[MAX_PATH] = {};
    out->Set(SHGetSpecialFolderPathA(window, path, CSIDL_DESKTOP, FALSE) ? path : "");
}

void IGraphicsWin::AppDataFolder(StringBuf* out, bool common)
{
    char path[MAX_PATH] = {};
    const int folder = common ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA;
    out->Set(SHGetFolderPathA(nullptr, folder, nullptr, 0, path) == S_OK ? path : "");
}

// ---- Dialogs ---------------------------------------------------------------------------

void IGraphicsWin::AskForFile(StringBuf* fileName, int32_t mode, StringBuf* folder, const char* extensions)
{
    if (!fileName)
        return;
    if (!window)
    {
        fileName->Set("");
        return;
    }
    std::vector<char> file(kPathRoom, '\0');
    std::memcpy(file.data(), fileName->Get(), Utf8CutLength(fileName->Get(), kProposedNameMax));
    StringBuf startFolder;
    if (folder && folder->GetLength() > 0)
        startFolder.Assign(*folder);
    else
        DesktopFolder(&startFolder);
    std::string defaultExtension;
    const std::string pattern = PatternOf(extensions, &defaultExtension);
    std::string filter;
    if (!pattern.empty())
        filter = pattern + '\0' + pattern + '\0' + '\0';

    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = window;
    request.hInstance = moduleInstance;
    request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrInitialDir = startFolder.Get();
    request.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    bool chosen;
    if (mode == 1)
    {
        request.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
        chosen = GetSaveFileNameA(&request) != FALSE;
    }
    else
    {
        request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
        chosen = GetOpenFileNameA(&request) != FALSE;
    }
    if (!chosen)
    {
        fileName->Set("");
        return;
    }
    fileName->Set(file.data());
    if (folder)
        SetFolderOf(file.data(), folder);
}

bool IGraphicsWin::AskForColour(IArgb* colour, const char* prompt)
{
    if (!window || !colour)
        return false;
    if (!customColours)
        customColours.reset(new COLORREF[16]());
    CHOOSECOLORA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = window;
    request.rgbResult = RGB(ArgbChannel(colour->R), ArgbChannel(colour->G), ArgbChannel(colour->B));
    request.lpCustColors = customColours.get();
    request.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;
    request.lCustData = reinterpret_cast<LPARAM>(prompt);
    request.lpfnHook = ColourHook;
    if (!ChooseColorA(&request))
        return false;
    colour->R = GetRValue(request.rgbResult);
    colour->G = GetGValue(request.rgbResult);
    colour->B = GetBValue(request.rgbResult);
    return true;
}

bool IGraphicsWin::OpenWebLink(const char* address, const char* title, const char* confirmText,
                               const char* errorText)
{
    if (confirmText && MessageBoxA(window, confirmText, title, MB_YESNO) != IDYES)
        return false;
    if (address && InternetGetConnectedState(nullptr, 0) &&
        reinterpret_cast<intptr_t>(ShellExecuteA(window, "open", address, nullptr, nullptr, SW_SHOWNORMAL)) > 32)
        return true;
    if (errorText)
        MessageBoxA(window, errorText, title, MB_OK);
    return false;
}

// ---- Message boxes ---------------------------------------------------------------------

HWND IGraphicsWin::TopLevelOwner()
{
    if (ownerWindow && IsWindow(ownerWindow))
        return ownerWindow;
    ownerWindow = nullptr;
    if (parentWindow && IsWindow(parentWindow))
    {
        ownerWindow = GetAncestor(parentWindow, GA_ROOT);
        char name[256] = {};
        GetClassNameA(ownerWindow, name, sizeof name);
        ownerClass.Set(name);
        return ownerWindow;
    }
    if (ownerClass.GetLength() == 0)
        return nullptr;
    struct Search
    {
        const char* className;
        HWND found;
    } search = {ownerClass.Get(), nullptr};
    EnumWindows(
        [](HWND candidate, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD process = 0;
            GetWindowThreadProcessId(candidate, &process);
            char name[256] = {};
            GetClassNameA(candidate, name, sizeof name);
            if (process != GetCurrentProcessId() || std::strcmp(name, s->className) != 0)
                return TRUE;
            s->found = candidate;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    ownerWindow = search.found;
    return ownerWindow;
}

int32_t IGraphicsWin::ShowAlert(const char* text, const char* caption, uint32_t type)
{
    return MessageBoxA(TopLevelOwner(), text, caption, type);
}

// ---- Clipboard ---------------------------------------------------------------------------

bool IGraphicsWin::ClipboardText(StringBuf* out)
{
    out->Set("");
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(window))
        return false;
    bool taken = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
    {
        if (const auto* units = static_cast<const WCHAR*>(GlobalLock(data)))
        {
            // Within the block, whether or not it ends in a terminator.
            const size_t room = GlobalSize(data) / sizeof(WCHAR);
            size_t length = 0;
            while (length < room && units[length] != 0)
                ++length;
            const int count = static_cast<int>(length);
            const int bytes =
                count > 0 ? WideCharToMultiByte(CP_UTF8, 0, units, count, nullptr, 0, nullptr, nullptr) : 0;
            std::vector<char> text(static_cast<size_t>(bytes) + 1, '\0');
            if (bytes > 0)
                WideCharToMultiByte(CP_UTF8, 0, units, count, text.data(), bytes, nullptr, nullptr);
            out->Set(text.data());
            taken = count == 0 || bytes > 0;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return taken;
}
