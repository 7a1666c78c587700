// The one-line "EDIT" class as the editor's text entry uses it.

#include "support/RecordingWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

namespace {

struct EditTest : ::testing::Test
{
    Desktop desktop;
    RecordingWindows windows;
    HWND parent = windows.Create(0, 0, 200, 100);
    HWND edit = CreateWindowExA(0, "EDIT", "12", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_MULTILINE, 10, 10, 80, 20,
                                parent, reinterpret_cast<HMENU>(99), nullptr, nullptr);

    EditTest() { SetFocus(edit); }

    // The blocks face, 16 pixels: each character a box 7 pixels wide, 8
    // apart, in rows 12 to 27 of the parent.
    void UseBlocks()
    {
        font = CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, kBlockFaceName);
        SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    ~EditTest() override
    {
        if (font)
            DeleteObject(font);
    }
    // The parent's pixel (0xRRGGBB) after the edit painted.
    uint32_t Pixel(int x, int y)
    {
        desktop.Pump();
        return desktop.WindowImage(parent).At(x, y) & 0xFFFFFF;
    }
    HFONT font = nullptr;

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

TEST_F(EditTest, TheSelectionShowsAndTheKeysMoveDeleteSelectAllAndPaste)
{
    UseBlocks();
    SendMessageA(edit, EM_SETSEL, 0, -1);
    // The text box starts at x = 11; "1" covers 11-17, the gap is 18.
    EXPECT_EQ(Pixel(12, 15), 0xFFFFFFu) << "selected text";
    EXPECT_EQ(Pixel(18, 15), 0x3366CCu) << "the selection behind it";
    desktop.PressKey(VK_RIGHT);
    EXPECT_EQ(Pixel(12, 15), 0x000000u);
    EXPECT_EQ(Pixel(18, 15), 0xFFFFFFu);
    EXPECT_EQ(Pixel(26, 15), 0x000000u) << "the caret after \"12\"";
    desktop.PressKey('A', kControlKey);
    DWORD first = 9, last = 9;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(last, 2u);
    desktop.SetClipboardText("34");
    desktop.PressKey(VK_INSERT, kShiftKey);
    EXPECT_EQ(Text(), "34") << "Shift+Insert pasted over the selection";
    desktop.PressKey(VK_HOME);
    desktop.PressKey(VK_DELETE);
    EXPECT_EQ(Text(), "4");
}

TEST_F(EditTest, ShiftWithTheMovingKeysAndADragSelectAndTypingReplacesTheSelection)
{
    UseBlocks();
    const auto shift = [this](int key) { desktop.PressKey(key, kShiftKey); };
    const auto drag = [this](int from, int to) {  // box i starts at x = 11 + 8 i
        desktop.ButtonDown(MouseButton::Left, from, 15), desktop.MouseMove(to, 15);
        desktop.ButtonUp(MouseButton::Left, to, 15);
    };
    const std::tuple<std::function<void()>, const char*, const char*> cases[] = {
        {[&] { desktop.PressKey(VK_END), shift(VK_LEFT), shift(VK_LEFT); }, "X", "abcdX"},
        {[&] { desktop.PressKey(VK_RIGHT), shift(VK_END); }, "\b", "a"},
        {[&] { shift(VK_RIGHT), shift(VK_RIGHT), shift(VK_LEFT); }, "Z", "Zbcdef"},
        {[&] { shift(VK_END), desktop.PressKey(VK_DELETE); }, "", ""},
        {[&] { drag(19, 43); }, "-", "a-ef"},
        {[&] { drag(43, 19), shift(VK_RIGHT); }, "+", "ab+ef"},
    };
    for (const auto& [act, typed, text] : cases)
    {
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdef"));
        act();
        desktop.Type(typed);
        EXPECT_EQ(Text(), text);
    }
}

TEST_F(EditTest, TheCaretStaysInViewOfALongTextWhateverTheAlignment)
{
    for (const DWORD alignment : {0u, static_cast<DWORD>(ES_CENTER)})
    {
        DestroyWindow(edit);
        edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | alignment, 10, 10, 80, 20,
                               parent, nullptr, nullptr, nullptr);
        SetFocus(edit);
        UseBlocks();
        desktop.Type("abcdefghijklmnopqrst");  // 160 pixels in a line of 78
        // The end in view: the last box (80-86), the caret in its gap, the
        // line's last column (88) free.
        EXPECT_EQ(Pixel(86, 15), 0x000000u) << alignment;
        EXPECT_EQ(Pixel(87, 15), 0x000000u) << "the caret";
        EXPECT_EQ(Pixel(88, 15), 0xFFFFFFu);
        desktop.PressKey(VK_HOME);
        EXPECT_EQ(Pixel(12, 15), 0x000000u) << "the first box at the start";
        EXPECT_EQ(Pixel(18, 15), 0xFFFFFFu) << "the first gap";
        DeleteObject(font);
        font = nullptr;
    }
}

TEST_F(EditTest, PastedCharactersPassTheSubclassAsTypedOnesAndAMiddleClickPastesThePrimarySelection)
{
    static WNDPROC previous = nullptr;
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_CHAR && w >= 0x20 && (w < '0' || w > '9'))
                return 0;  // digits only
            return CallWindowProcA(previous, h, m, w, l);
        })));
    UseBlocks();
    desktop.SetClipboardText("3 x4\b5\n6");
    SendMessageA(edit, EM_SETSEL, 1, 1);
    desktop.Type("\x16");
    EXPECT_EQ(Text(), "13452") << "no letter, blank or backspace; nothing after the line break";
    desktop.Services().primarySelectionText = u"7y8";
    // Between "1" and "3": the second box starts at x = 19.
    desktop.Click(MouseButton::Middle, 19, 15);
    EXPECT_EQ(Text(), "1783452");
    desktop.Click(MouseButton::Left, 11, 15);
    desktop.Type("0");
    EXPECT_EQ(Text(), "01783452") << "a left click put the caret at the start";
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
