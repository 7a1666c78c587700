#include "graphics/editor/IPlugMenu.h"

#include "graphics/editor/MenuEntryText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Texts(const IPlugMenu& menu)
{
    std::string texts;
    for (int32_t i = 0; i < menu.EntryCount(); ++i)
        texts += std::string(i ? "," : "") + menu.EntryAt(i)->Text();
    return texts;
}

TEST(IPlugMenu, InsertPositionsAreLimitedToTheList)
{
    IPlugMenu menu;
    for (const char* text : {"a", "b", "c"})
        menu.InsertTextEntry(text, -1, 0);
    menu.InsertTextEntry("end", 10, 0);
    menu.InsertTextEntry("first", -5, 0);
    menu.InsertTextEntry("mid", 2, kMenuItemGreyed);
    menu.InsertTextEntry(nullptr, 0, 0);
    EXPECT_EQ(Texts(menu), ",first,a,mid,b,c,end");
    EXPECT_EQ(menu.EntryAt(3)->Flags(), kMenuItemGreyed);
    EXPECT_EQ(menu.EntryAt(7), nullptr);
    EXPECT_EQ(menu.EntryAt(-1), nullptr);
    EXPECT_EQ(menu.InsertEntry(nullptr, 0), nullptr);
    EXPECT_EQ(menu.ChosenIndex(), -1);
}

TEST(IPlugMenu, DividersAndMarks)
{
    IPlugMenu menu;
    menu.InsertTextEntry("a", -1, kMenuItemChecked | kMenuItemDisabled);
    const IPlugMenuItem* divider = menu.InsertDivider(-1);
    ASSERT_NE(divider, nullptr);
    EXPECT_EQ(divider->Flags(), kMenuItemSeparator);
    EXPECT_STREQ(divider->Text(), "");
    menu.MarkOnlyEntry(1);
    EXPECT_EQ(menu.EntryAt(0)->Flags(), kMenuItemDisabled) << "other flags untouched";
    EXPECT_EQ(menu.EntryAt(1)->Flags(), kMenuItemSeparator | kMenuItemChecked);
    EXPECT_TRUE(menu.EntryAt(1)->IsSeparator()) << "whatever the other flags";
    menu.MarkOnlyEntry(2);
    EXPECT_EQ(menu.EntryAt(1)->Flags(), kMenuItemSeparator);
    IPlugMenu().MarkOnlyEntry(0);
}

TEST(IPlugMenu, SubmenusThatWouldContainTheirMenuAreRefused)
{
    IPlugMenu top, middle, bottom, shared;
    EXPECT_EQ(top.AppendSubmenu("self", &top), nullptr);
    ASSERT_NE(top.AppendSubmenu("middle", &middle), nullptr);
    ASSERT_NE(middle.AppendSubmenu("bottom", &bottom), nullptr);
    EXPECT_EQ(bottom.AppendSubmenu("top", &top), nullptr);
    EXPECT_EQ(bottom.AppendSubmenu("middle", &middle), nullptr);
    EXPECT_EQ(bottom.InsertEntry(new IPlugMenuItem("top", &top, 0), 0), nullptr) << "refused and deleted";
    EXPECT_EQ(bottom.EntryCount(), 0);
    // The same submenu in two places is no cycle.
    EXPECT_NE(top.AppendSubmenu("shared", &shared), nullptr);
    EXPECT_NE(middle.AppendSubmenu("shared", &shared), nullptr);
}

TEST(MenuEntryText, NumberingModes)
{
    IPlugMenu menu;
    for (int i = 0; i < 12; ++i)
        menu.InsertTextEntry("Preset", -1, 0);
    menu.InsertDivider(1);
    const char* expected[][3] = {{"Preset", "Preset", ""},      {"1: Preset", "13: Preset", ""},
                                 {"01: Preset", "13: Preset", ""}, {"001: Preset", "013: Preset", ""},
                                 {"Preset", "Preset", ""}};
    StringBuf text;
    for (int mode = 0; mode <= 4; ++mode)
    {
        menu.SetNumbering(static_cast<EMenuNumbering>(mode));
        for (int32_t i = 0; i < 3; ++i)
        {
            MenuEntryText(menu, i == 0 ? 0 : i == 1 ? 12 : 1, &text);
            EXPECT_STREQ(text.Get(), expected[mode][i]) << "mode " << mode;
        }
    }
}

}  // namespace
