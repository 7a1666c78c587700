// The preset selector on the meter plug-in as it is made, with a data folder
// of its own: the arrows and the menu's every entry with scripted dialogs.
#include "framework/core/ProgramFile.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "graphics/vector/IExtPresetMenu_SVG1.h"
#include "platform/PathForMessage.h"
#include "plugin/MeterCommand.h"
#include "plugin/MeterParamIndex.h"
#include "plugin/Sonvarek.h"
#include "support/ControlRig.h"
#include "tests/support/CairoStaticData.h"
#include "tests/support/TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <tuple>

namespace {

constexpr int32_t kFactory = Sonvarek::kFactoryPresetCount;

class WatchedSonvarek final : public Sonvarek
{
public:
    void HandleParamChange(int32_t idx) override
    {
        if (idx >= kMeterParamCount)
        {
            commands.push_back(idx);
            heldAtCommand.push_back(GetEditor()->IsMouseButtonHeld());
        }
        Sonvarek::HandleParamChange(idx);
    }
    void SendParamToHost(int32_t, double) override { ++sentToHost; }
    void AnnounceProgramLoaded() override { ++announced; }

    std::vector<int32_t> commands;
    std::vector<bool> heldAtCommand;
    int sentToHost = 0;
    int announced = 0;
};

class OnTheMeter : public ::testing::Test
{
protected:
    static constexpr int kHostX = 20;
    static constexpr int kHostY = 20;

    OnTheMeter() : desktop(TheDesktop()), env(data.Path().c_str(), home.Path().c_str()), plug(new WatchedSonvarek)
    {
        desktop.Services() = ScriptedServices();
        host = desktop.CreateHostWindow(kHostX, kHostY, 700, 400);
        surface = new IGraphicsWin(plug.get(), 616, 352, 30);
        surface->SetModuleInstance(reinterpret_cast<HINSTANCE>(&desktop));
        plug->AttachEditor(surface);
        surface->OpenEditorWindow(host);
        auto* frames = new ShapeList;
        frames->AddShape(0.0, 0.0)->fill.colour = kRed;
        frames->AddShape(0.0, 0.0)->fill.colour = kGreen;
        previous.AddLayer(frames);
        label.AddLayer(new ShapeList);
        label.Layer(0)->AddText("", nullptr, 12, 0, 0, 1, 1, 0);
        menu = AddMenu(kSaveDefaultPreset, plug->DefaultPreset());
    }
    ~OnTheMeter() override
    {
        surface->CloseEditorWindow();
        plug.reset();
        DestroyWindow(host);
    }

    static ILayoutBox Scaled(int x, int y, int w, int h) { return {x, 3, y, 3, w, 3, h, 3}; }
    // As the editor builds it: label, previous and next areas, commands 41
    // and saveDefault, 17 factory presets, the product folder, "fxp", 20.
    IExtPresetMenu_SVG1* AddMenu(int32_t saveDefault, IPlugPreset* defaultPreset)
    {
        StringBuf folder;
        plug->GetProductFolder(&folder);
        auto* control = new IExtPresetMenu_SVG1(plug.get(), Scaled(180, 4, 235, 23), Scaled(208, 4, 179, 23), &label,
                                                Scaled(180, 4, 23, 23), &previous, Scaled(392, 4, 23, 23), nullptr,
                                                kRescanPresets, saveDefault, kFactory, folder.Get(), "fxp", 20,
                                                defaultPreset, 0);
        surface->AppendControl(control);
        surface->ApplyScaledLayout(616, 352, 1.0, 1.0);
        return control;
    }
    std::string UserFolder() const { return data.Path() + "Sonvarek/"; }

