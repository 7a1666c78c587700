// Dialogs, message boxes, shell, connection, clipboard, folders, module,
// registry, version and resources.

#include "support/RecordingWindow.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/stat.h>

namespace {

struct ServicesTest : ::testing::Test
{
    Desktop desktop;
    RecordingWindows windows;
    HWND owner = windows.Create(0, 0, 100, 100);
};

OPENFILENAMEA FileRequestFor(HWND owner, char* file, DWORD size)
{
    OPENFILENAMEA r{};
    r.lStructSize = sizeof r;
    r.hwndOwner = owner;
    r.lpstrFilter = "*.fxp\0*.fxp\0\0";
    r.lpstrFile = file;
    r.nMaxFile = size;
    r.lpstrInitialDir = "/presets/";
    r.lpstrDefExt = "fxp";
    r.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    return r;
}

TEST_F(ServicesTest, FileDialogsLogTheRequestAndHandBackTheChoice)
{
    char file[64] = "Live Mix";
    OPENFILENAMEA r = FileRequestFor(owner, file, sizeof file);
    desktop.Services().chooseFile = [](const FileRequest& q) -> std::optional<std::string> {
        return q.save ? std::optional<std::string>("/presets/Live Mix.b.fxp") : std::nullopt;
    };
    EXPECT_FALSE(GetOpenFileNameA(&r)) << "cancelled";
    EXPECT_STREQ(file, "Live Mix");
    EXPECT_TRUE(GetSaveFileNameA(&r));
    EXPECT_STREQ(file, "/presets/Live Mix.b.fxp");
    EXPECT_EQ(r.nFileOffset, 9);
    EXPECT_STREQ(file + r.nFileExtension, "fxp");
    const auto& log = desktop.Services().fileLog;
    ASSERT_EQ(log.size(), 2u);
    EXPECT_FALSE(log[0].save);
    EXPECT_TRUE(log[1].save);
    EXPECT_EQ(log[1].initialFile, "Live Mix");
    EXPECT_EQ(log[1].initialFolder, "/presets/");
    ASSERT_EQ(log[1].filters.size(), 1u);
    EXPECT_EQ(log[1].filters[0].second, "*.fxp");
    EXPECT_EQ(log[1].flags, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);

    char small[8] = "x";
    OPENFILENAMEA tight = FileRequestFor(owner, small, sizeof small);
    EXPECT_FALSE(GetSaveFileNameA(&tight)) << "the path does not fit";
    EXPECT_STREQ(small, "x");
    tight.lStructSize = 12;
    EXPECT_FALSE(GetSaveFileNameA(&tight));
}

TEST_F(ServicesTest, TheColourHookSeesItsDialogAndTheChoiceComesBack)
{
    COLORREF custom[16] = {};
    CHOOSECOLORA r{};
    r.lStructSize = sizeof r;
    r.hwndOwner = owner;
    r.rgbResult = RGB(10, 20, 30);
    r.lpCustColors = custom;
    r.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;
    r.lpfnHook = [](HWND dialog, UINT message, WPARAM, LPARAM) -> UINT_PTR {
        if (message == WM_INITDIALOG)
            SetWindowTextA(dialog, "Pick the bar colour");
        return 0;
    };
    desktop.Services().chooseColour = [](const ColourRequest& q) -> std::optional<COLORREF> {
        EXPECT_EQ(q.initial, RGB(10, 20, 30));
        return RGB(1, 2, 3);
    };
    const LiveCounts before = desktop.Counts();
    EXPECT_TRUE(ChooseColorA(&r));
    EXPECT_EQ(r.rgbResult, RGB(1, 2, 3));
    ASSERT_EQ(desktop.Services().colourLog.size(), 1u);
    EXPECT_EQ(desktop.Services().colourLog[0].title, "Pick the bar colour");
    EXPECT_EQ(desktop.Counts(), before) << "the dialog window is gone";
    desktop.Services().chooseColour = nullptr;
    EXPECT_FALSE(ChooseColorA(&r));
    r.lpCustColors = nullptr;
    EXPECT_FALSE(ChooseColorA(&r));
}

TEST_F(ServicesTest, UnscriptedMessageBoxesAnswerTheirDefaultButton)
{
    EXPECT_EQ(MessageBoxA(owner, "Open the page?", "Link", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxA(owner, "?", "Link", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBoxA(owner, "?", "Link", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(MessageBoxA(owner, "No connection", "Link", MB_OK), IDOK);
}

TEST_F(ServicesTest, ClipboardTextReadsAsTheEditorReadsIt)
{
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    desktop.SetClipboardText("-12.5 \xC3\xA9");
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr) << "not open";
    ASSERT_TRUE(OpenClipboard(owner));
    EXPECT_FALSE(OpenClipboard(owner)) << "open already";
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* wide = static_cast<const char16_t*>(GlobalLock(data));
    ASSERT_NE(wide, nullptr);
    char text[32];
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr), 9);
    EXPECT_STREQ(text, "-12.5 \xC3\xA9");
    EXPECT_FALSE(GlobalUnlock(data));
    EXPECT_FALSE(GlobalUnlock(data)) << "not locked";
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    desktop.ClearClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GlobalLock(data), nullptr) << "the text taken at the last opening is gone";
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);
    CloseClipboard();
}

