#include "platform/x11/Dialog.h"

#include "platform/win32/Desktop.h"
#include "platform/win32/Rects.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32.h"
#include "platform/x11/Canvas.h"
#include "platform/x11/DialogFocus.h"
#include "platform/x11/KeyMapping.h"
#include "platform/x11/ListBox.h"
#include "platform/x11/ModalHandler.h"
#include "platform/x11/Palette.h"
#include "platform/x11/PathUnits.h"
#include "platform/x11/Selection.h"
#include "platform/x11/TextWrap.h"
#include "platform/x11/X11Presenter.h"
#include "platform/x11/XSession.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>

namespace {

constexpr int kLeastWidth = 380;
constexpr int kMostWidth = 560;
constexpr int kListWidth = 480;
constexpr int kFieldHeight = 24;
constexpr int kFieldPadding = 5;
constexpr int kGap = 8;
// The most UTF-16 units typing or pasting leaves in the field (as the
// "EDIT" class starts with).
constexpr size_t kFieldLimit = 30000;
// The most lines a problem shown below the field takes.
constexpr size_t kMostStatusLines = 6;

constexpr long kDialogEvents = ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                               Button1MotionMask | StructureNotifyMask | FocusChangeMask;

// The index of the default answer's button; -1 for none.
int DefaultButton(const DialogForm& form)
{
    for (size_t i = 0; i < form.buttons.size(); ++i)
        if (form.buttons[i].answer == form.defaultAnswer)
            return static_cast<int>(i);
    return -1;
}

// At most most lines; the last one kept ends in "..." when some went.
void Limit(std::vector<std::string>& lines, size_t most)
{
    if (lines.size() <= most)
        return;
    lines.resize(std::max<size_t>(1, most));
    lines.back() += "...";
}

class DialogSession : public ModalHandler
{
public:
    DialogSession(XSession& s, const DialogForm& d)
        : session(s),
          form(d),
          result(d.field),
          focus(d.list != nullptr, d.hasField, static_cast<int>(d.buttons.size()), DefaultButton(d))
    {
        // The text opens selected: typing replaces it.
        field.SetText(PathToUnits(d.field));
        field.SetLimit(kFieldLimit);
        field.SelectAll();
    }
    ~DialogSession() override
    {
        if (window)
        {
            Forget();
            XDestroyWindow(session.display, window);
        }
        XFlush(session.display);
    }

    void Open(Window over)
    {
        Layout();
        int x = (session.ScreenWidth() - width) / 2, y = (session.ScreenHeight() - height) / 2;
        Window child;
        int ox = 0, oy = 0;
        unsigned ow = 0, oh = 0, border = 0, depth = 0;
        Window root;
        if (over && XGetGeometry(session.display, over, &root, &ox, &oy, &ow, &oh, &border, &depth) &&
            XTranslateCoordinates(session.display, over, session.root, 0, 0, &ox, &oy, &child))
        {
            x = ox + (static_cast<int>(ow) - width) / 2;
            y = oy + (static_cast<int>(oh) - height) / 2;
        }
        place.x = static_cast<short>(std::clamp(x, 0, std::max(0, session.ScreenWidth() - width)));
        place.y = static_cast<short>(std::clamp(y, 0, std::max(0, session.ScreenHeight() - height)));
        window = session.CreateWindow(place.x, place.y, width, height, kDialogEvents, false);
        XSetWMProtocols(session.display, window, &session.wmDeleteWindow, 1);
        session.SetFixedSize(window, width, height, &place);
        session.SetClass(window);
        session.SetWindowType(window, session.netWmWindowTypeDialog);
        session.SetTitle(window, form.title);
        XWMHints hints{};
        hints.flags = InputHint;
        hints.input = True;
        XSetWMHints(session.display, window, &hints);
        if (over)
            XSetTransientForHint(session.display, window, over);
        session.openDialogs.push_back(window);
        canvas = std::make_unique<Canvas>(width, height);
        Draw();
        XMapRaised(session.display, window);
    }

    DialogAnswer Answer() const { return {answer, result}; }
    bool Done() const override { return done; }
    bool Owns(Window w) const override { return w == window; }