    void Click(int x, int y)
    {
        desktop.RunFor(kApartMs);
        desktop.Click(MouseButton::Left, kHostX + x, kHostY + y);
    }
    void PressPrevious() { Click(190, 15); }
    void PressNext() { Click(400, 15); }
    // The menu answers entry (in any submenu), the dialog path ("": cancelled).
    void Run(const std::string& entry, const std::string& path = "")
    {
        desktop.Services().chooseMenuItem = [entry](const MenuRequest& r) { return FindMenuItem(r.items, entry); };
        desktop.Services().chooseFile = [this, path](const FileRequest&) {
            alertsAtDialog = Alerts().size();
            return path.empty() ? std::nullopt : std::optional<std::string>(path);
        };
        Click(300, 15);
    }
    // A program file of the current values but "EBU Gain"; the values stay.
    void WriteProgram(const std::string& path, double ebuGain, const char* name)
    {
        const double before = EbuGain();
        plug->GetParam(kEBUGain)->SetValue(ebuGain);
        ASSERT_TRUE(plug->SaveProgramFile(StringBuf(path.c_str()), name));
        plug->GetParam(kEBUGain)->SetValue(before);
    }
    // Three user presets a, b, c ("EBU Gain" 1.5, 2.5, 3.5) after a rescan.
    void AddUserPresets()
    {
        for (int i = 0; i < 3; ++i)
            WriteProgram(UserFolder() + char('a' + i) + ".fxp", 1.5 + i, "user");
        plug->HandleParamChange(kRescanPresets);
        plug->commands.clear();
        ASSERT_EQ(plug->NPresets(), kFactory + 3);
    }
    // Every value, the preset names and the current preset.
    std::string Everything() const
    {
        std::string s = std::to_string(plug->GetCurrentPresetIdx());
        for (int32_t i = 0; i < plug->NParams(); ++i)
            s += " " + std::to_string(plug->GetParam(i)->Value());
        for (int32_t i = 0; i < plug->NPresets(); ++i)
            s += std::string(" ") + plug->PresetName(i);
        return s;
    }
    double EbuGain() const { return plug->GetParam(kEBUGain)->Value(); }
    static const char* GroupTextOf(const ShapeGroup& group) { return group.Layer(0)->Get(0)->text.Get(); }
    const std::vector<MessageBoxRequest>& Alerts() { return desktop.Services().messageBoxLog; }

    Desktop& desktop;
    TempFolder data;
    TempFolder home;
    DataHomeOverride env;
    std::unique_ptr<WatchedSonvarek> plug;
    HWND host = nullptr;
    IGraphicsWin* surface = nullptr;
    ShapeGroup label;
    ShapeGroup previous;
    IExtPresetMenu_SVG1* menu = nullptr;
    size_t alertsAtDialog = 0;  // when the last file dialog opened
};

TEST_F(OnTheMeter, TheArrowsStayWithinTheFactoryPresets)
{
    PressPrevious();
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 0);
    EXPECT_EQ(plug->announced + plug->sentToHost, 0) << "nothing before the first";

    desktop.ButtonDown(MouseButton::Left, kHostX + 400, kHostY + 15);
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 1);
    EXPECT_TRUE(menu->NextPressed());
    EXPECT_FALSE(surface->IsMouseButtonHeld()) << "the press gave up the button";
    desktop.ButtonUp(MouseButton::Left, kHostX + 400, kHostY + 15);
    EXPECT_FALSE(menu->NextPressed());
    EXPECT_EQ(plug->announced, 1);
    EXPECT_EQ(plug->sentToHost, kMeterParamCount);

    plug->RecallPreset(kFactory - 1, false);
    PressNext();
    EXPECT_EQ(plug->GetCurrentPresetIdx(), kFactory - 1) << "nothing after the last";

    AddUserPresets();
    for (bool next : {false, true})
    {
        plug->RecallPreset(kFactory + 1, false);
        next ? PressNext() : PressPrevious();
        EXPECT_EQ(plug->GetCurrentPresetIdx(), kFactory - 1) << "from a user preset";
    }
}

