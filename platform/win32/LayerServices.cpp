// Dialogs, message boxes, shell, internet state, clipboard, folders, module
// file names, registry, version and resources.

#include "platform/DataFolders.h"
#include "platform/win32/LayerState.h"
#include "platform/win32/Utf.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <dlfcn.h>
#include <strings.h>
#include <unistd.h>

namespace {

std::string Text(LPCSTR s) { return s && !IS_INTRESOURCE(s) ? s : ""; }

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

BOOL AskFile(OPENFILENAMEA* r, bool save)
{
    if (!r || r->lStructSize != sizeof(OPENFILENAMEA) || !r->lpstrFile || r->nMaxFile == 0)
        return FALSE;
    FileRequest request;
    request.save = save;
    request.owner = r->hwndOwner;
    request.initialFile.assign(r->lpstrFile, strnlen(r->lpstrFile, r->nMaxFile));
    request.initialFolder = Text(r->lpstrInitialDir);
    request.defaultExtension = Text(r->lpstrDefExt);
    request.flags = r->Flags;
    request.maxPath = std::min<size_t>(r->nMaxFile - 1, 0xFFFF);
    // Pairs of texts, ended by an empty one.
    for (const char* f = r->lpstrFilter; f && *f;)
    {
        const std::string description = f;
        f += description.size() + 1;
        const std::string pattern = f;
        f += pattern.size() + (*f ? 1 : 0);
        request.filters.emplace_back(description, pattern);
    }
    const std::optional<std::string> chosen = Layer().services->ChooseFile(request);
    if (!chosen || chosen->empty() || chosen->size() + 1 > r->nMaxFile || chosen->size() > 0xFFFF)
        return FALSE;
    std::memcpy(r->lpstrFile, chosen->c_str(), chosen->size() + 1);
    const size_t slash = chosen->find_last_of("/\\");
    const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = chosen->find_last_of('.');
    r->nFileOffset = static_cast<WORD>(nameAt);
    r->nFileExtension = static_cast<WORD>(dot != std::string::npos && dot >= nameAt ? dot + 1 : 0);
    if (r->lpstrFileTitle && r->nMaxFileTitle > 0)
        CopyUtf8(chosen->substr(nameAt), r->lpstrFileTitle, r->nMaxFileTitle);
    return TRUE;
}

std::string FolderOf(int csidl)
{
    switch (csidl)
    {
    case CSIDL_LOCAL_APPDATA:
        return GetLocalAppDataFolder();
    case CSIDL_DESKTOP:
    {
        const char* desktop = std::getenv("XDG_DESKTOP_DIR");
        if (desktop && desktop[0] == '/')
            return desktop;
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/')
            return {};
        std::string folder = home;
        if (folder.back() != '/')
            folder += '/';
        return folder + "Desktop";
    }
    case CSIDL_COMMON_APPDATA:
    {
        const char* dirs = std::getenv("XDG_DATA_DIRS");
        for (const char* d = dirs; d && *d;)
        {
            const char* end = std::strchr(d, ':');
            const std::string one(d, end ? static_cast<size_t>(end - d) : std::strlen(d));
            if (!one.empty() && one[0] == '/')
                return one;
            d = end ? end + 1 : nullptr;
        }
        return "/usr/local/share";
    }
    default:
        return {};
    }
}

// The predefined keys by value (see LoadCursorA): "" for any other key.
std::string PredefinedKeyName(HKEY key)
{
    switch (reinterpret_cast<intptr_t>(key))
    {
    case static_cast<int32_t>(0x80000001u):
        return "HKEY_CURRENT_USER";
    case static_cast<int32_t>(0x80000002u):
        return "HKEY_LOCAL_MACHINE";
    default:
        return {};
    }
}

}  // namespace

std::string ResourceKey(LPCSTR name)
{
    return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : Upper(name);
}

std::string RegistryKey(const std::string& path) { return Upper(path); }

BOOL GetOpenFileNameA(OPENFILENAMEA* request) { return AskFile(request, false); }
BOOL GetSaveFileNameA(OPENFILENAMEA* request) { return AskFile(request, true); }

