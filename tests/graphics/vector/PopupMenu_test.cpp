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
        return Add(new IMyPopupMenu_SVG1(plug.get(), {x, 0, 20, 0, 60, 0, 20, 0}, param, group));
    }
    void Choose(const std::string& text)
    {
        desktop.Services().chooseMenuItem = [text](const MenuRequest& r) { return FindMenuItem(r.items, text); };
    }
};

TEST_F(Popup, OffersTheTextsAtItsFieldAndSetsAndPushesTheChoice)
{
    IMyPopupMenu_SVG1* popup = Menu(kParamMode, TextGroup());
    Choose("Peak");
    Click(30, 30);
    ASSERT_EQ(desktop.Services().menuLog.size(), 1u);
    const MenuRequest& shown = desktop.Services().menuLog[0];
    ASSERT_EQ(shown.items.size(), 3u);
    EXPECT_EQ(shown.items[0].text + shown.items[1].text + shown.items[2].text, "RMSEBUPeak");
    EXPECT_EQ(shown.items[1].flags & MF_CHECKED, MF_CHECKED) << "the value, EBU";
    EXPECT_EQ(shown.at.x, SX(20));
    EXPECT_EQ(shown.at.y, SY(40)) << "below the field";
    EXPECT_EQ(popup->CurrentValue(), 1.0);
    EXPECT_EQ(plug->GetParam(kParamMode)->Value(), 2.0);
    EXPECT_EQ(popup->Menu().EntryAt(2)->Flags() & kMenuItemChecked, kMenuItemChecked);

    // Dismissed: nothing changes and nothing is pushed.
    desktop.Services().chooseMenuItem = nullptr;
    plug->sent.clear();
    Tick();
    Click(30, 30);
    EXPECT_EQ(desktop.Services().menuLog.back().items[2].flags & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(popup->CurrentValue(), 1.0);
    EXPECT_TRUE(plug->sent.empty());
    EXPECT_EQ(plug->changes.size(), 1u);
    EXPECT_FALSE(popup->IsChanged());
}

TEST_F(Popup, TheOnlyChoiceOfASingleTextGivesZero)
{
    IMyPopupMenu_SVG1* popup = Menu(kParamSolo, TextGroup());
    popup->AcceptPlugValue(0.7);
    Choose("Only one choice to make");
    Click(30, 30);
    EXPECT_EQ(popup->CurrentValue(), 0.0);
    EXPECT_EQ(plug->sent, (std::vector<double>{0.0}));
}

TEST_F(Popup, WithoutAParameterOrTextsThereIsNoMenu)
{
    Menu(-1, TextGroup());
    Menu(kParamCount, TextGroup(), 100);
    Click(30, 30);
    Click(110, 30);
    EXPECT_TRUE(desktop.Services().menuLog.empty());
    EXPECT_TRUE(plug->sent.empty());
}

TEST_F(Popup, ShowsItsTextCutToTwentyBytes)
{
    ShapeGroup* shared = TextGroup();
    Menu(kParamSolo, shared);
    Redraw();
    EXPECT_STREQ(GroupText(shared), "Only one choice to m");
    EXPECT_GT(Inked({20, 20, 80, 40}), 0);
}

}  // namespace