TEST_F(OnTheMeter, ThePressedArrowAndTheLabelAreDrawn)
{
    std::snprintf(plug->GetPreset(3)->name, kPresetNameMax, "%s", "A preset name of 25 chars");
    plug->RecallPreset(3, false);
    surface->Draw({0, 0, 616, 352});
    EXPECT_STREQ(menu->LabelText(), "A preset name of...");
    EXPECT_STREQ(GroupTextOf(label), "A preset name of...");
    desktop.RunFor(kApartMs);
    desktop.ButtonDown(MouseButton::Left, kHostX + 190, kHostY + 15);
    desktop.RunFor(100);
    const LICE_SysBitmap* b = surface->BackBuffer();
    EXPECT_EQ(b->PixelData()[15 * b->RowPixels() + 190], 0xFF00FF00u) << "frame 1 while pressed";
    EXPECT_STREQ(menu->LabelText(), plug->PresetName(2));
    desktop.ButtonUp(MouseButton::Left, kHostX + 190, kHostY + 15);
    surface->ApplyScaledLayout(616, 352, 2.0, 2.0);
    EXPECT_EQ(menu->LabelArea(), (IBounds{416, 8, 774, 54}));
}

TEST_F(OnTheMeter, TheMenuListsItsEntriesAndRecallsTheChosenPreset)
{
    plug->RecallPreset(2, false);
    Run(plug->PresetName(5));
    const MenuRequest& shown = desktop.Services().menuLog[0];
    std::string texts;
    for (const MenuItemView& item : shown.items)
        texts += item.text + "|";
    EXPECT_EQ(texts, "Load Preset...|Reset to Default||Save Preset...|Save as Default||Factory|") << "no User";
    ASSERT_EQ(shown.items.back().submenu.size(), static_cast<size_t>(kFactory));
    EXPECT_EQ(shown.items.back().submenu[2].flags & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(shown.at.x, kHostX + 208);
    EXPECT_EQ(shown.at.y, kHostY + 27);
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 5);
    EXPECT_EQ(plug->announced, 1);
    EXPECT_EQ(plug->sentToHost, kMeterParamCount);

    AddUserPresets();
    Run("c");  // the third user preset, 19
    EXPECT_EQ(desktop.Services().menuLog.back().items.back().text, "User");
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 0);
    EXPECT_STREQ(plug->PresetName(0), "c");
    EXPECT_NEAR(EbuGain(), 3.5, 1e-4);
    EXPECT_STREQ(plug->PresetName(kFactory + 2), "c");

    const std::string before = Everything();
    Run("no such entry");
    EXPECT_EQ(Everything(), before) << "dismissed";
}