    void Handle(const XEvent& event) override
    {
        switch (event.type)
        {
        case Expose:
            session.Show(window, *canvas);
            break;
        case MapNotify:
            TakeFocus();
            break;
        case ClientMessage:
            if (event.xclient.message_type == session.wmProtocols &&
                static_cast<Atom>(event.xclient.data.l[0]) == session.wmDeleteWindow)
                End(form.cancelAnswer);
            break;
        case DestroyNotify:
            // Ours goes only after the loop: another client destroyed it.
            if (event.xdestroywindow.window == window)
                Destroyed();
            break;
        case KeyPress:
            Key(event.xkey);
            break;
        case ButtonPress:
            if (event.xbutton.window == window)
                Press(event.xbutton);
            break;
        case MotionNotify:
            if (event.xmotion.window != window)
                break;
            if (dragging)
                field.ExtendTo(field.IndexAt(canvas->Font(), event.xmotion.x));
            if (dragging || (form.list && list.Drag(event.xmotion.y, form.list->Rows().size())))
                Draw();
            break;
        case ButtonRelease:
            if (event.xbutton.button == Button1)
            {
                dragging = false;
                list.Release();
            }
            if (event.xbutton.button == Button1 && pressed >= 0)
            {
                const int released = event.xbutton.window == window ? ButtonAt(event.xbutton.x, event.xbutton.y) : -1;
                const int was = pressed;
                pressed = -1;
                Draw();
                if (released == was)
                    Choose(form.buttons[static_cast<size_t>(was)].answer);
            }
            break;
        default:
            break;
        }
    }

private:
    // Places the parts top to bottom: the list, the message, the field and
    // the problem shown below it, the buttons.
    void Layout()
    {
        Canvas measure(1, 1);
        const auto widthOf = [&measure](const std::string& text) { return static_cast<int>(measure.Measure(text).cx); };
        lineHeight = std::max<int>(1, measure.Measure("Ag").cy);
        const int most = std::max(kLeastWidth, std::min(kMostWidth, session.ScreenWidth() - 40));
        const int buttonsWidth = static_cast<int>(form.buttons.size()) * (kDialogButtonWidth + kDialogButtonGap);
        int wanted = std::max({kLeastWidth, buttonsWidth + 2 * kDialogMargin, form.list ? kListWidth : 0});
        for (size_t start = 0; !form.message.empty() && start <= form.message.size();)
        {
            const size_t end = std::min(form.message.find('\n', start), form.message.size());
            wanted = std::max(wanted, widthOf(form.message.substr(start, end - start)) + 2 * kDialogMargin);
            start = end + 1;
        }
        width = std::min(wanted, most);
        const int inner = width - 2 * kDialogMargin;
        messageLines.clear();
        if (!form.message.empty())
            messageLines = WrapText(form.message, inner, widthOf);
        Limit(messageLines, static_cast<size_t>(std::max(1, session.ScreenHeight() / 2 / lineHeight)));
        statusLines.clear();
        if (!status.empty())
            statusLines = WrapText(status, inner, widthOf);
        Limit(statusLines, kMostStatusLines);

        int y = kDialogMargin;
        if (form.list)
        {
            list.Place({kDialogMargin, y, width - kDialogMargin, y + ListBox::Height()});
            y = list.Box().bottom + kGap;
        }
        const int messageHeight = static_cast<int>(messageLines.size()) * lineHeight;
        messageRect = {kDialogMargin, y, width - kDialogMargin, y + messageHeight};
        y += messageHeight;
        if (form.hasField)
        {
            y += kGap;
            fieldRect = {kDialogMargin, y, width - kDialogMargin, y + kFieldHeight};
            y += kFieldHeight + kGap / 2;
            const int statusHeight = static_cast<int>(std::max<size_t>(1, statusLines.size())) * lineHeight;
            statusRect = {kDialogMargin, y, width - kDialogMargin, y + statusHeight};
            y += statusHeight;
        }
        height = y + 2 * kGap + kDialogButtonHeight + kDialogMargin;
        buttonRects = DialogButtonRects(width, height, form.buttons.size());
    }