TEST_F(ServicesTest, FoldersComeFromTheUsersDataAndDesktopFolders)
{
    TempFolder temp;
    DataHomeOverride home((temp / "data").c_str(), (temp / "home").c_str());
    char path[MAX_PATH];
    EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path), S_OK);
    EXPECT_EQ(std::string(path), temp / "data");
    EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path), S_OK);
    struct stat st;
    EXPECT_EQ(stat(path, &st), 0);
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOP, FALSE));
    EXPECT_EQ(std::string(path), temp / "home/Desktop");
    EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, path), S_OK);
    EXPECT_EQ(path[0], '/');
    EXPECT_EQ(SHGetFolderPathA(nullptr, 0x26, nullptr, 0, path), E_INVALIDARG);

    const std::string deep = temp.Path() + std::string(300, 'd');
    DataHomeOverride tooLong(deep.c_str(), (temp / "home").c_str());
    EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path), E_FAIL);
    EXPECT_STREQ(path, "");
}

TEST_F(ServicesTest, ModuleFileNamesAreCutSafely)
{
    char path[4096];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    ASSERT_GT(n, 0u);
    EXPECT_NE(std::string(path).find("Services_test"), std::string::npos);
    char tiny[4];
    EXPECT_EQ(GetModuleFileNameA(nullptr, tiny, sizeof tiny), 4u);
    EXPECT_EQ(std::strlen(tiny), 3u);
    const HMODULE module = reinterpret_cast<HMODULE>(0x5000);
    desktop.SetModuleFileName(module, "/opt/plug-ins/Sonvarek.so");
    EXPECT_EQ(GetModuleFileNameA(module, path, sizeof path), 25u);
    EXPECT_STREQ(path, "/opt/plug-ins/Sonvarek.so");
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x10), path, sizeof path), 0u);
}

TEST_F(ServicesTest, TheRegistryHoldsOnlyTheKeysATestMakes)
{
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    desktop.AddRegistryKey("HKEY_LOCAL_MACHINE\\Software\\Wine");
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "software\\WINE", &key), ERROR_SUCCESS);
    HKEY parent = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", &parent), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyA(key, "x", &parent), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetVersion() & 0x80000000u, 0u) << "an NT kernel";
}

TEST_F(ServicesTest, ResourcesComeFromTheTable)
{
    const HMODULE module = reinterpret_cast<HMODULE>(0x7000);
    desktop.AddResource(module, MAKEINTRESOURCEA(101), "PNG", {0x89, 'P', 'N', 'G'});
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(101), "png");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(module, found), 4u);
    const HGLOBAL loaded = LoadResource(module, found);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(loaded));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[1], 'P');
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(102), "PNG"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(101), "PNG"), nullptr);
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(101), "BMP"), nullptr);
    EXPECT_EQ(LockResource(reinterpret_cast<HGLOBAL>(owner)), nullptr);
    EXPECT_EQ(SizeofResource(module, nullptr), 0u);
}

}  // namespace
