#include "support/WindowFixture.h"

#include "graphics/editor/IPlugMenu.h"
#include "graphics/raster/LICE_IBitmap.h"
#include "platform/win32/PngWriter.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace {

using Events = std::vector<std::string>;
using Services = WindowFixture;

std::vector<std::string> Texts(const std::vector<MenuItemView>& items)
{
    std::vector<std::string> texts;
    for (const MenuItemView& item : items)
        texts.push_back(item.text);
    return texts;
}

TEST_F(Services, APopupShowsItsItemsNumberedAndAnswersTheChoiceInItsSubmenu)
{
    Open();
    IPlugMenu factory(kMenuNumberingTwo);
    factory.InsertTextEntry("Loud", -1, 0);
    factory.InsertTextEntry("Quiet", -1, kMenuItemChecked);
    factory.InsertTextEntry("Off", -1, kMenuItemGreyed);
    IPlugMenu top;
    top.InsertTextEntry("Load...", -1, 0);
    top.InsertDivider(-1);
    top.AppendSubmenu("Factory", &factory);
    top.InsertTextEntry("Save...", -1, kMenuItemDisabled);

    desktop.Services().chooseMenuItem = [](const MenuRequest& r) { return FindMenuItem(r.items, "02: Quiet"); };
    EXPECT_EQ(surface->ShowPopupMenu(&top, {10, 20, 50, 30}), &factory);
    EXPECT_EQ(factory.ChosenIndex(), 1);
    EXPECT_EQ(top.ChosenIndex(), -1);

    const MenuRequest& request = desktop.Services().menuLog.back();
    EXPECT_EQ(request.owner, window);
    EXPECT_EQ(request.at.x, SX(10)) << "at the area's left-bottom corner";
    EXPECT_EQ(request.at.y, SY(30));
    ASSERT_EQ(request.items.size(), 4u);
    EXPECT_EQ(Texts(request.items), (std::vector<std::string>{"Load...", "", "Factory", "Save..."}));
    EXPECT_EQ(request.items[1].flags & MF_SEPARATOR, MF_SEPARATOR);
    EXPECT_EQ(request.items[2].flags & MF_POPUP, MF_POPUP);
    EXPECT_EQ(request.items[3].flags & MF_DISABLED, MF_DISABLED);
    EXPECT_EQ(Texts(request.items[2].submenu), (std::vector<std::string>{"01: Loud", "02: Quiet", "03: Off"}));
    EXPECT_EQ(request.items[2].submenu[1].flags & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(request.items[2].submenu[2].flags & MF_GRAYED, MF_GRAYED);
    // The top menu's four items take ids 0-3, the submenu's 4-6.
    EXPECT_EQ(request.items[0].id, 0u);
    EXPECT_EQ(request.items[2].submenu[0].id, 4u);

    desktop.Services().chooseMenuItem = nullptr;  // dismissed
    EXPECT_EQ(surface->ShowPopupMenu(&top, {}), nullptr);
    EXPECT_EQ(desktop.Counts().menus, 0);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(window, &update, FALSE)) << "the whole window is redrawn after a menu";
    EXPECT_EQ(update.right, 200);
    surface->CloseEditorWindow();
    EXPECT_EQ(surface->ShowPopupMenu(&top, {}), nullptr);
}

