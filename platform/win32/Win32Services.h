#pragma once
// Dialogs, shell, internet state, clipboard, folders, module, registry,
// version and resources. [UI thread]
//
// The dialogs, message boxes, shell and internet state go through the
// desktop's services (DesktopServices.h): headless, scripted answers with a
// log of every request.

#include "platform/win32/Win32Types.h"

// --- File dialogs --------------------------------------------------------------

inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
struct OPENFILENAMEA
{
    DWORD lStructSize;  // sizeof(OPENFILENAMEA)
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;  // pairs of NUL-terminated texts, ended by an empty one
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;  // in: the initial name; out: the chosen path
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;  // out: the chosen file name without its folder
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;  // out: where the name starts in lpstrFile
    WORD nFileExtension;  // out: where its extension starts (0: none)
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    void* pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
};
// Asks for a file to open or a file to save (the services are told the
// room, nMaxFile - 1 bytes, at most 65535). TRUE with the chosen path in
// lpstrFile; FALSE when cancelled, when the path does not fit nMaxFile (then
// lpstrFile is left alone), or for a wrong lStructSize, null lpstrFile or
// nMaxFile 0.
BOOL GetOpenFileNameA(OPENFILENAMEA* request);
BOOL GetSaveFileNameA(OPENFILENAMEA* request);

// --- Colour dialog -------------------------------------------------------------

inline constexpr DWORD CC_RGBINIT = 0x00000001;
inline constexpr DWORD CC_FULLOPEN = 0x00000002;
inline constexpr DWORD CC_ENABLEHOOK = 0x00000010;
inline constexpr DWORD CC_SOLIDCOLOR = 0x00000080;
inline constexpr DWORD CC_ANYCOLOR = 0x00000100;

typedef UINT_PTR (*LPCCHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
struct CHOOSECOLORA
{
    DWORD lStructSize;  // sizeof(CHOOSECOLORA)
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;  // in with CC_RGBINIT: the start colour; out: the choice
    COLORREF* lpCustColors;  // 16 custom colours
    DWORD Flags;
    LPARAM lCustData;
    LPCCHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};
// Asks for a colour. With CC_ENABLEHOOK the hook is called with the dialog
// window, WM_INITDIALOG, 0 and the request before the choice (the dialog's
// window text, e.g. set by the hook, is its title). TRUE with rgbResult set;
// FALSE when cancelled or for a wrong lStructSize or null lpCustColors.
BOOL ChooseColorA(CHOOSECOLORA* request);

// --- Message boxes -------------------------------------------------------------

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_YESNOCANCEL = 0x00000003;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr UINT MB_ICONWARNING = 0x00000030;
inline constexpr UINT MB_ICONINFORMATION = 0x00000040;
inline constexpr UINT MB_DEFBUTTON2 = 0x00000100;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
// The pressed button (IDOK, IDCANCEL, IDYES, IDNO).
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// --- Shell and internet -------------------------------------------------------

inline constexpr int SW_SHOWNORMAL = 1;
// Opens file (a path or an address) with the verb; the result above 32
// means success.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, int show);

inline constexpr DWORD INTERNET_CONNECTION_LAN = 0x02;
// TRUE when connected; *flags (when given) gets the connection kind, 0
// when not connected.
BOOL InternetGetConnectedState(DWORD* flags, DWORD reserved);

// --- Clipboard and global memory ---------------------------------------------

inline constexpr UINT CF_UNICODETEXT = 13;
// Takes the clipboard's text as it is now (the desktop's services hold it).
// FALSE when the clipboard is open already or owner is given but does not
// exist.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// CF_UNICODETEXT while the clipboard holds text.
BOOL IsClipboardFormatAvailable(UINT format);
// While the clipboard is open: the text taken when it was opened, as movable
// memory (UTF-16, NUL terminated), owned by the clipboard and valid until it
// is next opened; null otherwise.
HANDLE GetClipboardData(UINT format);
// The memory's bytes (null for a handle that is not movable memory); each
// lock needs an unlock.
LPVOID GlobalLock(HGLOBAL memory);
// TRUE while the memory is still locked afterwards.
BOOL GlobalUnlock(HGLOBAL memory);
size_t GlobalSize(HGLOBAL memory);

// --- Folders and module -------------------------------------------------------

inline constexpr int CSIDL_DESKTOP = 0x0000;
inline constexpr int CSIDL_LOCAL_APPDATA = 0x001C;
inline constexpr int CSIDL_COMMON_APPDATA = 0x0023;
inline constexpr int CSIDL_FLAG_CREATE = 0x8000;
// The folder, into path (MAX_PATH chars): CSIDL_LOCAL_APPDATA the user's
// data folder ($XDG_DATA_HOME, else ~/.local/share); CSIDL_DESKTOP
// $XDG_DESKTOP_DIR, else ~/Desktop; CSIDL_COMMON_APPDATA the first absolute
// folder of $XDG_DATA_DIRS, else /usr/local/share. CSIDL_FLAG_CREATE creates
// it when missing. S_OK; E_INVALIDARG for another folder or a null path;
// E_FAIL (path empty) when it cannot be found, does not fit or cannot be
// created.
HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path);
// The same with a TRUE/FALSE result; create non-zero creates it.
BOOL SHGetSpecialFolderPathA(HWND owner, LPSTR path, int folder, BOOL create);

// The file of the module: null the program itself; a handle registered with
// the desktop driver its registered path; else the shared object that
// contains that address, if any. Copies at most size - 1 chars and a NUL
// and answers the chars copied (size when cut); 0 when unknown.
DWORD GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size);

// --- Registry -----------------------------------------------------------------

inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<intptr_t>(static_cast<int32_t>(0x80000001u)));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<intptr_t>(static_cast<int32_t>(0x80000002u)));
// Opens an existing key below root (a predefined key or an open key; names
// compare ignoring ASCII case, '\\' separated). Only keys made through the
// desktop driver exist. ERROR_SUCCESS with *key set; ERROR_FILE_NOT_FOUND
// (*key null) when missing; ERROR_INVALID_HANDLE for a bad root;
// ERROR_INVALID_PARAMETER for a null key pointer. An empty or null subKey
// answers root itself.
LONG RegOpenKeyA(HKEY root, LPCSTR subKey, HKEY* key);
// ERROR_SUCCESS (predefined keys too); ERROR_INVALID_HANDLE otherwise.
LONG RegCloseKey(HKEY key);

// --- Version ------------------------------------------------------------------

// An NT kernel (bit 31 clear), version 6.1.
DWORD GetVersion();

// --- Resources ----------------------------------------------------------------

// A resource of the module added through the desktop driver; name and type
// are texts (ignoring ASCII case) or MAKEINTRESOURCEA numbers. Null when
// missing.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The resource's bytes; null for a handle that is not a loaded resource.
LPVOID LockResource(HGLOBAL resource);
// 0 for a handle that is not a resource.
DWORD SizeofResource(HMODULE module, HRSRC resource);
