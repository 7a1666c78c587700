// The preset selector on the meter plug-in as it is made, with a data folder
// of its own: the arrows, the menu's every entry, the file dialogs and what
// they leave behind.
#include "framework/core/ProgramFile.h"
#include "graphics/vector/IExtPresetMenu_SVG1.h"
#include "plugin/MeterCommand.h"
#include "plugin/MeterParamIndex.h"
#include "support/ControlRig.h"
#include "support/SonvarekRig.h"
#include "tests/support/CairoStaticData.h"

#include <sys/stat.h>

#include <string>
#include <vector>

namespace {

constexpr int32_t kFactory = Sonvarek::kFactoryPresetCount;

// Every parameter value and preset name, to tell whether anything changed.
struct Snapshot
{
    std::vector<double> values;
    std::vector<std::string> names;
    int32_t current = -1;
    bool operator==(const Snapshot& o) const
    {
        return values == o.values && names == o.names && current == o.current;
    }
};

class PresetMenu : public SonvarekRig
{
protected:
    PresetMenu()
    {
        StringBuf folder;
        plug->GetProductFolder(&folder);
        menu = new IExtPresetMenu_SVG1(plug.get(), Scaled(180, 4, 235, 23), Scaled(208, 4, 179, 23), &label,
                                       Scaled(180, 4, 23, 23), &previous, Scaled(392, 4, 23, 23), &next,
                                       kRescanPresets, kSaveDefaultPreset, kFactory, folder.Get(), "fxp", 20,
                                       plug->DefaultPreset(), 0);
        surface->AppendControl(menu);
        surface->ApplyScaledLayout(616, 352, 1.0, 1.0);
        auto* arrowFrames = new ShapeList;
        arrowFrames->AddShape(0.0, 0.0)->fill.colour = kRed;
        arrowFrames->AddShape(0.0, 0.0)->fill.colour = kGreen;
        previous.AddLayer(arrowFrames);
        label.AddLayer(new ShapeList);
        label.Layer(0)->AddText("", nullptr, 12, 0, 0, 1, 1, 0);
    }

    static ILayoutBox Scaled(int x, int y, int w, int h) { return {x, 3, y, 3, w, 3, h, 3}; }
    void PressLabel() { Click(300, 15); }
    void PressPrevious() { Click(190, 15); }
    void PressNext() { Click(400, 15); }
    // The menu's answer: the item with that text (in any submenu).
    void Choose(const std::string& text)
    {
        desktop.Services().chooseMenuItem = [text](const MenuRequest& r) { return FindMenuItem(r.items, text); };
    }
    void Answer(const std::string& path)
    {
        desktop.Services().chooseFile = [path](const FileRequest&) { return std::optional<std::string>(path); };
    }
    // The menu entry, then the dialog answering path.
    void Run(const std::string& entry, const std::string& path)
    {
        Choose(entry);
        Answer(path);
        PressLabel();
    }

    // A program file of the plug-in holding its current values but "EBU
    // Gain" = ebuGain, under programName; the plug-in's values stay.
    void WriteProgram(const std::string& path, double ebuGain, const char* programName)
    {
        IPlugParam* gain = plug->GetParam(kEBUGain);
        const double before = gain->Value();
        gain->SetValue(ebuGain);
        ASSERT_TRUE(plug->SaveProgramFile(StringBuf(path.c_str()), programName));
        gain->SetValue(before);
    }
    // Three user presets, then the rescan.
    void AddUserPresets()
    {
        WriteProgram(UserFolder() + "a.fxp", 1.5, "A");
        WriteProgram(UserFolder() + "b.fxp", 2.5, "B");
        WriteProgram(UserFolder() + "c.fxp", 3.5, "C");
        plug->HandleParamChange(kRescanPresets);
        plug->commands.clear();
        ASSERT_EQ(plug->NPresets(), kFactory + 3);
    }
    Snapshot Take() const
    {
        Snapshot s;
        for (int32_t i = 0; i < plug->NParams(); ++i)
            s.values.push_back(plug->GetParam(i)->Value());
        for (int32_t i = 0; i < plug->NPresets(); ++i)
            s.names.push_back(plug->PresetName(i));
        s.current = plug->GetCurrentPresetIdx();
        return s;
    }
    ScriptedServices& Services() { return desktop.Services(); }
    double EbuGain() const { return plug->GetParam(kEBUGain)->Value(); }

    ShapeGroup label;
    ShapeGroup previous;
    ShapeGroup next;
    IExtPresetMenu_SVG1* menu = nullptr;
};

// ---- Arrows ---------------------------------------------------------------------

TEST_F(PresetMenu, TheArrowsStepThroughTheFactoryPresetsAndStopAtBothEnds)
{
    ASSERT_EQ(plug->GetCurrentPresetIdx(), 0);
    PressPrevious();
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 0);
    EXPECT_EQ(plug->announced, 0) << "nothing happens before the first preset";
    EXPECT_EQ(plug->sentToHost, 0);

