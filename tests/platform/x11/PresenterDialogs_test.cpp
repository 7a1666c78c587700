// File and colour dialogs and message boxes on the X display, answered by
// typing and clicking; the clipboard and the primary selection read from
// the X selections and pasted into text fields.

#include "support/DisplayTest.h"

#include "platform/win32/Win32.h"
#include "platform/x11/Dialog.h"
#include "platform/x11/ListBox.h"
#include "platform/x11/PathText.h"
#include "tests/support/TempFolder.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <atomic>
#include <cstring>
#include <poll.h>
#include <sys/stat.h>

namespace {

struct PresenterDialogsTest : DisplayTest
{
    HWND host = nullptr;
    TempFolder folder;

    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        host = ShowHost(100, 100, 300, 200);
    }
};

// A dialog with that title that has the keyboard; 0 when none came.
Window FocusedDialog(XUser& u, const std::string& title)
{
    const Window w = u.WaitForTitle(title);
    return w && u.WaitForFocus(w) ? w : 0;
}

void ClickButton(XUser& u, Window dialog, size_t count, size_t index)
{
    int x, y, width, height;
    u.Geometry(dialog, x, y, width, height);
    const RECT r = DialogButtonRects(width, height, count)[index];
    u.Click(Button1, x + (r.left + r.right) / 2, y + (r.top + r.bottom) / 2);
}

struct FileDialog
{
    char file[MAX_PATH] = "";
    OPENFILENAMEA request{};
    FileDialog(HWND owner, const std::string& folder, DWORD flags)
    {
        request.lStructSize = sizeof request;
        request.hwndOwner = owner;
        request.lpstrFile = file;
        request.nMaxFile = MAX_PATH;
        request.lpstrFilter = "*.fxp\0*.fxp\0\0";
        request.lpstrDefExt = "fxp";
        request.lpstrInitialDir = folder.c_str();
        request.Flags = flags;
    }
};

