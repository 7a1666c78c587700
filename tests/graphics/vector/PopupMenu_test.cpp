// The choice popup: its menu, a choice, a dismissal and what it shows.
#include "graphics/vector/IMyPopupMenu_SVG1.h"
#include "support/ControlRig.h"
#include "tests/support/CairoStaticData.h"

#include <string>

namespace {

class Popup : public ControlRig
{
protected:
    IMyPopupMenu_SVG1* Menu(int32_t param, ShapeGroup* group, int x = 20)
    {
        auto* popup = Add(new IMyPopupMenu_SVG1(plug.get(), {x, 0, 20, 0, 60, 0, 20, 0}, param, group));
        plug->RefreshParamControls();
        return popup;
    }
    void Choose(const char* text)
    {
        const std::string wanted = text;
        desktop.Services().chooseMenuItem = [wanted](const MenuRequest& r) { return FindMenuItem(r.items, wanted); };
    }
    const MenuRequest& LastMenu() { return desktop.Services().menuLog.back(); }
};

TEST_F(Popup, OffersTheDisplayTextsWithTheCurrentOneCheckedAtItsField)
{
    IMyPopupMenu_SVG1* popup = Menu(kMode, TextGroup());
    Click(30, 30);
    ASSERT_EQ(desktop.Services().menuLog.size(), 1u);
    const MenuRequest& shown = LastMenu();
    ASSERT_EQ(shown.items.size(), 3u);
    EXPECT_EQ(shown.items[0].text, "RMS");
    EXPECT_EQ(shown.items[1].text, "EBU");
    EXPECT_EQ(shown.items[2].text, "Peak");
    EXPECT_EQ(shown.items[1].flags & MF_CHECKED, MF_CHECKED) << "the current value, EBU";
    EXPECT_EQ(shown.items[0].flags & MF_CHECKED, 0u);
    EXPECT_EQ(shown.at.x, SX(20));
    EXPECT_EQ(shown.at.y, SY(40)) << "below the field";
    EXPECT_EQ(popup->Menu().EntryCount(), 3);
}

TEST_F(Popup, AChoiceSetsAndPushesItsValue)
{
    IMyPopupMenu_SVG1* popup = Menu(kMode, TextGroup());
    Choose("Peak");
    Click(30, 30);
    EXPECT_EQ(popup->CurrentValue(), 1.0);
    EXPECT_EQ(plug->GetParam(kMode)->Value(), 2.0);
    EXPECT_EQ(plug->changes, (std::vector<int32_t>{kMode}));
    EXPECT_EQ(popup->Menu().EntryAt(2)->Flags() & kMenuItemChecked, kMenuItemChecked);
    EXPECT_EQ(popup->Menu().EntryAt(1)->Flags() & kMenuItemChecked, 0);

    // The next menu checks what the plug-in holds now, whoever set it.
    surface->PushParamToControls(kMode, 0.0, false);
    plug->GetParam(kMode)->SetValue(0.0);
    Choose("EBU");
    Click(30, 30);
    EXPECT_EQ(LastMenu().items[0].flags & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(popup->CurrentValue(), 0.5);
}

TEST_F(Popup, ADismissedMenuChangesAndPushesNothing)
{
    IMyPopupMenu_SVG1* popup = Menu(kMode, TextGroup());
    Tick();
    Click(30, 30);  // the script dismisses it
    EXPECT_EQ(desktop.Services().menuLog.size(), 1u);
    EXPECT_EQ(popup->CurrentValue(), 0.5);
    EXPECT_TRUE(plug->sent.empty());
    EXPECT_TRUE(plug->changes.empty());
    EXPECT_FALSE(popup->IsChanged());
}

TEST_F(Popup, TheOnlyChoiceOfASingleTextGivesZero)
{
    IMyPopupMenu_SVG1* popup = Menu(kSolo, TextGroup());
    popup->AcceptPlugValue(0.7);
    Choose("Only one choice to make");
    Click(30, 30);
    EXPECT_EQ(popup->CurrentValue(), 0.0);
    ASSERT_EQ(plug->sent.size(), 1u);
    EXPECT_EQ(plug->sent[0].unit, 0.0);
}

TEST_F(Popup, WithoutAParameterOrTextsThereIsNoMenu)
{
    Menu(-1, TextGroup());
    Menu(kCount, TextGroup(), 100);  // a number without display texts
    Click(30, 30);
    Click(110, 30);
    EXPECT_TRUE(desktop.Services().menuLog.empty());
    EXPECT_TRUE(plug->sent.empty());
}

TEST_F(Popup, ShowsTheCurrentTextCutToTwentyBytesAndNoOtherFieldsText)
{
    ShapeGroup* shared = TextGroup();
    Menu(kSolo, shared);
    Redraw();
    EXPECT_STREQ(shared->Layer(1)->Get(0)->text.Get(), "Only one choice to m");
    EXPECT_GT(Inked({20, 20, 80, 40}), 0);

    Menu(kCount, shared, 100);  // its value has no display text
    Redraw();
    EXPECT_EQ(Inked({100, 20, 160, 40}), 0);
    EXPECT_STREQ(shared->Layer(1)->Get(0)->text.Get(), "");
}

}  // namespace