TEST_F(Services, AChoiceParameterIsChosenFromAPopup)
{
    TestControl* mode = Add({10, 0, 10, 0, 40, 0, 20, 0}, kParamMode);
    mode->baseOnPress = true;
    mode->SetValueEntryDisabled(false);
    Open();
    desktop.Services().chooseMenuItem = [](const MenuRequest& r) { return FindMenuItem(r.items, "Peak"); };
    desktop.Click(MouseButton::Right, SX(20), SY(20));
    const MenuRequest& request = desktop.Services().menuLog.back();
    EXPECT_EQ(Texts(request.items), (std::vector<std::string>{"RMS", "EBU", "Peak"}));
    EXPECT_EQ(request.items[1].flags & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(plug->GetParam(kParamMode)->Value(), 2.0);
    EXPECT_EQ(plug->gestures, (Events{"begin 2", "end 2"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Services, FileDialogsStartWhereAskedAndAnswerPathAndFolder)
{
    Open();
    StringBuf file("My Preset");
    StringBuf folder("/presets/user/");
    desktop.Services().chooseFile = [](const FileRequest&) { return std::string("/presets/user/Loud.fxp"); };
    surface->AskForFile(&file, 1, &folder, "fxp");
    const FileRequest& save = desktop.Services().fileLog.back();
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.owner, window);
    EXPECT_EQ(save.initialFile, "My Preset");
    EXPECT_EQ(save.initialFolder, "/presets/user/");
    ASSERT_EQ(save.filters.size(), 1u);
    EXPECT_EQ(save.filters[0].first, "*.fxp");
    EXPECT_EQ(save.filters[0].second, "*.fxp");
    EXPECT_EQ(save.defaultExtension, "fxp");
    EXPECT_EQ(save.flags, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    EXPECT_STREQ(file.Get(), "/presets/user/Loud.fxp");
    EXPECT_STREQ(folder.Get(), "/presets/user/");

    desktop.Services().chooseFile = [](const FileRequest&) { return std::string("C:\\Images\\a.jpg"); };
    surface->AskForFile(&file, 0, &folder, " png  jpg ");
    const FileRequest& open = desktop.Services().fileLog.back();
    EXPECT_FALSE(open.save);
    EXPECT_EQ(open.filters[0].second, "*.png;*.jpg");
    EXPECT_EQ(open.defaultExtension, "png");
    EXPECT_EQ(open.flags, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    EXPECT_STREQ(folder.Get(), "C:\\Images\\");

    desktop.Services().chooseFile = nullptr;
    surface->AskForFile(&file, 0, &folder, "fxp");
    EXPECT_STREQ(file.Get(), "") << "cancelled";
    EXPECT_STREQ(folder.Get(), "C:\\Images\\");

    // A long proposed name is cut to 255 characters; a long answer is taken whole.
    const std::string longName(400, 'n');
    const std::string longPath = "/" + std::string(1000, 'p') + "/x.fxp";
    desktop.Services().chooseFile = [&](const FileRequest&) { return longPath; };
    file.Set(longName.c_str());
    surface->AskForFile(&file, 1, nullptr, nullptr);
    EXPECT_EQ(desktop.Services().fileLog.back().initialFile.size(), 255u);
    EXPECT_TRUE(desktop.Services().fileLog.back().filters.empty());
    EXPECT_EQ(std::string(file.Get()), longPath);

    surface->CloseEditorWindow();
    const size_t asked = desktop.Services().fileLog.size();
    surface->AskForFile(&file, 0, &folder, "fxp");
    EXPECT_STREQ(file.Get(), "") << "without a window nothing is asked";
    EXPECT_EQ(desktop.Services().fileLog.size(), asked);
}

TEST_F(Services, TheColourDialogIsTitledAndKeepsAlpha)
{
    IArgb colour = {128, 10, 20, 30};
    EXPECT_FALSE(surface->AskForColour(&colour, "Panel")) << "without a window";
    Open();
    desktop.Services().chooseColour = [](const ColourRequest&) { return RGB(200, 100, 50); };
    EXPECT_TRUE(surface->AskForColour(&colour, "Panel colour"));
    const ColourRequest& request = desktop.Services().colourLog.back();
    EXPECT_EQ(request.title, "Panel colour");
    EXPECT_EQ(request.initial, RGB(10, 20, 30));
    EXPECT_EQ(request.flags, CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR);
    EXPECT_EQ(colour, (IArgb{128, 200, 100, 50}));
    desktop.Services().chooseColour = nullptr;
    EXPECT_FALSE(surface->AskForColour(&colour, "Panel colour"));
    EXPECT_EQ(colour, (IArgb{128, 200, 100, 50}));
}

TEST_F(Services, AWebLinkNeedsConsentAndAConnection)
{
    Open();
    ScriptedServices& s = desktop.Services();
    s.askMessageBox = [](const MessageBoxRequest&) { return IDNO; };
    EXPECT_FALSE(surface->OpenWebLink("https://example.org", "Help", "Open the manual?", "No connection"));
    EXPECT_TRUE(s.shellLog.empty());

    s.askMessageBox = nullptr;
    EXPECT_FALSE(surface->OpenWebLink("https://example.org", "Help", nullptr, "No connection"));
    EXPECT_EQ(s.messageBoxLog.back().text, "No connection");
    EXPECT_EQ(s.messageBoxLog.back().type, MB_OK);
    EXPECT_TRUE(s.shellLog.empty());

    s.connected = true;
    s.askMessageBox = [](const MessageBoxRequest&) { return IDYES; };
    EXPECT_TRUE(surface->OpenWebLink("https://example.org", "Help", "Open the manual?", nullptr));
    ASSERT_EQ(s.shellLog.size(), 1u);
    EXPECT_EQ(s.shellLog[0].verb, "open");
    EXPECT_EQ(s.shellLog[0].file, "https://example.org");
    EXPECT_EQ(s.shellLog[0].show, SW_SHOWNORMAL);
    s.openShell = [](const ShellRequest&) -> intptr_t { return 2; };
    EXPECT_FALSE(surface->OpenWebLink("https://example.org", "Help", nullptr, nullptr));
}

TEST_F(Services, ClipboardTextComesAsUtf8)
{
    StringBuf text("old");
    EXPECT_FALSE(surface->ClipboardText(&text));
    EXPECT_STREQ(text.Get(), "");
    desktop.SetClipboardText("-23.5 LUFS \xE2\x80\x94 \xC3\xA9");
    EXPECT_TRUE(surface->ClipboardText(&text));
    EXPECT_STREQ(text.Get(), "-23.5 LUFS \xE2\x80\x94 \xC3\xA9");
    desktop.SetClipboardText("");
    EXPECT_TRUE(surface->ClipboardText(&text));
    EXPECT_STREQ(text.Get(), "");
}

TEST_F(Services, FoldersEndWhereTheSystemSaysTheyDo)
{
    StringBuf folder;
    surface->HostFolder(&folder);
    EXPECT_GT(folder.GetLength(), 0);
    EXPECT_EQ(folder.Get()[folder.GetLength() - 1], '/');

    desktop.SetModuleFileName(surface->ModuleInstance(), "/opt/plug-ins/Sonvarek.so");
    surface->ModuleFolder(&folder);
    EXPECT_STREQ(folder.Get(), "/opt/plug-ins/");
    desktop.SetModuleFileName(surface->ModuleInstance(), "C:\\Plug-Ins\\Sonvarek.aaxplugin");
    surface->ModuleFolder(&folder);
    EXPECT_STREQ(folder.Get(), "C:\\Plug-Ins\\");
    desktop.SetModuleFileName(surface->ModuleInstance(), "Sonvarek.so");
    surface->ModuleFolder(&folder);
    EXPECT_STREQ(folder.Get(), "");
    surface->SetModuleInstance(nullptr);
    surface->ModuleFolder(&folder);
    EXPECT_STREQ(folder.Get(), "") << "no module: not the host's folder";

    TempFolder temp;
    DataHomeOverride home((temp / "data").c_str(), temp.Path().c_str());
    setenv("XDG_DESKTOP_DIR", (temp / "Desk").c_str(), 1);
    surface->DesktopFolder(&folder);
    EXPECT_EQ(std::string(folder.Get()), temp / "Desk");
    unsetenv("XDG_DESKTOP_DIR");
    surface->AppDataFolder(&folder, false);
    EXPECT_EQ(std::string(folder.Get()), temp / "data");
    surface->AppDataFolder(&folder, true);
    EXPECT_GT(folder.GetLength(), 0);
}

TEST_F(Services, AlertsBelongToTheHostsTopLevelWindow)
{
    HWND view = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, host, nullptr, nullptr,
                                nullptr);
    surface->OpenEditorWindow(view);
    desktop.Services().askMessageBox = [](const MessageBoxRequest&) { return IDCANCEL; };
    EXPECT_EQ(surface->ShowAlert("Could not save", "Sonvarek", MB_OKCANCEL), IDCANCEL);
    const MessageBoxRequest& request = desktop.Services().messageBoxLog.back();
    EXPECT_EQ(request.owner, host);
    EXPECT_EQ(request.text, "Could not save");
    EXPECT_EQ(request.caption, "Sonvarek");
    EXPECT_EQ(request.type, MB_OKCANCEL);
}

TEST_F(Services, TooltipsShowTheRestingControlsText)
{
    TestControl* knob = Add({10, 0, 10, 0, 30, 0, 30, 0});
    knob->SetTooltip("Gain");
    surface->SetHoverTracking(true);
    surface->SetTooltipsEnabled(true);
    Open();
    ASSERT_NE(surface->TooltipWindow(), nullptr);
    desktop.MouseMove(SX(15), SY(15));
    desktop.RunFor(500);
    EXPECT_TRUE(surface->TooltipShown());
    desktop.ButtonDown(MouseButton::Left, SX(15), SY(15));
    EXPECT_FALSE(surface->TooltipShown()) << "a press hides it";
    desktop.ButtonUp(MouseButton::Left, SX(15), SY(15));
    surface->CloseEditorWindow();
    EXPECT_EQ(surface->TooltipWindow(), nullptr);
    EXPECT_EQ(desktop.Counts().windows, 1) << "only the host's window is left";
}

TEST_F(Services, TheHiddenPointerComesBackWhereItWas)
{
    Open();
    desktop.MouseMove(SX(30), SY(40));
    surface->HidePointer();
    surface->HidePointer();
    EXPECT_EQ(desktop.CursorDisplayCount(), -1) << "hidden once";
    SetCursorPos(0, 0);
    surface->RestorePointer();
    surface->RestorePointer();
    EXPECT_EQ(desktop.CursorDisplayCount(), 0);
    POINT at;
    GetCursorPos(&at);
    EXPECT_EQ(at.x, SX(30));
    EXPECT_EQ(at.y, SY(40));
    surface->HidePointer();
    surface->CloseEditorWindow();
    EXPECT_EQ(desktop.CursorDisplayCount(), 0) << "closing shows it again";
}

TEST_F(Services, PngImagesComeFromTheModulesResources)
{
    TempFolder temp;
    const uint32_t pixels[2] = {0xFF102030u, 0x80FFFFFFu};
    ASSERT_TRUE(WritePngFile((temp / "i.png").c_str(), pixels, 2, 1, 2, true));
    const std::string bytes = ReadBytes(temp / "i.png");
    desktop.AddResource(reinterpret_cast<HMODULE>(surface->ModuleInstance()), MAKEINTRESOURCEA(7), "PNG",
                        std::vector<uint8_t>(bytes.begin(), bytes.end()));
    std::unique_ptr<LICE_IBitmap> image(surface->LoadPngResource(7, "meter.PNG"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 2);
    EXPECT_EQ(image->PixelData()[1], 0x80FFFFFFu);
    EXPECT_EQ(surface->LoadPngResource(7, "meter.bmp"), nullptr);
    EXPECT_EQ(surface->LoadPngResource(7, "png"), nullptr) << "no extension";
    EXPECT_EQ(surface->LoadPngResource(7, nullptr), nullptr);
    EXPECT_EQ(surface->LoadPngResource(8, "a.png"), nullptr) << "no such resource";
    EXPECT_EQ(surface->LoadPngResource(70000, "a.png"), nullptr);
}

}  // namespace