TEST_F(OnTheMeter, LoadTakesAGoodFileIntoSlotZero)
{
    WriteProgram(home / "Warm.fxp", -7.5, "Warm program");
    plug->RecallPreset(4, false);
    Run("Load Preset...", home / "Warm.fxp");
    const FileRequest& asked = desktop.Services().fileLog[0];
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.initialFolder, UserFolder());
    EXPECT_EQ(asked.initialFile, UserFolder() + ".");
    EXPECT_EQ(asked.filters.at(0).second, "*.fxp");
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 0);
    EXPECT_STREQ(plug->PresetName(0), "Warm program");
    EXPECT_NEAR(EbuGain(), -7.5, 1e-4);
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(OnTheMeter, ARefusedOrCancelledLoadChangesNothing)
{
    WriteProgram(home / "good.fxp", 4.0, "Good");
    std::string other = ReadBytes(home / "good.fxp");
    other[19] ^= 1;  // the plug-in ID
    WriteBytes(home / "other.fxp", other);
    WriteBytes(home / "cut.fxp", ReadBytes(home / "good.fxp").substr(0, 100));
    WriteBytes(home / "notes.fxp", std::string(200, 'x'));
    plug->RecallPreset(3, false);
    plug->GetParam(kEBUGain)->SetValue(9.0);  // not saved in the preset
    const std::string before = Everything();
    std::string deep;  // some 3,800 bytes of folders
    for (int i = 0; i < 15; ++i)
        mkdir((home / (deep += std::string(250, 'd') + "/")).c_str(), 0755);
    WriteBytes(home / deep + "notes.fxp", std::string(200, 'x'));
    const std::pair<std::string, ProgramFileFault> cases[] = {{"notes.fxp", ProgramFileFault::kNotProgram},
                                                              {"other.fxp", ProgramFileFault::kOtherPlugin},
                                                              {"cut.fxp", ProgramFileFault::kSize},
                                                              {"missing.fxp", ProgramFileFault::kUnreadable},
                                                              {deep + "notes.fxp", ProgramFileFault::kNotProgram}};
    for (const auto& [name, fault] : cases)
    {
        Run("Load Preset...", home / name);
        EXPECT_EQ(Everything(), before) << name;
        ASSERT_FALSE(Alerts().empty());
        EXPECT_EQ(Alerts().back().text, "Could not load the preset file \"" + PathForMessage(home / name) + "\": " +
                                            ProgramFileFaultText(fault) + ".");
        EXPECT_EQ(Alerts().back().caption, "Sonvarek");
    }
    Run("Load Preset...");
    Run("Save Preset...");
    EXPECT_EQ(Everything(), before) << "cancelled";
    EXPECT_EQ(Alerts().size(), 5u);
    EXPECT_EQ(plug->announced, 0);
    EXPECT_TRUE(plug->commands.empty());
}

TEST_F(OnTheMeter, ResetToDefaultGivesTheCurrentSlotTheDefaultPreset)
{
    plug->RecallPreset(6, false);
    const double defaultGain = plug->GetParam(kEBUGain)->DefaultValue();
    plug->GetParam(kEBUGain)->SetValue(defaultGain + 5.0);
    Run("Reset to Default");
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 6);
    EXPECT_STREQ(plug->PresetName(6), "Factory Default");
    EXPECT_EQ(EbuGain(), defaultGain);
}

