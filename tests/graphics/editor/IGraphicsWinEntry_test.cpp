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
        plug->sent.clear();
    }
    // A right click on the control opens its field.
    void OpenField(TestControl* control)
    {
        const IBounds& a = control->DrawArea();
        desktop.Click(MouseButton::Right, SX(a.L + 2), SY(a.T + 2));
        ASSERT_NE(surface->EntryField(), nullptr);
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

TEST_F(Entry, TheFieldOpensOverTheControlHoldingItsValueWithTheKeyboard)
{
    OpenField(count);
    HWND field = surface->EntryField();
    EXPECT_EQ(GetParent(field), window);
    EXPECT_EQ(GetFocus(), field);
    EXPECT_EQ(surface->EntryState(), IGraphicsWin::kEntryFocused);
    EXPECT_EQ(surface->EntryControl(), count);
    EXPECT_EQ(FieldText(), "3");
    char name[16] = {};
    GetClassNameA(field, name, sizeof name);
    EXPECT_STREQ(name, "EDIT");
    // 40 x 16 around the control's centre (30, 20), one pixel larger each way.
    RECT r;
    GetWindowRect(field, &r);
    EXPECT_EQ(r.left, SX(10));
    EXPECT_EQ(r.top, SY(12));
    EXPECT_EQ(r.right - r.left, 41);
    EXPECT_EQ(r.bottom - r.top, 17);
    EXPECT_EQ(GetWindowLongA(field, GWL_STYLE) & (ES_CENTER | ES_RIGHT), static_cast<LONG>(ES_CENTER));
    EXPECT_EQ(GetWindowLongPtrA(field, GWLP_ID), IGraphicsWin::kEntryFieldId);
    // The release of the opening press was not lost to the field.
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(surface->CapturedControl(), -1);
    EXPECT_EQ(plug->gestures, (Events{"begin 1", "end 1"}));

    // A second field does not open over the first.
    surface->OpenEntryField(gain, TextStyle(), {0, 0, 10, 10}, "x", nullptr);
    EXPECT_EQ(surface->EntryField(), field);
}

TEST_F(Entry, TypingIsFilteredByKindAndEnterCommitsOnTheNextTick)
{
    OpenField(count);
    desktop.Type("12.5x");
    EXPECT_EQ(FieldText(), "125") << "an integer takes no point and no letter";
    desktop.PressKey(VK_RETURN);
    EXPECT_EQ(surface->EntryState(), IGraphicsWin::kEntryCommit);
    EXPECT_EQ(Plain(kParamCount), 3.0) << "not before the tick";
    Tick();
    EXPECT_EQ(surface->EntryField(), nullptr);
    EXPECT_EQ(Plain(kParamCount), 10.0) << "clamped to the range";
    EXPECT_EQ(count->CurrentValue(), 1.0);

    OpenField(gain);
    desktop.Type("-12.5");
    desktop.PressKey(VK_RETURN);
    Tick();
    EXPECT_EQ(Plain(kParamGain), -12.5);
    ASSERT_FALSE(plug->sent.empty());
    EXPECT_EQ(plug->sent.back().idx, kParamGain);
}

TEST_F(Entry, EscapeAClickOrTheWheelCancel)
{
    OpenField(gain);
    desktop.Type("-1");
    desktop.PressKey(VK_ESCAPE);
    EXPECT_EQ(surface->EntryState(), IGraphicsWin::kEntryCancel);
    Tick();
    EXPECT_EQ(surface->EntryField(), nullptr);
    EXPECT_EQ(Plain(kParamGain), -20.0);

    OpenField(gain);
    desktop.Type("-2");
    const size_t events = gain->events.size();
    desktop.Click(MouseButton::Left, SX(60), SY(50));
    EXPECT_EQ(surface->EntryState(), IGraphicsWin::kEntryCancel) << "a click elsewhere while typing";
    EXPECT_EQ(gain->events.size(), events) << "the click reached no control";
    Tick();
    EXPECT_EQ(Plain(kParamGain), -20.0);

    OpenField(gain);
    desktop.Type("-3");
    desktop.Wheel(SX(150), SY(80), WHEEL_DELTA);
    Tick();
    EXPECT_EQ(surface->EntryField(), nullptr);
    EXPECT_EQ(Plain(kParamGain), -20.0);
    EXPECT_TRUE(plug->sent.empty());
}

TEST_F(Entry, LosingTheKeyboardCommitsButACancelStands)
{
    OpenField(gain);
    desktop.Type("-7");
    SetFocus(window);
    EXPECT_EQ(surface->EntryState(), IGraphicsWin::kEntryCommit);
    Tick();
    EXPECT_EQ(Plain(kParamGain), -7.0);

    OpenField(gain);
    desktop.Type("-8");
    desktop.PressKey(VK_ESCAPE);
    SetFocus(window);  // losing the keyboard after Escape
    Tick();
    EXPECT_EQ(Plain(kParamGain), -7.0);
}

TEST_F(Entry, ACommitOfNoNumberChangesNothing)
{
    for (const char* text : {"", "   ", "-", "abc", "1e", "nan", "NaN", "inf", "-inf", "1e999", "12abc", "1,5"})
    {
        OpenField(gain);
        SetWindowTextA(surface->EntryField(), text);
        surface->CancelEntry();
        surface->OpenEntryField(gain, TextStyle(), {}, "", nullptr);  // ignored while one is open
        desktop.PressKey(VK_RETURN);
        Tick();
        Tick();
        EXPECT_EQ(surface->EntryField(), nullptr) << text;
    }
    // Typed (not set) text goes through the same test.
    for (const char* text : {"", "+3.5 ", "  -4"})
    {
        OpenField(gain);
        SetWindowTextA(surface->EntryField(), text);
        desktop.PressKey(VK_RETURN);
        Tick();
    }
    EXPECT_EQ(Plain(kParamGain), -4.0);
    ASSERT_EQ(plug->sent.size(), 2u) << "only the two numbers went out";
    EXPECT_EQ(plug->sent[0].unit, 1.0) << "+3.5 dB is limited to 0 dB";
}

TEST_F(Entry, FreeTextGoesToTheControl)
{
    TestControl* label = Add({0, 0, 60, 0, 50, 0, 20, 0});
    TextStyle style;
    style.alignment = 2;
    surface->OpenEntryField(label, style, {0, 60, 50, 80}, "name", nullptr);
    EXPECT_EQ(GetWindowLongA(surface->EntryField(), GWL_STYLE) & ES_RIGHT, static_cast<LONG>(ES_RIGHT));
    EXPECT_EQ(FieldText(), "name");
    desktop.Type("x.y");
    desktop.PressKey(VK_RETURN);
    Tick();
    EXPECT_EQ(label->events.back(), "entry x.y") << "free text is not filtered";
    EXPECT_TRUE(plug->sent.empty());
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

TEST_F(Entry, ControlsGoingTakeTheFieldWithThem)
{
    OpenField(gain);
    const LiveCounts open = desktop.Counts();
    surface->ResetControls();
    EXPECT_EQ(surface->EntryField(), nullptr);
    EXPECT_EQ(desktop.Counts().windows, open.windows - 1);
    EXPECT_EQ(desktop.Counts().fonts, open.fonts - 1) << "the field's font goes with it";
    Tick();
}

}  // namespace
