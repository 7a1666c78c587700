// The one-line "EDIT" class as the editor's text entry uses it.

#include "support/RecordingWindow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct EditTest : ::testing::Test
{
    Desktop desktop;
    RecordingWindows windows;
    HWND parent = windows.Create(0, 0, 200, 100);
    HWND edit = CreateWindowExA(0, "EDIT", "12", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_MULTILINE, 10, 10, 80, 20,
                                parent, reinterpret_cast<HMENU>(99), nullptr, nullptr);

    EditTest() { SetFocus(edit); }

    std::string Text(size_t size = 512) const
    {
        std::string buffer(size, '\x7F');
        const LRESULT n = SendMessageA(edit, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer.data()));
        return buffer.substr(0, static_cast<size_t>(n));
    }
};

TEST_F(EditTest, StartsWithItsTitleAndTypedCharactersReplaceTheSelection)
{
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_ID), 99);
    EXPECT_EQ(Text(), "12");
    SendMessageA(edit, EM_SETSEL, 0, -1);
    DWORD first = 9, last = 9;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(last, 2u);
    desktop.Type("7.5\b");
    EXPECT_EQ(Text(), "7.");
    desktop.PressKey(VK_LEFT);
    desktop.Type("\xE2\x82\xAC");  // the euro sign, three bytes
    EXPECT_EQ(Text(), "7\xE2\x82\xAC.");
    desktop.PressKey(VK_HOME);
    desktop.PressKey(VK_DELETE);
    desktop.Type("\r\n\t");
    EXPECT_EQ(Text(), "\xE2\x82\xAC.") << "line breaks and tabs are not typed into one line";
}

TEST_F(EditTest, TheLimitStopsTypingAndCutsPastesButNotSetText)
{
    SendMessageA(edit, EM_LIMITTEXT, 4, 0);
    SendMessageA(edit, EM_SETSEL, 2, 2);
    desktop.Type("345");
    EXPECT_EQ(Text(), "1234");
    desktop.SetClipboardText("abc\ndef");
    SendMessageA(edit, EM_SETSEL, 1, 3);
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "1ab4") << "the paste stops at the line break and at the limit";
    desktop.Type("\x16");
    EXPECT_EQ(Text(), "1ab4") << "Ctrl+V pastes too, but nothing fits";
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("longer than four"));
    EXPECT_EQ(Text(), "longer than four");
    SendMessageA(edit, EM_LIMITTEXT, 0, 0);
    SendMessageA(edit, EM_SETSEL, -1, 0);
    desktop.Type("!");
    EXPECT_EQ(Text(), "!longer than four") << "WM_SETTEXT left the caret at the start";
}

TEST_F(EditTest, GetTextCopiesWholeCharactersIntoSmallBuffers)
{
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a\xC3\xA9z"));
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 4);
    EXPECT_EQ(Text(3), "a") << "room for two bytes does not split the e acute";
    EXPECT_EQ(Text(4), "a\xC3\xA9");
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, 0, 0), 0);
}

TEST_F(EditTest, PaintingAsksTheParentForColoursAndDrawsTheText)
{
    const HFONT font = CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, kBlockFaceName);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    const HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
    windows.handler = [&](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        if (m != WM_CTLCOLOREDIT)
            return std::nullopt;
        EXPECT_EQ(reinterpret_cast<HWND>(l), edit);
        SetTextColor(reinterpret_cast<HDC>(w), RGB(255, 255, 0));
        SetBkMode(reinterpret_cast<HDC>(w), TRANSPARENT);
        return reinterpret_cast<LRESULT>(brush);
    };
    windows.log.clear();
    desktop.Pump();
    int asked = 0;
    for (const RecordedMessage& m : windows.log)
        asked += m.message == WM_CTLCOLOREDIT;
    EXPECT_EQ(asked, 1);
    const DesktopImage image = desktop.WindowImage(parent);
    EXPECT_EQ(image.At(85, 25) & 0xFFFFFF, 0x008000u) << "background from the brush";
    EXPECT_EQ(image.At(12, 15) & 0xFFFFFF, 0xFFFF00u) << "the first box of \"12\"";
    EXPECT_EQ(SendMessageA(edit, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
    EXPECT_EQ(SendMessageA(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, DLGC_WANTCHARS);
    DestroyWindow(edit);
    DeleteObject(font);
    DeleteObject(brush);
    EXPECT_EQ(desktop.Counts().fonts, 0);
    EXPECT_EQ(desktop.Counts().brushes, 0);
}

TEST_F(EditTest, ASubclassSeesEveryMessageFirstAndFocusChangesReachIt)
{
    static WNDPROC previous = nullptr;
    static std::vector<UINT> seen;
    seen.clear();
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            seen.push_back(m);
            if (m == WM_CHAR && (w < '0' || w > '9') && w != 8)
                return 0;  // digits only
            return CallWindowProcA(previous, h, m, w, l);
        })));
    SetWindowLongPtrA(edit, GWLP_USERDATA, 0xDEADF00B);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    desktop.Type("1x2.5");
    EXPECT_EQ(Text(), "125");
    SetFocus(parent);
    EXPECT_EQ(seen.back(), WM_KILLFOCUS);
    desktop.Click(MouseButton::Left, 20, 15);
    EXPECT_EQ(GetFocus(), edit) << "a click gives the field the focus";
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_USERDATA), 0xDEADF00B) << "user data is the caller's";
}

}  // namespace