TEST_F(OnTheMeter, SaveWritesTheFileUnderItsNameAndRescans)
{
    Run("Save Preset...", UserFolder() + "Live Mix.b.fxp");
    EXPECT_TRUE(desktop.Services().fileLog[0].save);
    EXPECT_EQ(desktop.Services().fileLog[0].initialFile, UserFolder() + plug->PresetName(0));
    EXPECT_EQ(ReadBytes(UserFolder() + "Live Mix.b.fxp").substr(28, 11), std::string("Live Mix.b\0", 11));
    EXPECT_EQ(plug->commands, (std::vector<int32_t>{kRescanPresets}));
    ASSERT_EQ(plug->NPresets(), kFactory + 1) << "the rescan found it";
    Run("Save Preset...", home / "plain");
    EXPECT_EQ(ReadBytes(home / "plain").substr(28, 6), std::string("plain\0", 6));

    // A name holding a path separator is proposed as one file name.
    int32_t atsc = 0;
    while (atsc < kFactory && std::string(plug->PresetName(atsc)) != "LKFS ATSC A/85")
        ++atsc;
    plug->RecallPreset(atsc, false);
    Run("Save Preset...");
    EXPECT_EQ(desktop.Services().fileLog.back().initialFile, UserFolder() + "LKFS ATSC A-85");

    Run("Save as Default");
    EXPECT_EQ(plug->commands.back(), kSaveDefaultPreset);
    EXPECT_FALSE(plug->heldAtCommand.back());
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(OnTheMeter, AFailedSaveShowsAnAlertAndSendsNoRescan)
{
    mkdir((home / "taken.fxp").c_str(), 0755);
    for (const auto& [path, reason] :
         {std::pair<std::string, std::string>{home / "no folder/x.fxp", "No such file or directory"},
          {home / "taken.fxp", "Is a directory"},
          {home / ".fxp", "it has no name before its extension"}})
    {
        Run("Save Preset...", path);
        ASSERT_FALSE(Alerts().empty());
        EXPECT_EQ(Alerts().back().text, "Could not save the preset file \"" + path + "\": " + reason + ".");
    }
    EXPECT_TRUE(plug->commands.empty());
    struct stat st;
    EXPECT_TRUE(stat((home / "taken.fxp").c_str(), &st) == 0 && S_ISDIR(st.st_mode)) << "left as it was";

    // Data folders gone are made again; one that cannot be made is named,
    // before the save dialog too, which opens in the nearest folder that
    // exists and can save there; Save as Default says what it did not do.
    const std::string product = UserFolder().substr(0, UserFolder().size() - 1);
    const std::string above = data.Path().substr(0, data.Path().size() - 1);
    std::filesystem::remove_all(product);
    Run("Load Preset...");  // opens where a save would, quietly
    EXPECT_EQ(desktop.Services().fileLog.back().initialFolder, data.Path()) << "never made";
    Run("Save as Default");
    Run("Save Preset...", UserFolder() + "x.fxp");
    EXPECT_EQ(Alerts().size(), 3u) << "both saved";
    const auto file = [](const std::string& path) { return "the file \"" + path + "\" stands in its "; };
    const std::string loop = "Too many levels of symbolic links", link = "the link \"" + product + "\" leads nowhere";
    for (const auto& [linkTo, blocked, reason, defaultReason] :
         {std::tuple<std::string, std::string, std::string, std::string>{"", product, file(product) + "place",
                                                                          file(product) + "way"},
          {"Sonvarek", product, loop, "the folder \"" + product + "\" above it could not be made: " + loop},
          {"nowhere", product, link, link}, {"", above, file(above) + "way", file(above) + "way"}})
    {
        std::filesystem::remove_all(blocked);
        linkTo.empty() ? WriteBytes(blocked, "a file") : std::filesystem::create_symlink(linkTo, blocked);
        const size_t before = Alerts().size();
        const std::string nearest = blocked.substr(0, blocked.rfind('/') + 1);
        const std::string elsewhere = home / (std::to_string(before) + ".fxp");
        Run("Load Preset...");
        EXPECT_EQ(desktop.Services().fileLog.back().initialFolder, nearest);
        Run("Save as Default");
        Run("Save Preset...", UserFolder() + "x.fxp");
        Run("Save Preset...", elsewhere);
        ASSERT_EQ(Alerts().size(), before + 4);
        const std::string alert = "Could not make the preset folder \"" + product + "\": " + reason + ".";
        EXPECT_EQ(Alerts()[before].text, "Could not make the preset folder \"" + product + "/AAX\": " + defaultReason +
                                             ".\nThe default preset was not saved.");
        for (size_t i = before + 1; i < Alerts().size(); ++i)
            EXPECT_EQ(Alerts()[i].text, alert);
        EXPECT_EQ(alertsAtDialog, before + 4) << "named before the dialog";
        const FileRequest& asked = desktop.Services().fileLog.back();
        EXPECT_EQ(asked.initialFolder, nearest);
        EXPECT_EQ(asked.initialFile, nearest + plug->PresetName(plug->GetCurrentPresetIdx()));
        EXPECT_FALSE(ReadBytes(elsewhere).empty()) << "saved elsewhere";
    }
    std::filesystem::remove(above) && std::filesystem::create_directory(above);  // for the fixture to remove
}

TEST_F(OnTheMeter, WithoutItsCommandsOrDefaultTheMenuDoesLess)
{
    surface->ResetControls();
    menu = AddMenu(-1, nullptr);
    const std::string before = Everything();
    Run("Reset to Default");
    EXPECT_EQ(Everything(), before);
    EXPECT_EQ(desktop.Services().menuLog.back().items[4].text, "") << "no \"Save as Default\"";
}

}  // namespace
