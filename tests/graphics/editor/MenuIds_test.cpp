#include "graphics/editor/MenuIds.h"

#include <gtest/gtest.h>

namespace {

// top:   a(0)  b(1) -> one   c(2) -> two   ---(3)   d(4) -> two
// one:   x(5)  y(6) -> three
// three: p(7)
// two:   q(8)  r(9), and again q(10)  r(11)
TEST(MenuIds, NumberedItemsFirstThenSubmenusDepthFirst)
{
    IPlugMenu top, one, two, three;
    top.InsertTextEntry("a", -1, 0);
    top.AppendSubmenu("b", &one);
    top.AppendSubmenu("c", &two);
    top.InsertDivider(-1);
    top.AppendSubmenu("d", &two);
    one.InsertTextEntry("x", -1, 0);
    one.AppendSubmenu("y", &three);
    three.InsertTextEntry("p", -1, 0);
    two.InsertTextEntry("q", -1, 0);
    two.InsertTextEntry("r", -1, 0);
    EXPECT_EQ(MenuIdCount(&top), 12);
    EXPECT_EQ(MenuIdCount(nullptr), 0);

    const struct
    {
        int64_t id;
        IPlugMenu* menu;
        int32_t position;
    } expected[] = {{0, &top, 0},   {4, &top, 4},   {5, &one, 0},   {6, &one, 1},      {7, &three, 0},
                    {9, &two, 1},   {10, &two, 0},  {11, &two, 1},  {12, nullptr, -1}, {-1, nullptr, -1}};
    for (const auto& e : expected)
    {
        const MenuIdTarget target = FindMenuId(&top, e.id);
        EXPECT_TRUE(target.menu == e.menu && target.position == e.position) << "id " << e.id;
    }

    // A choice inside a submenu sets that submenu's index only.
    EXPECT_EQ(ChooseMenuId(&top, 7), &three);
    EXPECT_EQ(three.ChosenIndex(), 0);
    EXPECT_EQ(ChooseMenuId(&top, 9), &two);
    EXPECT_EQ(two.ChosenIndex(), 1);
    EXPECT_EQ(ChooseMenuId(&top, 3), nullptr) << "a separator is never chosen";
    EXPECT_EQ(ChooseMenuId(&top, 12), nullptr);
    EXPECT_EQ(ChooseMenuId(nullptr, 0), nullptr);
    EXPECT_EQ(top.ChosenIndex(), -1);
    EXPECT_EQ(one.ChosenIndex(), -1);
}

}  // namespace