TEST_F(PresenterDialogsTest, AMissingFileIsNotOpenedAndReplacingAFileIsConfirmed)
{
    WriteBytes(folder / "old.fxp", "CcnK");
    FileDialog open(host, folder.Path(), OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    UserThread opener(*presenter, [](XUser& u) {
        if (!FocusedDialog(u, "Open"))
            return false;
        u.Type("missing");
        u.Tap(XK_Return);
        for (int i = 0; i < 7; ++i)
            u.Tap(XK_BackSpace);
        u.Type("old");
        u.Tap(XK_Return);
        return true;
    });
    EXPECT_TRUE(GetOpenFileNameA(&open.request));
    EXPECT_TRUE(opener.Succeeded());
    EXPECT_EQ(std::string(open.file), folder / "old.fxp") << "the first Enter named no file that exists";

    FileDialog save(host, folder.Path(), OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    const Window xhost = presenter->XWindowOf(host);
    Window saveOwner = 0, askOwner = 0;
    std::string saveClass;
    UserThread saver(*presenter, [&](XUser& u) {
        const Window dialog = FocusedDialog(u, "Save As");
        if (!dialog)
            return false;
        saveOwner = u.TransientFor(dialog);
        saveClass = u.WindowClass(dialog);
        u.Type("old");
        u.Tap(XK_Return);
        const Window ask = FocusedDialog(u, "Confirm Save As");
        if (!ask)
            return false;
        askOwner = u.TransientFor(ask) == dialog ? dialog : 0;
        u.Tap(XK_Return);  // No, the default
        if (!u.WaitForGone(ask) || !u.WaitForFocus(dialog))
            return false;
        u.Tap(XK_Return);
        const Window again = FocusedDialog(u, "Confirm Save As");
        if (!again)
            return false;
        ClickButton(u, again, 2, 0);  // Yes
        return true;
    });
    EXPECT_TRUE(GetSaveFileNameA(&save.request));
    EXPECT_TRUE(saver.Succeeded());
    EXPECT_EQ(std::string(save.file), folder / "old.fxp");
    EXPECT_EQ(saveOwner, xhost) << "the dialog belongs to the editor's window";
    EXPECT_NE(askOwner, 0u) << "the question belongs to the dialog that asked it";
    EXPECT_EQ(saveClass, "sonvarek.Sonvarek");

    FileDialog cancelled(host, folder.Path(), 0);
    UserThread canceller(*presenter, [](XUser& u) {
        const Window dialog = FocusedDialog(u, "Open");
        if (!dialog)
            return false;
        ClickButton(u, dialog, 2, 1);
        return true;
    });
    EXPECT_FALSE(GetOpenFileNameA(&cancelled.request));
    EXPECT_TRUE(canceller.Succeeded());
}

struct ColourDialog
{
    COLORREF custom[16] = {};
    CHOOSECOLORA request{};
    explicit ColourDialog(HWND owner)
    {
        request.lStructSize = sizeof request;
        request.hwndOwner = owner;
        request.rgbResult = RGB(1, 2, 3);
        request.lpCustColors = custom;
        request.Flags = CC_RGBINIT;
    }
};

UINT_PTR TitleHook(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        SetWindowTextA(dialog, "Meter colour");
    return 0;
}

TEST_F(PresenterDialogsTest, AColourIsTypedAsHex)
{
    ColourDialog dialog(host);
    CHOOSECOLORA& request = dialog.request;
    request.Flags |= CC_ENABLEHOOK;
    request.lpfnHook = TitleHook;
    UserThread person(*presenter, [](XUser& u) {
        if (!FocusedDialog(u, "Meter colour"))
            return false;
        for (int i = 0; i < 7; ++i)
            u.Tap(XK_BackSpace);
        u.Type("zz");
        u.Tap(XK_Return);
        u.Tap(XK_BackSpace);
        u.Tap(XK_BackSpace);
        u.Type("#12ab34");
        u.Tap(XK_Return);
        return true;
    });
    EXPECT_TRUE(ChooseColorA(&request));
    EXPECT_TRUE(person.Succeeded());
    EXPECT_EQ(request.rgbResult, RGB(0x12, 0xAB, 0x34)) << "\"zz\" was refused";
}

TEST_F(PresenterDialogsTest, MessageBoxesAnswerTheirButtonsEnterEscapeAndClosing)
{
    struct Case
    {
        HWND owner;
        UINT type;
        std::function<void(XUser&, Window)> act;
        int answer;
    };
    const Case cases[] = {
        {host, MB_YESNO, [](XUser& u, Window w) { ClickButton(u, w, 2, 1); }, IDNO},
        {host, MB_OKCANCEL, [](XUser& u, Window) { u.Tap(XK_Escape); }, IDCANCEL},
        {host, MB_YESNOCANCEL | MB_DEFBUTTON2, [](XUser& u, Window) { u.Tap(XK_Return); }, IDNO},
        {nullptr, MB_OK, [](XUser& u, Window w) { u.AskToClose(w); }, IDOK},
        // The keyboard alone reaches every button.
        {host, MB_YESNO | MB_DEFBUTTON2,
         [](XUser& u, Window) {
             u.Tap(XK_Left);
             u.Tap(XK_Return);
         },
         IDYES},
        {host, MB_YESNOCANCEL,
         [](XUser& u, Window) {
             u.Tap(XK_Tab);
             u.Tap(XK_Tab);
             u.Tap(XK_space);
         },
         IDCANCEL},
        {host, MB_OKCANCEL,
         [](XUser& u, Window) {
             u.Tap(XK_Tab, {XK_Shift_L});  // back from the first: the last
             u.Tap(XK_Return);
         },
         IDCANCEL},
    };
    for (const Case& c : cases)
    {
        Window owner = 0;
        UserThread person(*presenter, [&](XUser& u) {
            const Window w = FocusedDialog(u, "Preset");
            if (!w)
                return false;
            owner = u.TransientFor(w);
            c.act(u, w);
            if (u.WaitForGone(w))
                return true;
            u.Tap(XK_Escape);  // unanswered: the test goes on
            return false;
        });
        EXPECT_EQ(MessageBoxA(c.owner, "Replace the preset?", "Preset", c.type), c.answer) << "type " << c.type;
        EXPECT_TRUE(person.Succeeded());
        EXPECT_EQ(owner, presenter->XWindowOf(host)) << "without an owner, over the shown window";
    }
}

TEST_F(PresenterDialogsTest, ALongMessageWrapsInsideTheWindow)
{
    std::string text = "The preset could not be saved:";
    for (int i = 0; i < 12; ++i)
        text += " /data/Sonvarek/presets/Broadcast";
    int width = 0, height = 0;
    UserThread person(*presenter, [&](XUser& u) {
        const Window w = FocusedDialog(u, "Preset");
        if (!w)
            return false;
        int x, y;
        u.Geometry(w, x, y, width, height);
        u.Tap(XK_Return);
        return true;
    });
    EXPECT_EQ(MessageBoxA(host, text.c_str(), "Preset", MB_OK), IDOK);
    EXPECT_TRUE(person.Succeeded());
    EXPECT_LE(width, 600);
    EXPECT_GE(height, kDialogMargin + 6 * 15 + kDialogButtonHeight) << "six lines at least";
}

// Owns a selection (CLIPBOARD, PRIMARY) on a connection and thread of its
// own and answers requests for the targets it offers.
class SelectionOwner
{
public:
    SelectionOwner(const std::string& bytes, bool utf8, const char* selection = "CLIPBOARD")
        : text(bytes), offersUtf8(utf8)
    {
        display = XOpenDisplay(nullptr);
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(display, XInternAtom(display, selection, False), window, CurrentTime);
        XSync(display, False);
        thread = std::thread([this] { Serve(); });
    }
    ~SelectionOwner()
    {
        done = true;
        thread.join();
        XCloseDisplay(display);
    }

private:
    void Serve()
    {
        const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
        while (!done)
        {
            pollfd fd = {ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, 20);
            while (XPending(display))
            {
                XEvent e;
                XNextEvent(display, &e);
                if (e.type != SelectionRequest)
                    continue;
                const XSelectionRequestEvent& r = e.xselectionrequest;
                XEvent answer{};
                answer.xselection.type = SelectionNotify;
                answer.xselection.requestor = r.requestor;
                answer.xselection.selection = r.selection;
                answer.xselection.target = r.target;
                answer.xselection.time = r.time;
                answer.xselection.property = None;
                if ((r.target == utf8 && offersUtf8) || (r.target == XA_STRING && !offersUtf8))
                {
                    XChangeProperty(display, r.requestor, r.property, r.target, 8, PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
                    answer.xselection.property = r.property;
                }
                XSendEvent(display, r.requestor, False, NoEventMask, &answer);
                XFlush(display);
            }
        }
    }

    Display* display;
    Window window;
    std::string text;
    bool offersUtf8;
    std::atomic<bool> done{false};
    std::thread thread;
};

std::u16string ClipboardNow()
{
    std::u16string text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(nullptr))
        return u"(none)";
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT))
    {
        text = static_cast<const char16_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

TEST_F(PresenterDialogsTest, TheClipboardIsReadFromTheSelection)
{
    EXPECT_EQ(ClipboardNow(), u"(none)") << "nobody owns it";
    {
        SelectionOwner owner("-12.5 dB \xE2\x80\x93 \xC3\xBC", true);
        EXPECT_EQ(ClipboardNow(), u"-12.5 dB \u2013 \u00FC");
    }
    {
        SelectionOwner owner("caf\xE9", false);
        EXPECT_EQ(ClipboardNow(), u"caf\u00E9") << "as Latin-1 where UTF-8 is refused";
    }
}

}  // namespace

namespace {

std::string WindowText(HWND hwnd)
{
    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// A point inside the dialog's text field at its left end, the field being
// the lowest white thing down the dialog's middle.
bool FieldPoint(XUser& u, Window dialog, POINT& at)
{
    int x, y, width, height;
    u.Geometry(dialog, x, y, width, height);
    XImage* image = XGetImage(u.display, dialog, width / 2, 0, 1, static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    bool found = false;
    for (int row = height; row-- > 0 && !found;)
        if ((XGetPixel(image, 0, row) & 0xFFFFFF) == 0xFFFFFF)
        {
            at = {x + kDialogMargin + 2, y + row - 4};
            found = true;
        }
    XDestroyImage(image);
    return found;
}

TEST_F(PresenterDialogsTest, AnEntryFieldPastesTheClipboardByKeyAndThePrimarySelectionByTheMiddleButton)
{
    // A number field, as the editor's entry field is: digits only.
    static WNDPROC previous = nullptr;
    const HWND field = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 200, 24, host,
                                       nullptr, nullptr, nullptr);
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_CHAR && w >= 0x20 && (w < '0' || w > '9'))
                return 0;
            return CallWindowProcA(previous, h, m, w, l);
        })));
    SetFocus(field);
    Settle();
    user->MoveTo(100 + 150, 100 + 100);
    {
        SelectionOwner clipboard("1a2", true);
        user->Tap(XK_v, {XK_Control_L});
        ASSERT_TRUE(RunUntil([&] { return WindowText(field) == "12"; })) << WindowText(field);
        user->Tap(XK_Insert, {XK_Shift_L});
        ASSERT_TRUE(RunUntil([&] { return WindowText(field) == "1212"; })) << WindowText(field);
    }
    SelectionOwner primary("3", false, "PRIMARY");
    user->Click(Button2, 100 + 10 + 2, 100 + 10 + 12);
    EXPECT_TRUE(RunUntil([&] { return WindowText(field) == "31212"; })) << WindowText(field);
}

