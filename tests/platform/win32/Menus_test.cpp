// Popup menus: building, the driver's choice, and destruction.

#include "support/RecordingWindow.h"

#include <gtest/gtest.h>

namespace {

struct MenusTest : ::testing::Test
{
    Desktop desktop;
    RecordingWindows windows;
    HWND owner = windows.Create(0, 0, 100, 100);
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();

    MenusTest()
    {
        AppendMenuA(menu, MF_STRING, 0, "01: Load Preset...");
        AppendMenuA(menu, MF_STRING | MF_GRAYED, 1, "Greyed");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(sub, MF_STRING | MF_CHECKED, 3, "Factory A");
        AppendMenuA(sub, MF_STRING | MF_DISABLED, 4, "Factory B");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Factory");
        desktop.Pump();
        windows.log.clear();
    }
    std::optional<MSG> TakeCommand()
    {
        MSG msg;
        if (PeekMessageA(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            return msg;
        return std::nullopt;
    }
};

TEST_F(MenusTest, TheDriverSeesTheWholeTreeAndItsChoicePostsTheId)
{
    desktop.Services().chooseMenuItem = [](const MenuRequest& r) { return FindMenuItem(r.items, "Factory A"); };
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 30, 40, 0, owner, nullptr));
    const ScriptedServices& s = desktop.Services();
    ASSERT_EQ(s.menuLog.size(), 1u);
    const MenuRequest& request = s.menuLog[0];
    EXPECT_EQ(request.owner, owner);
    EXPECT_EQ(request.at.x, 30);
    ASSERT_EQ(request.items.size(), 4u);
    EXPECT_EQ(request.items[0].text, "01: Load Preset...");
    EXPECT_EQ(request.items[2].flags, MF_SEPARATOR);
    ASSERT_EQ(request.items[3].submenu.size(), 2u);
    EXPECT_EQ(request.items[3].submenu[0].flags, MF_STRING | MF_CHECKED);
    const auto command = TakeCommand();
    ASSERT_TRUE(command);
    EXPECT_EQ(command->wParam, MAKEWPARAM(3, 0));
    EXPECT_EQ(command->lParam, 0);
}

TEST_F(MenusTest, ItemZeroCanBeChosenButGreyedDisabledAndSeparatorsCannot)
{
    desktop.Services().chooseMenuItem = [](const MenuRequest&) -> std::optional<UINT_PTR> { return 0; };
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 0, 0, 0, owner, nullptr));
    ASSERT_TRUE(TakeCommand());
    for (UINT_PTR id : {1, 4, 77})
    {
        desktop.Services().chooseMenuItem = [id](const MenuRequest&) -> std::optional<UINT_PTR> { return id; };
        EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, owner, nullptr)) << id;
        EXPECT_FALSE(TakeCommand());
    }
    desktop.Services().chooseMenuItem = nullptr;
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, owner, nullptr)) << "dismissed";
    EXPECT_FALSE(TakeCommand());
    desktop.Services().chooseMenuItem = [](const MenuRequest&) -> std::optional<UINT_PTR> { return 3; };
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 3);
    EXPECT_FALSE(TakeCommand());
}

TEST_F(MenusTest, DestroyingTheTopMenuDestroysItsSubmenus)
{
    EXPECT_EQ(desktop.Counts().menus, 2);
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_EQ(desktop.Counts().menus, 0);
    EXPECT_FALSE(DestroyMenu(sub));
    EXPECT_FALSE(AppendMenuA(sub, MF_STRING, 1, "x"));
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, owner, nullptr));
}

TEST_F(MenusTest, ASubmenuBelongsToOneMenuAndNoMenuHoldsItself)
{
    const HMENU other = CreatePopupMenu();
    EXPECT_FALSE(AppendMenuA(other, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "again"));
    EXPECT_FALSE(AppendMenuA(sub, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "loop"));
    EXPECT_FALSE(AppendMenuA(other, MF_POPUP, reinterpret_cast<UINT_PTR>(other), "self"));
    EXPECT_FALSE(AppendMenuA(other, 0x4000, 1, "bitmap"));
    // A submenu destroyed on its own leaves an empty popup item behind.
    EXPECT_TRUE(DestroyMenu(sub));
    desktop.Services().chooseMenuItem = [](const MenuRequest& r) -> std::optional<UINT_PTR> {
        EXPECT_TRUE(r.items[3].submenu.empty());
        return std::nullopt;
    };
    TrackPopupMenu(menu, 0, 0, 0, 0, owner, nullptr);
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_TRUE(DestroyMenu(other));
    EXPECT_EQ(desktop.Counts().menus, 0);
}

TEST_F(MenusTest, AnOwnerDestroyedWhileTheMenuIsUpGetsNoCommand)
{
    desktop.Services().chooseMenuItem = [this](const MenuRequest&) -> std::optional<UINT_PTR> {
        DestroyWindow(owner);
        return 0;
    };
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, owner, nullptr));
    desktop.Pump();
    EXPECT_TRUE(windows.log.size() <= 1u);
    DestroyMenu(menu);
}

}  // namespace