    desktop.ButtonDown(MouseButton::Left, kHostX + 400, kHostY + 15);
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 1);
    EXPECT_TRUE(menu->NextPressed());
    EXPECT_FALSE(surface->IsMouseButtonHeld()) << "the press gave up the button";
    desktop.ButtonUp(MouseButton::Left, kHostX + 400, kHostY + 15);
    EXPECT_FALSE(menu->NextPressed());
    EXPECT_EQ(plug->announced, 1);
    EXPECT_EQ(plug->sentToHost, kMeterParamCount) << "every value goes to the host";

    plug->RecallPreset(kFactory - 1, false);
    PressNext();
    EXPECT_EQ(plug->GetCurrentPresetIdx(), kFactory - 1) << "nothing after the last factory preset";
    PressPrevious();
    EXPECT_EQ(plug->GetCurrentPresetIdx(), kFactory - 2);
    EXPECT_FALSE(menu->IsBusy());
}

TEST_F(PresetMenu, FromAUserPresetBothArrowsLeadToTheLastFactoryPreset)
{
    AddUserPresets();
    for (int arrow = 0; arrow < 2; ++arrow)
    {
        ASSERT_TRUE(plug->RecallPreset(kFactory + 1, false));
        arrow == 0 ? PressPrevious() : PressNext();
        EXPECT_EQ(plug->GetCurrentPresetIdx(), kFactory - 1);
    }
}

TEST_F(PresetMenu, ThePressedArrowShowsItsSecondFrame)
{
    const LICE_SysBitmap* b = surface->BackBuffer();
    auto pixel = [b](int x, int y) { return b->PixelData()[static_cast<size_t>(y) * b->RowPixels() + x]; };
    desktop.RunFor(100);
    EXPECT_EQ(pixel(190, 15), 0xFFFF0000u);
    desktop.RunFor(600);
    plug->RecallPreset(3, false);
    desktop.ButtonDown(MouseButton::Left, kHostX + 190, kHostY + 15);
    desktop.RunFor(100);
    EXPECT_EQ(pixel(190, 15), 0xFF00FF00u);
    desktop.ButtonUp(MouseButton::Left, kHostX + 190, kHostY + 15);
    desktop.RunFor(100);
    EXPECT_EQ(pixel(190, 15), 0xFFFF0000u);
}

// ---- The menu -----------------------------------------------------------------

TEST_F(PresetMenu, TheMenuListsItsEntriesAndTheFactoryPresets)
{
    plug->RecallPreset(2, false);
    PressLabel();
    ASSERT_EQ(Services().menuLog.size(), 1u);
    const MenuRequest& shown = Services().menuLog[0];
    std::vector<std::string> texts;
    for (const MenuItemView& item : shown.items)
        texts.push_back(item.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Load Preset...", "Reset to Default", "", "Save Preset...",
                                               "Save as Default", "", "Factory"}))
        << "no \"User\" submenu with only the factory presets";
    const std::vector<MenuItemView>& factory = shown.items.back().submenu;
    ASSERT_EQ(factory.size(), static_cast<size_t>(kFactory));
    EXPECT_EQ(factory[0].text, plug->PresetName(0));
    EXPECT_EQ(factory[2].flags & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(factory[1].flags & MF_CHECKED, 0u);
    EXPECT_EQ(shown.at.x, kHostX + 208);
    EXPECT_EQ(shown.at.y, kHostY + 27) << "below the label";
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 2) << "dismissed: nothing";
    EXPECT_TRUE(plug->commands.empty());
    EXPECT_EQ(plug->announced, 0);
}

TEST_F(PresetMenu, AFactoryChoiceRecallsThatPreset)
{
    Choose(plug->PresetName(5));
    PressLabel();
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 5);
    EXPECT_EQ(plug->announced, 1);
    EXPECT_EQ(plug->sentToHost, kMeterParamCount);
}

TEST_F(PresetMenu, AUserChoiceIsCopiedIntoSlotZeroWithItsName)
{
    AddUserPresets();
    PressLabel();
    const std::vector<MenuItemView>& user = Services().menuLog.back().items.back().submenu;
    ASSERT_EQ(Services().menuLog.back().items.back().text, "User");
    ASSERT_EQ(user.size(), 3u);
    EXPECT_EQ(user[2].text, "c");

    Choose("c");  // the third user preset, index 19
    PressLabel();
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 0);
    EXPECT_STREQ(plug->PresetName(0), "c");
    EXPECT_NEAR(EbuGain(), 3.5, 1e-4) << "through a float unit value";
    EXPECT_STREQ(plug->PresetName(kFactory + 2), "c") << "the user preset stays where it was";
    EXPECT_EQ(plug->announced, 1);
    desktop.RunFor(100);
    EXPECT_STREQ(menu->LabelText(), "c");
}