TEST_F(PresenterDialogsTest, ADialogsFieldOpensSelectedAndEditsAndPastesAsAnEntryField)
{
    ColourDialog dialog(host);
    CHOOSECOLORA& request = dialog.request;
    SelectionOwner clipboard("2ab\n99", true);
    UserThread person(*presenter, [](XUser& u) {
        if (!FocusedDialog(u, "Color"))
            return false;
        u.Type("#1");  // replaces "#010203"
        u.Tap(XK_a, {XK_Control_L});
        u.Tap(XK_v, {XK_Control_L});  // "2ab"
        u.Tap(XK_Home);
        u.Type("#1");
        u.Tap(XK_End);
        u.Type("345");
        u.Tap(XK_Left);
        u.Tap(XK_Left);
        u.Tap(XK_Delete);  // "#12ab35"
        u.Tap(XK_Right);
        u.Tap(XK_BackSpace);
        u.Type("4");
        u.Tap(XK_Return);
        return true;
    });
    EXPECT_TRUE(ChooseColorA(&request));
    EXPECT_TRUE(person.Succeeded());
    EXPECT_EQ(request.rgbResult, RGB(0x12, 0xAB, 0x34));

    SelectionOwner primary("#445566", true, "PRIMARY");
    UserThread middle(*presenter, [](XUser& u) {
        const Window dialog = FocusedDialog(u, "Color");
        POINT at;
        if (!dialog || !FieldPoint(u, dialog, at))
            return false;
        u.Tap(XK_Delete);
        u.Click(Button2, at.x, at.y);
        u.Tap(XK_Return);
        return true;
    });
    EXPECT_TRUE(ChooseColorA(&request));
    EXPECT_TRUE(middle.Succeeded());
    EXPECT_EQ(request.rgbResult, RGB(0x44, 0x55, 0x66));
}

}  // namespace

