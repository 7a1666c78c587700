#include "support/WindowFixture.h"

#include "graphics/editor/IPlugMenu.h"
#include "graphics/raster/LICE_IBitmap.h"
#include "platform/win32/PngWriter.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace {

using Services = WindowFixture;

std::vector<std::string> Texts(const std::vector<MenuItemView>& items)
{
    std::vector<std::string> texts;
    for (const MenuItemView& item : items)
        texts.push_back(item.text);
    return texts;
}

TEST_F(Services, APopupAnswersTheSubmenuThatHoldsTheChoice)
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
    EXPECT_EQ(request.at.x, SX(10)) << "at the area's left-bottom corner";
    EXPECT_EQ(request.at.y, SY(30));
    EXPECT_EQ(Texts(request.items), (std::vector<std::string>{"Load...", "", "Factory", "Save..."}));
    EXPECT_EQ(request.items[1].flags & MF_SEPARATOR, MF_SEPARATOR);
    EXPECT_EQ(request.items[3].flags & MF_DISABLED, MF_DISABLED);
    EXPECT_EQ(Texts(request.items[2].submenu), (std::vector<std::string>{"01: Loud", "02: Quiet", "03: Off"}));
    EXPECT_EQ(request.items[2].submenu[1].flags & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(request.items[2].submenu[2].flags & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(request.items[2].submenu[0].id, 4u) << "the top menu's items take ids 0-3";

    // A separator that carries a submenu shows none and takes no ids: the
    // choice stays the one made in the submenu shown after it.
    IPlugMenu hidden;
    hidden.InsertTextEntry("Hidden", -1, 0);
    top.InsertEntry(new IPlugMenuItem("", &hidden, kMenuItemSeparator), 1);
    factory.SetChosenIndex(-1);
    EXPECT_EQ(surface->ShowPopupMenu(&top, {10, 20, 50, 30}), &factory);
    EXPECT_EQ(factory.ChosenIndex(), 1);
    EXPECT_EQ(hidden.ChosenIndex(), -1);
    EXPECT_EQ(desktop.Services().menuLog.back().items[3].submenu[0].id, 5u);

    desktop.Services().chooseMenuItem = nullptr;  // dismissed
    EXPECT_EQ(surface->ShowPopupMenu(&top, {}), nullptr);
    EXPECT_EQ(desktop.Counts().menus, 0);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(window, &update, FALSE) && update.right == 200) << "the window is redrawn";
}