BOOL ChooseColorA(CHOOSECOLORA* r)
{
    if (!r || r->lStructSize != sizeof(CHOOSECOLORA) || !r->lpCustColors)
        return FALSE;
    // A dialog window of its own, so that the hook has a window to work on.
    const HWND dialog = CreateWindowExA(0, "#32770", "Color", WS_POPUP, 0, 0, 0, 0,
                                        FindWindowObject(r->hwndOwner) ? r->hwndOwner : nullptr, nullptr, nullptr,
                                        nullptr);
    if (!dialog)
        return FALSE;
    if ((r->Flags & CC_ENABLEHOOK) && r->lpfnHook)
        r->lpfnHook(dialog, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(r));
    ColourRequest request;
    request.owner = r->hwndOwner;
    if (WindowObject* w = FindWindowObject(dialog))
        request.title = w->text;
    request.initial = (r->Flags & CC_RGBINIT) ? r->rgbResult : 0;
    request.flags = r->Flags;
    std::copy_n(r->lpCustColors, 16, request.custom.begin());
    DestroyWindow(dialog);
    const std::optional<COLORREF> chosen = Layer().services->ChooseColour(request);
    if (!chosen)
        return FALSE;
    r->rgbResult = *chosen & 0x00FFFFFF;
    return TRUE;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    MessageBoxRequest request;
    request.owner = owner;
    request.text = Text(text);
    request.caption = Text(caption);
    request.type = type;
    return Layer().services->AskMessageBox(request);
}

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, int show)
{
    ShellRequest request;
    request.owner = owner;
    request.verb = Text(verb);
    request.file = Text(file);
    request.parameters = Text(parameters);
    request.folder = Text(folder);
    request.show = show;
    return reinterpret_cast<HINSTANCE>(Layer().services->OpenShell(request));
}

BOOL InternetGetConnectedState(DWORD* flags, DWORD)
{
    const bool connected = Layer().services->IsConnected();
    if (flags)
        *flags = connected ? INTERNET_CONNECTION_LAN : 0;
    return connected ? TRUE : FALSE;
}

BOOL OpenClipboard(HWND owner)
{
    LayerState& s = Layer();
    if (s.clipboardOpen || (owner && !FindWindowObject(owner)))
        return FALSE;
    s.clipboardOpen = true;
    RemoveObject(s.clipboardText);
    s.clipboardText = nullptr;
    if (const std::optional<std::u16string> text = s.services->ClipboardText())
    {
        auto memory = std::make_unique<MemoryObject>();
        memory->stock = true;  // the clipboard's, not the program's
        memory->bytes.resize((text->size() + 1) * 2, 0);
        std::memcpy(memory->bytes.data(), text->data(), text->size() * 2);
        s.clipboardText = ToHandle<HGLOBAL>(AddObject(std::move(memory)));
    }
    return TRUE;
}

BOOL CloseClipboard()
{
    LayerState& s = Layer();
    if (!s.clipboardOpen)
        return FALSE;
    s.clipboardOpen = false;
    return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    return format == CF_UNICODETEXT && Layer().services->ClipboardText() ? TRUE : FALSE;
}

HANDLE GetClipboardData(UINT format)
{
    const LayerState& s = Layer();
    if (!s.clipboardOpen || format != CF_UNICODETEXT || !Find<MemoryObject>(s.clipboardText))
        return nullptr;
    return s.clipboardText;
}

LPVOID GlobalLock(HGLOBAL memory)
{
    MemoryObject* m = Find<MemoryObject>(memory);
    if (!m)
        return nullptr;
    ++m->locks;
    return m->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL memory)
{
    MemoryObject* m = Find<MemoryObject>(memory);
    if (!m || m->locks == 0)
        return FALSE;
    return --m->locks > 0 ? TRUE : FALSE;
}

size_t GlobalSize(HGLOBAL memory)
{
    MemoryObject* m = Find<MemoryObject>(memory);
    return m ? m->bytes.size() : 0;
}

std::u16string ClipboardText() { return Layer().services->ClipboardText().value_or(std::u16string()); }

std::u16string PrimarySelectionText()
{
    return Layer().services->PrimarySelectionText().value_or(std::u16string());
}