    // Shows a problem below the field; the window grows or shrinks to it.
    void SetStatus(const std::string& text)
    {
        status = text;
        const int before = height;
        Layout();
        if (height != before)
        {
            // The hints first: a window manager keeps the size they fix.
            session.SetFixedSize(window, width, height, &place);
            XResizeWindow(session.display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
            canvas = std::make_unique<Canvas>(width, height);
        }
        Draw();
    }

    void Lines(Canvas& c, const std::vector<std::string>& lines, const RECT& r, COLORREF colour)
    {
        for (size_t i = 0; i < lines.size(); ++i)
        {
            const LONG top = r.top + static_cast<LONG>(i) * lineHeight;
            c.Text(lines[i], {r.left, top, r.right, top + lineHeight}, colour, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
        }
    }

    void Draw()
    {
        Canvas& c = *canvas;
        c.Fill({0, 0, width, height}, kPanel);
        if (form.list)
            list.Draw(c, form.list->Rows(), focus.OnList());
        Lines(c, messageLines, messageRect, kText);
        if (form.hasField)
        {
            c.Fill(fieldRect, kField);
            c.Field(field, FieldLine(), focus.OnField());
            c.Frame(fieldRect, focus.OnField() ? kAccent : kPanelBorder);
            Lines(c, statusLines, statusRect, kWarningText);
        }
        // The focused button framed twice, the one Enter answers once.
        for (size_t i = 0; i < form.buttons.size(); ++i)
        {
            const RECT& r = buttonRects[i];
            const int index = static_cast<int>(i);
            c.Fill(r, index == pressed ? kButtonPressed : kButton);
            c.Frame(r, index == focus.EnterButton() ? kAccent : kPanelBorder);
            if (index == focus.Button())
                c.Frame({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kAccent);
            c.Text(form.buttons[i].label, r, kText, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
        }
        session.Show(window, c);
    }

    int ButtonAt(int x, int y) const
    {
        for (size_t i = 0; i < buttonRects.size(); ++i)
            if (ContainsPoint(buttonRects[i], x, y))
                return static_cast<int>(i);
        return -1;
    }

    // The field's line inside its frame and padding.
    RECT FieldLine() const
    {
        return {fieldRect.left + kFieldPadding, fieldRect.top + 1, fieldRect.right - kFieldPadding,
                fieldRect.bottom - 1};
    }

    void Press(const XButtonEvent& b)
    {
        if (form.hasField && (b.button == Button1 || b.button == Button2) && ContainsPoint(fieldRect, b.x, b.y))
        {
            focus.ToField();
            const size_t at = field.IndexAt(canvas->Font(), b.x);
            // A drag from here selects; with Shift the selection reaches here.
            dragging = b.button == Button1;
            if (dragging && (b.state & ShiftMask))
                field.ExtendTo(at);
            else
                field.Select(at, at);
            const std::u16string before = field.Text();
            if (b.button == Button2)
                Paste(XA_PRIMARY);
            Refresh(field.Text() != before);
        }
        else if (form.list && ContainsPoint(list.Box(), b.x, b.y))
        {
            // Only a row takes the keys: scrolling (the wheel, the scroll
            // bar) leaves them where they were, with what was typed.
            bool twice = false;
            const int row = list.Press(b, form.list->Rows().size(), twice);
            if (row >= 0)
            {
                focus.ToList();
                Highlighted();
            }
            else
            {
                Draw();
            }
            if (twice)
                Choose(form.defaultAnswer);
        }
        else if (b.button == Button1)
        {
            pressed = ButtonAt(b.x, b.y);
            Draw();
        }
    }

    // The field takes the text of the list's highlighted row.
    void Highlighted()
    {
        field.SetText(PathToUnits(form.list->TextOf(static_cast<size_t>(list.Hot()))));
        field.Select(field.Text().size(), field.Text().size());
        Refresh(true);
    }

    // Draws what changed; a problem shown for the field's text goes once the
    // text is edited.
    void Refresh(bool edited)
    {
        if (edited && !status.empty())
            SetStatus("");
        else
            Draw();
    }

    void Key(const XKeyEvent& key)
    {
        XKeyEvent copy = key;
        char latin1[16];
        KeySym typed = NoSymbol;
        const int length = XLookupString(&copy, latin1, sizeof latin1, &typed, nullptr);
        const int enter = focus.EnterButton();
        if (typed == XK_Return || typed == XK_KP_Enter)
            Choose(enter >= 0 ? form.buttons[static_cast<size_t>(enter)].answer : form.defaultAnswer);
        else if (typed == XK_Escape)
            Choose(form.cancelAnswer);
        else if (typed == XK_Tab || typed == XK_ISO_Left_Tab)
        {
            focus.Move(typed == XK_ISO_Left_Tab || (key.state & ShiftMask) ? -1 : 1);
            Draw();
        }
        else if (focus.Button() >= 0)
            ButtonKey(typed);
        else if (focus.OnList())
            ListKey(typed);
        else if (focus.OnField())
            FieldKey(copy, typed, latin1, length);
    }

    // The list's keys move its highlight; its row's text goes to the field.
    bool ListKey(KeySym typed)
    {
        if (!list.Key(typed, form.list->Rows().size()))
            return false;
        if (list.Hot() >= 0)
            Highlighted();
        return true;
    }

    // The keys the field leaves (Up, Down, Page Up and Page Down) move the
    // list's highlight.
    void FieldKey(XKeyEvent& copy, KeySym typed, const char* latin1, int length)
    {
        const unsigned modifiers = ModifiersOfState(copy.state);
        const int virtualKey = VirtualKeyOf(XLookupKeysym(&copy, 0), typed);
        const std::u16string before = field.Text();
        const LineEdit::Outcome outcome = field.Key(virtualKey, modifiers & kShiftKey, modifiers & kControlKey);
        if (outcome == LineEdit::Outcome::kIgnored && form.list && ListKey(typed))
            return;
        bool changed = Edited(outcome);
        for (const char16_t unit : Utf8ToUtf16(TypedText(typed, latin1, length, modifiers)))
            changed = Edited(field.Char(unit)) || changed;
        if (changed)
            Refresh(field.Text() != before);
    }

    // A focused button's keys: the arrows move to the next button, going
    // round; the space bar answers it, as Enter does.
    void ButtonKey(KeySym typed)
    {
        if (typed == XK_space)
            Choose(form.buttons[static_cast<size_t>(focus.Button())].answer);
        else if (typed == XK_Left || typed == XK_Up || typed == XK_Right || typed == XK_Down)
        {
            focus.MoveAmongButtons(typed == XK_Left || typed == XK_Up ? -1 : 1);
            Draw();
        }
    }

    bool Edited(LineEdit::Outcome outcome)
    {
        if (outcome == LineEdit::Outcome::kPaste)
            Paste(session.clipboard);
        return outcome != LineEdit::Outcome::kIgnored;
    }

    void Paste(Atom selection)
    {
        if (const std::optional<std::u16string> text = ReadSelectionText(session, selection))
            for (const char16_t unit : LineEdit::PastedLine(*text))
                field.Char(unit);
    }

    // An answer asked for: the default one first lets the list open what
    // the field names.
    void Choose(int chosen)
    {
        if (chosen == form.defaultAnswer && form.list)
        {
            std::string text = PathFromUnits(field.Text());
            if (form.list->Open(text))
            {
                field.SetText(PathToUnits(text));
                field.Select(field.Text().size(), field.Text().size());
                list.Reset();
                SetStatus("");
                return;
            }
        }
        End(chosen);
    }

    void End(int chosen)
    {
        result = PathFromUnits(field.Text());
        if (chosen != form.cancelAnswer && form.hasField && form.check)
        {
            std::string completed = result;
            const std::optional<std::string> problem = form.check(completed);
            // Destroyed meanwhile: cancelled already.
            if (done)
                return;
            // A question the check asked may have taken the focus.
            TakeFocus();
            if (problem)
            {
                SetStatus(*problem);
                return;
            }
            result = completed;
        }
        answer = chosen;
        done = true;
    }

    // Cancelled, as a close would; nothing more is drawn or destroyed, and
    // no dialog opens over it.
    void Destroyed()
    {
        Forget();
        window = 0;
        answer = form.cancelAnswer;
        done = true;
    }

    void Forget()
    {
        session.openDialogs.erase(std::remove(session.openDialogs.begin(), session.openDialogs.end(), window),
                                  session.openDialogs.end());
    }

    void TakeFocus()
    {
        XWindowAttributes a;
        if (XGetWindowAttributes(session.display, window, &a) && a.map_state == IsViewable)
            XSetInputFocus(session.display, window, RevertToPointerRoot, CurrentTime);
    }

    XSession& session;
    const DialogForm& form;
    LineEdit field;
    std::string result;  // the field's text as answered
    std::string status;
    Window window = 0;
    XPoint place = {0, 0};
    std::unique_ptr<Canvas> canvas;
    int width = 0, height = 0, lineHeight = 0;
    std::vector<std::string> messageLines, statusLines;
    ListBox list;
    RECT messageRect = {0, 0, 0, 0}, fieldRect = {0, 0, 0, 0}, statusRect = {0, 0, 0, 0};
    std::vector<RECT> buttonRects;
    int pressed = -1;
    DialogFocus focus;
    bool dragging = false;  // a press in the field selects as it moves
    int answer = 0;
    bool done = false;
};

}  // namespace

std::vector<RECT> DialogButtonRects(int width, int height, size_t count)
{
    std::vector<RECT> rects(count);
    int right = width - kDialogMargin;
    const int bottom = height - kDialogMargin;
    for (size_t i = count; i-- > 0;)
    {
        rects[i] = {right - kDialogButtonWidth, bottom - kDialogButtonHeight, right, bottom};
        right -= kDialogButtonWidth + kDialogButtonGap;
    }
    return rects;
}

DialogAnswer RunDialog(X11Presenter& presenter, XSession& session, const DialogForm& form, HWND owner)
{
    const Window over = presenter.XWindowAbove(owner);
    DialogSession dialog(session, form);
    dialog.Open(session.openDialogs.empty() ? over : session.openDialogs.back());
    presenter.RunModal(dialog, owner);
    return dialog.Done() ? dialog.Answer() : DialogAnswer{form.cancelAnswer, form.field};
}