TEST_F(Services, AChoiceParameterIsChosenFromAPopupAtTheControl)
{
    TestControl* mode = Add({10, 0, 10, 0, 40, 0, 20, 0}, kParamMode);
    mode->baseOnPress = true;
    mode->SetValueEntryDisabled(false);
    Open();
    desktop.Services().chooseMenuItem = [](const MenuRequest& r) { return FindMenuItem(r.items, "Peak"); };
    desktop.Click(MouseButton::Right, SX(20), SY(20));
    const MenuRequest& request = desktop.Services().menuLog.back();
    EXPECT_EQ(request.at.y, SY(30)) << "at the draw area";
    EXPECT_EQ(Texts(request.items), (std::vector<std::string>{"RMS", "EBU", "Peak"}));
    EXPECT_EQ(request.items[1].flags & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(plug->GetParam(kParamMode)->Value(), 2.0);
    EXPECT_EQ(plug->gestures, (std::vector<std::string>{"begin 2", "end 2"}));
}

TEST_F(Services, FileDialogsStartWhereAskedAndAnswerPathAndFolder)
{
    StringBuf file("My Preset");
    StringBuf folder("/presets/user/");
    surface->AskForFile(&file, 0, &folder, "fxp");
    EXPECT_STREQ(file.Get(), "") << "without a window nothing is asked";
    EXPECT_TRUE(desktop.Services().fileLog.empty());
    Open();
    file.Set("My Preset");
    desktop.Services().chooseFile = [](const FileRequest&) { return std::string("/presets/user/Loud.fxp"); };
    surface->AskForFile(&file, 1, &folder, "fxp");
    const FileRequest& save = desktop.Services().fileLog.back();
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.initialFile, "My Preset");
    EXPECT_EQ(save.initialFolder, "/presets/user/");
    EXPECT_EQ(save.filters[0], (std::pair<std::string, std::string>{"*.fxp", "*.fxp"}));
    EXPECT_EQ(save.defaultExtension, "fxp");
    EXPECT_EQ(save.flags, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    EXPECT_STREQ(file.Get(), "/presets/user/Loud.fxp");
    EXPECT_EQ(save.maxPath, 4095u) << "room for the path and its NUL";
    file.Set((std::string(254, 'a') + "\xC3\xA9").c_str());
    surface->AskForFile(&file, 1, &folder, "fxp");
    EXPECT_EQ(desktop.Services().fileLog.back().initialFile, std::string(254, 'a')) << "the e acute does not fit whole";

    desktop.Services().chooseFile = [](const FileRequest&) { return std::string("C:\\Images\\a.jpg"); };
    surface->AskForFile(&file, 0, &folder, " png  jpg ");
    EXPECT_EQ(desktop.Services().fileLog.back().filters[0].second, "*.png;*.jpg");
    EXPECT_EQ(desktop.Services().fileLog.back().flags, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    EXPECT_STREQ(folder.Get(), "C:\\Images\\");
    desktop.Services().chooseFile = nullptr;
    surface->AskForFile(&file, 0, &folder, "fxp");
    EXPECT_STREQ(file.Get(), "") << "cancelled";
}

TEST_F(Services, ColourWebLinkClipboardAndAlerts)
{
    IArgb colour = {128, 10, 20, 30};
    EXPECT_FALSE(surface->AskForColour(&colour, "Panel")) << "without a window";
    Open();
    ScriptedServices& s = desktop.Services();
    s.chooseColour = [](const ColourRequest&) { return RGB(200, 100, 50); };
    EXPECT_TRUE(surface->AskForColour(&colour, "Panel colour"));
    EXPECT_EQ(s.colourLog.back().title, "Panel colour");
    EXPECT_EQ(s.colourLog.back().initial, RGB(10, 20, 30));
    EXPECT_EQ(colour, (IArgb{128, 200, 100, 50})) << "alpha kept";

    EXPECT_FALSE(surface->OpenWebLink("https://example.org", "Help", nullptr, "No connection"));
    EXPECT_EQ(s.messageBoxLog.back().text, "No connection");
    EXPECT_TRUE(s.shellLog.empty());
    s.connected = true;
    EXPECT_TRUE(surface->OpenWebLink("https://example.org", "Help", nullptr, nullptr));
    EXPECT_EQ(s.shellLog.back().verb, "open");

    StringBuf text("old");
    EXPECT_FALSE(surface->ClipboardText(&text));
    EXPECT_STREQ(text.Get(), "");
    desktop.SetClipboardText("-23.5 LUFS \xE2\x80\x94 \xC3\xA9");
    EXPECT_TRUE(surface->ClipboardText(&text));
    EXPECT_STREQ(text.Get(), "-23.5 LUFS \xE2\x80\x94 \xC3\xA9");

    s.askMessageBox = [](const MessageBoxRequest&) { return IDCANCEL; };
    EXPECT_EQ(surface->ShowAlert("Could not save", "Sonvarek", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(s.messageBoxLog.back().owner, host) << "the host's top-level window";
}

TEST_F(Services, FoldersEndWhereTheSystemSaysTheyDo)
{
    StringBuf folder;
    for (const auto& [path, expected] : std::vector<std::pair<std::string, std::string>>{
             {"/opt/plug-ins/Sonvarek.so", "/opt/plug-ins/"}, {"C:\\Plug-Ins\\S.aaxplugin", "C:\\Plug-Ins\\"},
             {"Sonvarek.so", ""}})
    {
        desktop.SetModuleFileName(surface->ModuleInstance(), path);
        surface->ModuleFolder(&folder);
        EXPECT_EQ(folder.Get(), expected);
    }
    surface->SetModuleInstance(nullptr);
    surface->ModuleFolder(&folder);
    EXPECT_STREQ(folder.Get(), "") << "no module: not the host's folder";

    TempFolder temp;
    DataHomeOverride home((temp / "data").c_str(), temp.Path().c_str());
    surface->AppDataFolder(&folder, false);
    EXPECT_EQ(std::string(folder.Get()), temp / "data");
    setenv("XDG_DESKTOP_DIR", (temp / "Desk").c_str(), 1);
    surface->DesktopFolder(&folder);
    unsetenv("XDG_DESKTOP_DIR");
    EXPECT_EQ(std::string(folder.Get()), temp / "Desk");
}

TEST_F(Services, TooltipsAndTheHiddenPointer)
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

    surface->HidePointer();
    surface->HidePointer();
    EXPECT_EQ(desktop.CursorDisplayCount(), -1) << "hidden once";
    SetCursorPos(0, 0);
    surface->RestorePointer();
    POINT at;
    GetCursorPos(&at);
    EXPECT_EQ(at.x, SX(15));
    surface->HidePointer();
    surface->CloseEditorWindow();
    EXPECT_EQ(desktop.CursorDisplayCount(), 0) << "closing shows it again";
    EXPECT_EQ(desktop.Counts().windows, 1) << "the tooltip window went too";
}

TEST_F(Services, ATooltipGoesWithItsControlAndWithTheSwitch)
{
    auto addKnob = [&] { Add({10, 0, 10, 0, 30, 0, 30, 0})->SetTooltip("Gain"); };
    auto shown = [&] {
        return surface->TooltipWindow() && SendMessageA(surface->TooltipWindow(), TTM_GETCURRENTTOOLA, 0, 0);
    };
    auto hover = [&] {
        desktop.MouseMove(SX(300), SY(15));  // off the editor
        desktop.MouseMove(SX(15), SY(15));
        desktop.RunFor(500);
    };
    addKnob();
    surface->SetHoverTracking(true);
    surface->SetTooltipsEnabled(true);
    Open();
    hover();
    ASSERT_TRUE(shown());
    surface->ResetControls();
    EXPECT_FALSE(shown()) << "its control went";

    addKnob();
    hover();
    ASSERT_TRUE(shown());
    const int windows = desktop.Counts().windows;
    surface->SetTooltipsEnabled(false);
    EXPECT_FALSE(shown());
    EXPECT_EQ(desktop.Counts().windows, windows - 1);
    hover();
    EXPECT_FALSE(surface->TooltipShown());
    surface->SetTooltipsEnabled(true);
    hover();
    EXPECT_TRUE(shown()) << "on again while open";
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
    EXPECT_EQ(image->PixelData()[1], 0x80FFFFFFu);
    for (const char* name : {"meter.bmp", "png", static_cast<const char*>(nullptr)})
        EXPECT_EQ(surface->LoadPngResource(7, name), nullptr);
    EXPECT_EQ(surface->LoadPngResource(8, "a.png"), nullptr);
    EXPECT_EQ(surface->LoadPngResource(70000, "a.png"), nullptr);
}

}  // namespace