HRESULT SHGetFolderPathA(HWND, int folder, HANDLE, DWORD, LPSTR path)
{
    if (!path)
        return E_INVALIDARG;
    path[0] = '\0';
    const int which = folder & ~CSIDL_FLAG_CREATE;
    if (which != CSIDL_LOCAL_APPDATA && which != CSIDL_DESKTOP && which != CSIDL_COMMON_APPDATA)
        return E_INVALIDARG;
    const std::string found = FolderOf(which);
    if (found.empty() || found.size() >= static_cast<size_t>(MAX_PATH))
        return E_FAIL;
    if ((folder & CSIDL_FLAG_CREATE) && !CreateFolderIfMissing(found.c_str()))
        return E_FAIL;
    std::memcpy(path, found.c_str(), found.size() + 1);
    return S_OK;
}

BOOL SHGetSpecialFolderPathA(HWND owner, LPSTR path, int folder, BOOL create)
{
    return SHGetFolderPathA(owner, folder | (create ? CSIDL_FLAG_CREATE : 0), nullptr, 0, path) == S_OK;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size)
{
    if (!path || size == 0)
        return 0;
    std::string file;
    if (!module)
    {
        char buffer[4096];
        const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
        if (n > 0 && static_cast<size_t>(n) < sizeof buffer)
            file.assign(buffer, static_cast<size_t>(n));
    }
    else
    {
        for (const auto& [handle, name] : Layer().moduleFiles)
            if (handle == module)
                file = name;
        Dl_info info{};
        if (file.empty() && dladdr(module, &info) && info.dli_fname)
            file = info.dli_fname;
    }
    if (file.empty())
        return 0;
    const size_t copied = std::min<size_t>(file.size(), size - 1);
    std::memcpy(path, file.data(), copied);
    path[copied] = '\0';
    return copied < file.size() ? size : static_cast<DWORD>(copied);
}

LONG RegOpenKeyA(HKEY root, LPCSTR subKey, HKEY* key)
{
    if (!key)
        return ERROR_INVALID_PARAMETER;
    *key = nullptr;
    std::string base = PredefinedKeyName(root);
    if (base.empty())
    {
        KeyObject* open = Find<KeyObject>(root);
        if (!open)
            return ERROR_INVALID_HANDLE;
        base = open->path;
    }
    if (!subKey || !*subKey)
    {
        *key = root;
        return ERROR_SUCCESS;
    }
    const std::string path = base + "\\" + Upper(subKey);
    const auto& keys = Layer().registryKeys;
    if (std::find(keys.begin(), keys.end(), path) == keys.end())
        return ERROR_FILE_NOT_FOUND;
    auto object = std::make_unique<KeyObject>();
    object->path = path;
    *key = ToHandle<HKEY>(AddObject(std::move(object)));
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    if (!PredefinedKeyName(key).empty())
        return ERROR_SUCCESS;
    if (!Find<KeyObject>(key))
        return ERROR_INVALID_HANDLE;
    RemoveObject(key);
    return ERROR_SUCCESS;
}

DWORD GetVersion() { return (7601u << 16) | (1u << 8) | 6u; }

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type)
{
    if (!name || !type)
        return nullptr;
    const std::string wantedName = ResourceKey(name), wantedType = ResourceKey(type);
    for (const auto& [handle, object] : Layer().objects)
        if (object->kind == ObjectKind::Resource)
        {
            const auto* r = static_cast<const ResourceObject*>(object.get());
            if (r->module == module && r->name == wantedName && r->type == wantedType)
                return ToHandle<HRSRC>(handle);
        }
    return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return Find<ResourceObject>(resource) ? resource : nullptr; }

LPVOID LockResource(HGLOBAL resource)
{
    ResourceObject* r = Find<ResourceObject>(resource);
    if (!r)
        return nullptr;
    static uint8_t empty = 0;
    return r->bytes.empty() ? &empty : r->bytes.data();
}

DWORD SizeofResource(HMODULE, HRSRC resource)
{
    ResourceObject* r = Find<ResourceObject>(resource);
    return r ? static_cast<DWORD>(std::min<size_t>(r->bytes.size(), UINT32_MAX)) : 0;
}