namespace {

// The middle of the list's visible row of a dialog.
POINT ListRow(XUser& u, Window dialog, int row)
{
    int x, y, width, height;
    u.Geometry(dialog, x, y, width, height);
    return {x + width / 2, y + kDialogMargin + 1 + row * kDialogListRowHeight + kDialogListRowHeight / 2};
}

TEST_F(PresenterDialogsTest, TheFileDialogListsTheFolderToOpenFoldersAndChooseFilesByKeysOrDoubleClicks)
{
    mkdir((folder / "sub").c_str(), 0700);
    WriteBytes(folder / "sub/inner.fxp", "CcnK");
    WriteBytes(folder / "a.fxp", "CcnK");
    WriteBytes(folder / "b.txt", "text");
    // Rows: "../", "sub/", "a.fxp"; in sub: "../", "inner.fxp".
    FileDialog keys(host, folder.Path(), OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    UserThread typist(*presenter, [](XUser& u) {
        if (!FocusedDialog(u, "Open"))
            return false;
        u.Tap(XK_Down);
        u.Tap(XK_Down);
        u.Tap(XK_Return);
        u.Tap(XK_Down);
        u.Tap(XK_Down);
        u.Tap(XK_Return);
        return true;
    });
    EXPECT_TRUE(GetOpenFileNameA(&keys.request));
    EXPECT_TRUE(typist.Succeeded());
    EXPECT_EQ(std::string(keys.file), CleanFolder(folder / "sub") + "/inner.fxp");

    FileDialog mouse(host, folder.Path(), OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    UserThread clicker(*presenter, [](XUser& u) {
        const Window dialog = FocusedDialog(u, "Open");
        if (!dialog)
            return false;
        const POINT sub = ListRow(u, dialog, 1);
        u.Click(Button1, sub.x, sub.y);
        u.Click(Button1, sub.x, sub.y);
        const POINT up = ListRow(u, dialog, 0);
        u.Click(Button1, up.x, up.y);
        u.Click(Button1, up.x, up.y);
        const POINT file = ListRow(u, dialog, 2);
        u.Click(Button1, file.x, file.y);
        u.Click(Button1, file.x, file.y);
        return true;
    });
    EXPECT_TRUE(GetOpenFileNameA(&mouse.request));
    EXPECT_TRUE(clicker.Succeeded());
    EXPECT_EQ(std::string(mouse.file), CleanFolder(folder.Path()) + "/a.fxp") << "into sub, back up, then a.fxp";
}

// Polls until the window's pixel at (x, y) is colour (0xRRGGBB); x below 0
// counts from the right edge.
bool Shows(XUser& u, Window window, int x, int y, uint32_t colour)
{
    int left, top, width, height;
    u.Geometry(window, left, top, width, height);
    return PollUntil([&] { return u.Pixel(window, x < 0 ? width + x : x, y) == colour; }, 2000);
}

TEST_F(PresenterDialogsTest, TheFileDialogKeepsNamesBytesTabsToEveryPartScrollsByItsBarAndLetsGoWhenDestroyed)
{
    // "a/d\xFF/", "b/bad\xFF\xFE.fxp", "caf\xE9/" (HOME in Latin-1, say), "many/f10.fxp" to f39.
    for (const char* sub : {"a", "a/d\xFF", "b", "caf\xE9", "many"})
        mkdir((folder / sub).c_str(), 0700);
    WriteBytes(folder / "b/bad\xFF\xFE.fxp", "CcnK");
    for (int i = 10; i < 40; ++i)
        WriteBytes(folder / ("many/f" + std::to_string(i) + ".fxp"), "CcnK");
    const auto yes = [](XUser& u) {
        return FocusedDialog(u, "Confirm Save As") && (u.Tap(XK_Left), u.Tap(XK_Return), true);
    };
    const auto second = [](XUser& u) { return u.Tap(XK_Down), u.Tap(XK_Down), u.Tap(XK_Return), true; };
    const auto height = [](XUser& u, Window w) { int x, y, wide, high; return u.Geometry(w, x, y, wide, high), high; };
    // The list's scroll bar: its thumb grey at the top, then at the bottom.
    const int bar = -kDialogMargin - 3, bottom = kDialogMargin + ListBox::Height() - 5;
    // A point on the bar dy below its track's top (the thumb 92 high, over
    // 19 rows), a click.
    const auto onBar = [](XUser& u, Window w, int dy) {
        int x, y, wide, high;
        return u.Geometry(w, x, y, wide, high), POINT{x + wide - kDialogMargin - 7, y + kDialogMargin + 1 + dy};
    };
    const auto click = [](XUser& u, POINT p) { return u.Click(Button1, p.x, p.y), true; };
    const std::tuple<const char*, std::function<bool(XUser&, Window)>, const char*> cases[] = {
        {"a", [&](XUser& u, Window) { return second(u), u.Type("new"), u.Tap(XK_Return), true; }, "a/d\xFF/new.fxp"},
        {"b", [&](XUser& u, Window) { return second(u) && yes(u); }, "b/bad\xFF\xFE.fxp"},
        {"caf\xE9", [](XUser& u, Window) { return u.Tap(XK_Return), true; }, "caf\xE9/t\xE9.fxp"},
        {"b",  // destroyed by another client while it asks
         [&](XUser& u, Window w) {
             return second(u) && FocusedDialog(u, "Confirm Save As") && (XDestroyWindow(u.display, w), yes(u));
         },
         nullptr},
        {"many",  // back from the field to the list (framed blue), to its last row
         [&](XUser& u, Window w) {
             return Shows(u, w, bar, kDialogMargin + 5, 0x808080) && (u.Tap(XK_Tab, {XK_Shift_L}), u.Tap(XK_End), 1) &&
                    Shows(u, w, kDialogMargin, 100, 0x3366CC) && Shows(u, w, bar, bottom, 0x808080) &&
                    (u.Tap(XK_Return), yes(u));
         },
         "many/f39.fxp"},
        {"many", [](XUser& u, Window) { return u.Tap(XK_Tab), u.Tap(XK_Tab), u.Tap(XK_Return), true; }, nullptr},
        {"many",  // a missing folder's problem takes two lines, and goes with an edit
         [&](XUser& u, Window w) {
             const int before = height(u, w);
             u.Type(std::string(60, 'g') + "/x"), u.Tap(XK_Return);
             const bool shown = PollUntil([&] { return height(u, w) > before; }, 2000);
             u.Tap(XK_BackSpace);
             return shown && PollUntil([&] { return height(u, w) == before; }, 2000) && (u.Tap(XK_Escape), true);
         },
         nullptr},
        {"many",  // a drag over the whole field selects it
         [](XUser& u, Window w) {
             POINT at;
             return FieldPoint(u, w, at) && (u.MoveTo(at.x, at.y), u.Press(Button1), u.MoveTo(at.x + 600, at.y), 1) &&
                    (u.Release(Button1), u.Type("x"), u.Tap(XK_Return), true);
         },
         "many/x.fxp"},
        {"many",  // a press on the bar's track pages, and the field keeps its text
         [&](XUser& u, Window w) { return click(u, onBar(u, w, 200)) && (u.Tap(XK_Return), true); }, "many/t\xE9.fxp"},
        {"many",  // a page down, up, down: the second row shown is the 14th
         [&](XUser& u, Window w) {
             return click(u, onBar(u, w, 200)) && click(u, onBar(u, w, 2)) && click(u, onBar(u, w, 200)) &&
                    click(u, ListRow(u, w, 1)) && (u.Tap(XK_Return), yes(u));
         },
         "many/f22.fxp"},
        {"many",  // the thumb dragged half its way, let go outside: ten rows on
         [&](XUser& u, Window w) {
             const POINT p = onBar(u, w, 40);
             u.MoveTo(p.x, p.y), u.Press(Button1), u.MoveTo(p.x + 300, p.y + 74), u.Release(Button1);
             return click(u, ListRow(u, w, 1)) && (u.Tap(XK_Return), yes(u));
         },
         "many/f20.fxp"},
        {"many",  // the thumb's drag, the track's page and the wheel take no keys: the field keeps them
         [&](XUser& u, Window w) {
             const POINT p = onBar(u, w, 40), row = ListRow(u, w, 3);
             u.Type("Mi"), u.MoveTo(p.x, p.y), u.Press(Button1), u.MoveTo(p.x, p.y + 20), u.Release(Button1);
             click(u, onBar(u, w, 200)), u.Click(Button5, row.x, row.y);
             return u.Type("ne"), u.Tap(XK_Return), true;
         },
         "many/Mine.fxp"},
        {"many",  // with no row highlighted the keys start from the rows in view: a page down, then Down
         [&](XUser& u, Window w) { return click(u, onBar(u, w, 200)) && (u.Tap(XK_Down), u.Tap(XK_Return), yes(u)); },
         "many/f21.fxp"},
        {"many",  // the wheel, then the list's Page Up: the last row in view
         [&](XUser& u, Window w) {
             const POINT row = ListRow(u, w, 3);
             return u.Click(Button5, row.x, row.y), u.Tap(XK_Tab, {XK_Shift_L}), u.Tap(XK_Prior), u.Tap(XK_Return), yes(u);
         },
         "many/f23.fxp"},
    };
    for (const auto& [start, act, chosen] : cases)
    {
        const std::string path = folder / start, name = chosen ? chosen : "(cancelled)";
        FileDialog dialog(host, path, OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT);
        std::strcpy(dialog.file, "t\xE9");
        std::atomic<bool> returned{false};
        UserThread person(*presenter, [&](XUser& u) {
            const Window w = FocusedDialog(u, "Save As");
            if (w && act(u, w) && PollUntil([&] { return returned.load(); }, 3000))
                return true;
            u.Tap(XK_Escape);  // unanswered: the test goes on
            return false;
        });
        EXPECT_EQ(GetSaveFileNameA(&dialog.request), chosen != nullptr) << name;
        returned = true;
        EXPECT_TRUE(person.Succeeded()) << name;
        EXPECT_EQ(std::string(dialog.file), chosen ? CleanFolder(folder.Path()) + "/" + chosen : "t\xE9");
    }
}

TEST_F(PresenterDialogsTest, APathTooLongForTheCallerIsAnAlertAndTheDialogStays)
{
    FileDialog save(host, folder.Path(), OFN_PATHMUSTEXIST);
    SelectionOwner clipboard(std::string(MAX_PATH, 'n'), true);
    UserThread person(*presenter, [](XUser& u) {
        const Window dialog = FocusedDialog(u, "Save As");
        if (!dialog)
            return false;
        u.Tap(XK_v, {XK_Control_L});
        u.Tap(XK_Return);
        const Window alert = u.WaitForWindow([&](Window w) { return w != dialog && u.TextProperty(w, XA_WM_NAME) == "Save As"; });
        if (!alert || !u.WaitForFocus(alert))
            return false;
        u.Tap(XK_Return);
        if (!u.WaitForGone(alert) || !u.WaitForFocus(dialog))
            return false;
        u.Tap(XK_a, {XK_Control_L});
        u.Type("short");
        u.Tap(XK_Return);
        return true;
    });
    EXPECT_TRUE(GetSaveFileNameA(&save.request));
    EXPECT_TRUE(person.Succeeded());
    EXPECT_EQ(std::string(save.file), folder / "short.fxp");
}

}  // namespace