TEST_F(PresetMenu, TheLabelShowsTheCurrentNameCutWithDots)
{
    std::snprintf(plug->GetPreset(0)->name, sizeof plug->GetPreset(0)->name, "%s", "A preset name of 25 chars");
    surface->Draw({0, 0, 616, 352});
    EXPECT_STREQ(menu->LabelText(), "A preset name of...");
    EXPECT_STREQ(label.Layer(0)->Get(0)->text.Get(), "A preset name of...");
}

TEST_F(PresetMenu, ItsAreasFollowTheEditorScale)
{
    surface->ApplyScaledLayout(616, 352, 2.0, 2.0);
    EXPECT_EQ(menu->LabelArea(), (IBounds{416, 8, 774, 54}));
    EXPECT_EQ(menu->PreviousArea(), (IBounds{360, 8, 406, 54}));
    EXPECT_EQ(menu->NextArea(), (IBounds{784, 8, 830, 54}));
}

// ---- Load ----------------------------------------------------------------------

TEST_F(PresetMenu, LoadingAFileMakesItSlotZeroUnderItsProgramName)
{
    const std::string path = home / "Warm.fxp";
    WriteProgram(path, -7.5, "Warm program");
    plug->RecallPreset(4, false);
    Run("Load Preset...", path);
    ASSERT_EQ(Services().fileLog.size(), 1u);
    const FileRequest& asked = Services().fileLog[0];
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.initialFolder, UserFolder());
    EXPECT_EQ(asked.initialFile, UserFolder() + ".");
    ASSERT_FALSE(asked.filters.empty());
    EXPECT_EQ(asked.filters[0].second, "*.fxp");

    EXPECT_EQ(plug->GetCurrentPresetIdx(), 0);
    EXPECT_STREQ(plug->PresetName(0), "Warm program");
    EXPECT_NEAR(EbuGain(), -7.5, 1e-4);
    EXPECT_STREQ(menu->FilePath(), path.c_str());
    EXPECT_TRUE(Services().messageBoxLog.empty());
}

TEST_F(PresetMenu, ARefusedFileChangesNothingAndAnAlertSaysWhy)
{
    const std::string good = home / "good.fxp";
    WriteProgram(good, 4.0, "Good");
    std::string otherPlugin = ReadBytes(good);
    otherPlugin[19] ^= 1;  // the plug-in ID
    struct Case
    {
        std::string name, bytes;
        ProgramFileFault fault;
    };
    const std::vector<Case> cases = {
        {"notes.fxp", "these are not the bytes of a program file, but they are long enough to pass for one",
         ProgramFileFault::kNotProgram},
        {"other.fxp", otherPlugin, ProgramFileFault::kOtherPlugin},
        {"cut.fxp", ReadBytes(good).substr(0, 100), ProgramFileFault::kSize},
        {"missing.fxp", "", ProgramFileFault::kUnreadable},
    };
    plug->RecallPreset(3, false);
    plug->GetParam(kEBUGain)->SetValue(9.0);  // unsaved changes of the current preset
    const Snapshot before = Take();
    for (const Case& c : cases)
    {
        const std::string path = home / c.name;
        if (!c.bytes.empty())
            WriteBytes(path, c.bytes);
        Run("Load Preset...", path);
        EXPECT_TRUE(Take() == before) << c.name << " changed the settings or the presets";
        ASSERT_FALSE(Services().messageBoxLog.empty()) << c.name;
        const MessageBoxRequest& alert = Services().messageBoxLog.back();
        EXPECT_EQ(alert.text, "Could not load the preset file \"" + path + "\": " +
                                  ProgramFileFaultText(c.fault) + ".");
        EXPECT_EQ(alert.caption, "Sonvarek");
        EXPECT_EQ(alert.type, MB_OK | MB_ICONERROR);
    }
    EXPECT_EQ(plug->announced, 0);
    EXPECT_TRUE(plug->commands.empty());
}

TEST_F(PresetMenu, ACancelledDialogLoadsAndSavesNothing)
{
    const Snapshot before = Take();
    Choose("Load Preset...");
    PressLabel();
    Choose("Save Preset...");
    PressLabel();
    EXPECT_EQ(Services().fileLog.size(), 2u);
    EXPECT_TRUE(Take() == before);
    EXPECT_TRUE(Services().messageBoxLog.empty());
    EXPECT_TRUE(plug->commands.empty());
    EXPECT_STREQ(menu->FilePath(), "");
}

