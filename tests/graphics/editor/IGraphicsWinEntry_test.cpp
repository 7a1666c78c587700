#include "support/WindowFixture.h"

#include <string>

namespace {

using Events = std::vector<std::string>;

class Entry : public WindowFixture
{
protected:
    void SetUp() override
    {
        count = Add({10, 0, 10, 0, 40, 0, 20, 0}, kParamCount);
        gain = Add({100, 0, 10, 0, 40, 0, 20, 0}, kParamGain);
        for (TestControl* c : {count, gain})
        {
            c->baseOnPress = true;
            c->SetValueEntryDisabled(false);
            c->SetEntryLength(12);
        }
        Open();
        Tick();
    }
    // A right click on the control opens its field.
    void OpenField(TestControl* control)
    {
        desktop.Click(MouseButton::Right, SX(control->DrawArea().L + 2), SY(control->DrawArea().T + 2));
        ASSERT_NE(surface->EntryField(), nullptr);
    }
    void Commit(TestControl* control, const char* text)
    {
        OpenField(control);
        SetWindowTextA(surface->EntryField(), text);
        desktop.PressKey(VK_RETURN);
        Tick();
    }
    std::string FieldText() const
    {
        char text[64] = {};
        GetWindowTextA(surface->EntryField(), text, sizeof text);
        return text;
    }
    double Plain(int32_t idx) const { return plug->GetParam(idx)->Value(); }

    TestControl* count = nullptr;
    TestControl* gain = nullptr;
};

TEST_F(Entry, TheFieldOpensCentredOnTheControlWithTheKeyboard)
{
    count->SetValueEntryDisabled(true);
    desktop.Click(MouseButton::Right, SX(12), SY(12));
    EXPECT_EQ(surface->EntryField(), nullptr) << "no value entry unless the control offers it";
    count->SetValueEntryDisabled(false);

    OpenField(count);
    HWND field = surface->EntryField();
    EXPECT_EQ(GetFocus(), field);
    EXPECT_EQ(surface->EntryState(), IGraphicsWin::kEntryFocused);
    EXPECT_EQ(FieldText(), "3");
    // 40 x 16 around the control's centre (30, 20), one pixel larger each way.
    RECT r;
    GetWindowRect(field, &r);
    EXPECT_EQ(r.left, SX(10));
    EXPECT_EQ(r.top, SY(12));
    EXPECT_EQ(r.right - r.left, 41);
    EXPECT_EQ(r.bottom - r.top, 17);
    EXPECT_EQ(GetWindowLongA(field, GWL_STYLE) & (ES_CENTER | ES_RIGHT), static_cast<LONG>(ES_CENTER));
    // The release of the opening press was not lost to the field.
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(surface->CapturedControl(), -1);
    EXPECT_EQ(plug->gestures, (Events{"begin 1", "end 1", "begin 1", "end 1"}));
    surface->OpenEntryField(gain, TextStyle(), {0, 0, 10, 10}, "x", nullptr);
    EXPECT_EQ(surface->EntryField(), field) << "never two fields";
}

TEST_F(Entry, TypingIsFilteredByKindAndEnterCommitsOnTheNextTick)
{
    OpenField(count);
    desktop.Type("12.5x");
    EXPECT_EQ(FieldText(), "125") << "an integer takes no point and no letter";
    desktop.PressKey(VK_RETURN);
    EXPECT_EQ(Plain(kParamCount), 3.0) << "not before the tick";
    Tick();
    EXPECT_EQ(surface->EntryField(), nullptr);
    EXPECT_EQ(Plain(kParamCount), 10.0) << "limited to the range";

    OpenField(gain);
    desktop.Type("-12.5");
    SetFocus(window);  // losing the keyboard commits too
    Tick();
    EXPECT_EQ(Plain(kParamGain), -12.5);
}

TEST_F(Entry, ACommaIsThePointAndAPasteIsFilteredAsTyping)
{
    OpenField(gain);
    desktop.Type("-1,5");
    EXPECT_EQ(FieldText(), "-1.5");
    desktop.SetClipboardText("-2,25 dB");
    desktop.PressKey('A', kControlKey);
    desktop.Type("\x16");  // Ctrl+V
    EXPECT_EQ(FieldText(), "-2.25") << "the unit and the blank dropped";
    desktop.PressKey(VK_RETURN);
    Tick();
    EXPECT_EQ(Plain(kParamGain), -2.25);
}

TEST_F(Entry, EscapeAClickOrTheWheelCancelAndACancelStands)
{
    const size_t sent = plug->sent.size();
    OpenField(gain);
    desktop.Type("-1");
    desktop.PressKey(VK_ESCAPE);
    SetFocus(window);  // losing the keyboard after Escape commits nothing
    Tick();
    OpenField(gain);
    desktop.Type("-2");
    const size_t events = gain->events.size();
    desktop.Click(MouseButton::Left, SX(60), SY(50));
    EXPECT_EQ(surface->EntryState(), IGraphicsWin::kEntryCancel);
    EXPECT_EQ(gain->events.size(), events) << "the click reached no control";
    Tick();
    OpenField(gain);
    desktop.Type("-3");
    desktop.Wheel(SX(150), SY(80), WHEEL_DELTA);
    Tick();
    EXPECT_EQ(surface->EntryField(), nullptr);
    EXPECT_EQ(Plain(kParamGain), -20.0);
    EXPECT_EQ(plug->sent.size(), sent);
}

TEST_F(Entry, ACommitOfNoNumberChangesNothing)
{
    for (const char* text : {"", "   ", "-", "abc", "1e", "nan", "inf", "-inf", "1e999", "12abc", "1,5"})
    {
        Commit(gain, text);
        EXPECT_EQ(surface->EntryField(), nullptr) << text;
    }
    EXPECT_TRUE(plug->sent.empty());
    Commit(gain, " +3.5 ");
    EXPECT_EQ(Plain(kParamGain), 0.0) << "+3.5 dB, limited to 0 dB";
    Commit(gain, "  -4");
    EXPECT_EQ(Plain(kParamGain), -4.0);
}

TEST_F(Entry, FreeTextGoesToTheControlAndControlsTakeTheFieldWithThem)
{
    TestControl* label = Add({0, 0, 60, 0, 50, 0, 20, 0});
    TextStyle style;
    style.alignment = 2;
    surface->OpenEntryField(label, style, {0, 60, 50, 80}, "name", nullptr);
    EXPECT_EQ(GetWindowLongA(surface->EntryField(), GWL_STYLE) & ES_RIGHT, static_cast<LONG>(ES_RIGHT));
    desktop.Type("x.y");
    desktop.PressKey(VK_RETURN);
    Tick();
    EXPECT_EQ(label->events.back(), "entry x.y") << "free text is not filtered";

    OpenField(gain);
    const LiveCounts open = desktop.Counts();
    surface->ResetControls();
    EXPECT_EQ(surface->EntryField(), nullptr);
    EXPECT_EQ(desktop.Counts().fonts, open.fonts - 1) << "the field's font goes with it";
    Tick();
}

TEST_F(Entry, TheEditorDoesNotRedrawWhileTheFieldHasTheKeyboard)
{
    OpenField(gain);
    const int32_t paints = count->paints;
    count->AcceptPlugValue(0.9);
    Tick();
    Tick();
    EXPECT_EQ(count->paints, paints);
    desktop.PressKey(VK_ESCAPE);
    Tick();  // the field goes
    Tick();
    EXPECT_GT(count->paints, paints);
}

}  // namespace