// ---- Reset, save, save as default ----------------------------------------------

TEST_F(PresetMenu, ResetToDefaultGivesTheCurrentSlotTheDefaultPreset)
{
    plug->RecallPreset(6, false);
    const double defaultGain = plug->GetParam(kEBUGain)->DefaultValue();
    plug->GetParam(kEBUGain)->SetValue(defaultGain + 5.0);
    Choose("Reset to Default");
    PressLabel();
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 6);
    EXPECT_STREQ(plug->PresetName(6), "Factory Default");
    EXPECT_EQ(EbuGain(), defaultGain);
}

TEST_F(PresetMenu, SavingWritesTheFileUnderItsNameAndRescans)
{
    plug->GetParam(kEBUGain)->SetValue(2.0);
    const std::string path = UserFolder() + "Live Mix.b.fxp";
    Run("Save Preset...", path);
    ASSERT_EQ(Services().fileLog.size(), 1u);
    EXPECT_TRUE(Services().fileLog[0].save);
    EXPECT_EQ(Services().fileLog[0].initialFile, UserFolder() + plug->PresetName(0));
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 172u);
    EXPECT_EQ(bytes.substr(28, 11), std::string("Live Mix.b\0", 11)) << "the program name";
    EXPECT_EQ(plug->commands, (std::vector<int32_t>{kRescanPresets}));
    ASSERT_EQ(plug->NPresets(), kFactory + 1) << "the rescan found it";
    EXPECT_STREQ(plug->PresetName(kFactory), "Live Mix.b");
    EXPECT_TRUE(Services().messageBoxLog.empty());

    // Without a dot the whole file name is the program name.
    Run("Save Preset...", home / "plain");
    EXPECT_EQ(ReadBytes(home / "plain").substr(28, 6), std::string("plain\0", 6));
}

TEST_F(PresetMenu, AFailedSaveShowsAnAlertAndSendsNoRescan)
{
    mkdir((home / "taken.fxp").c_str(), 0755);
    struct Case
    {
        std::string path, reason;
    };
    for (const Case& c : {Case{home / "no such folder/x.fxp", "No such file or directory"},
                          Case{home / "taken.fxp", "Is a directory"}, Case{home / ".fxp", "it has no name before its extension"}})
    {
        Run("Save Preset...", c.path);
        ASSERT_FALSE(Services().messageBoxLog.empty()) << c.path;
        EXPECT_EQ(Services().messageBoxLog.back().text,
                  "Could not save the preset file \"" + c.path + "\": " + c.reason + ".");
    }
    EXPECT_TRUE(plug->commands.empty());
    struct stat st;
    EXPECT_EQ(stat((home / "taken.fxp").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode)) << "what stood there is left alone";
    EXPECT_EQ(stat((home / ".fxp").c_str(), &st), -1);
}

TEST_F(PresetMenu, SaveAsDefaultSendsItsCommandWithoutAHeldButton)
{
    plug->GetParam(kEBUGain)->SetValue(-3.0);
    Choose("Save as Default");
    PressLabel();
    EXPECT_EQ(plug->commands, (std::vector<int32_t>{kSaveDefaultPreset}));
    EXPECT_EQ(plug->heldAtCommand, (std::vector<bool>{false}));
    EXPECT_EQ(ReadBytes(DefaultFxp()).size(), 172u);
}

TEST_F(PresetMenu, WithoutASaveDefaultCommandTheEntryIsGone)
{
    StringBuf folder;
    plug->GetProductFolder(&folder);
    surface->ResetControls();
    surface->AppendControl(new IExtPresetMenu_SVG1(plug.get(), Scaled(180, 4, 235, 23), Scaled(208, 4, 179, 23),
                                                   nullptr, Scaled(0, 0, 0, 0), nullptr, Scaled(392, 4, 23, 23),
                                                   nullptr, -1, -1, kFactory, folder.Get(), "fxp", 20, nullptr, 0));
    surface->ApplyScaledLayout(616, 352, 1.0, 1.0);
    Run("Save Preset...", UserFolder() + "x.fxp");
    EXPECT_EQ(Services().menuLog.back().items[4].text, "") << "the separator follows \"Save Preset...\"";
    EXPECT_TRUE(plug->commands.empty()) << "no rescan without its command";
    EXPECT_EQ(ReadBytes(UserFolder() + "x.fxp").size(), 172u);
    // No default record: "Reset to Default" leaves the settings.
    const Snapshot before = Take();
    Choose("Reset to Default");
    PressLabel();
    EXPECT_TRUE(Take() == before);
    // An empty previous area is never hit.
    plug->RecallPreset(3, false);
    Click(0, 0);
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 3);
}

}  // namespace
