// The one-line "EDIT" class.

#include "platform/win32/LayerState.h"
#include "platform/win32/LineEdit.h"
#include "platform/win32/PixelTarget.h"
#include "platform/win32/Utf.h"

#include <algorithm>

namespace {

constexpr size_t kInitialLimit = 30000;
constexpr size_t kNoLimit = 0x7FFFFFFE;
constexpr int kMargin = 1;

struct EditState : WindowExtra
{
    EditState() { edit.SetLimit(kInitialLimit); }
    LineEdit edit;
    HFONT font = nullptr;
    bool focused = false;
};

EditState* StateOf(HWND hwnd)
{
    WindowObject* w = FindWindowObject(hwnd);
    return w ? dynamic_cast<EditState*>(w->extra.get()) : nullptr;
}

void Changed(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

// Types the pasted line's characters through the window's procedure, so
// that a subclass drops what it would drop when typed.
void Paste(HWND hwnd, const std::u16string& text)
{
    for (const char16_t unit : LineEdit::PastedLine(text))
    {
        if (!StateOf(hwnd))
            return;
        SendMessageA(hwnd, WM_CHAR, unit, 1);
    }
}

void Update(HWND hwnd, LineEdit::Outcome outcome)
{
    if (outcome == LineEdit::Outcome::kChanged)
        Changed(hwnd);
    else if (outcome == LineEdit::Outcome::kPaste)
        Paste(hwnd, ClipboardText());
}

HFONT FontOf(const EditState& e)
{
    return Find<FontObject>(e.font) ? e.font : static_cast<HFONT>(Layer().stockFont);
}

// The caret at the client point's character; extending keeps the anchor,
// so that the selection reaches the point.
void PlaceCaret(HWND hwnd, EditState& e, LPARAM point, bool extend = false)
{
    const size_t at = e.edit.IndexAt(FontOf(e), GET_X_LPARAM(point));
    if (extend)
        e.edit.ExtendTo(at);
    else
        e.edit.Select(at, at);
    Changed(hwnd);
}

void SetSelection(HWND hwnd, EditState& e, WPARAM first, LPARAM last)
{
    const auto start = static_cast<intptr_t>(first);
    const size_t size = e.edit.Text().size();
    if (start == -1)
        e.edit.Select(e.edit.Caret(), e.edit.Caret());
    else
        e.edit.Select(static_cast<size_t>(std::max<intptr_t>(start, 0)), last < 0 ? size : static_cast<size_t>(last));
    Changed(hwnd);
}

void Paint(HWND hwnd, EditState& e)
{
    WindowObject* w = FindWindowObject(hwnd);
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd, &ps);
    if (!dc || !w)
        return;
    const HWND parent = w->parent ? w->parent : w->owner;
    const LRESULT answer = parent ? SendMessageA(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(hwnd))
                                  : DefWindowProcA(hwnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(hwnd));
    DcObject* dco = Find<DcObject>(dc);
    if (!FindWindowObject(hwnd) || !dco)
    {
        EndPaint(hwnd, &ps);
        return;
    }
    COLORREF background = RGB(255, 255, 255);
    if (BrushObject* brush = Find<BrushObject>(reinterpret_cast<HBRUSH>(answer)))
        background = brush->dcBrush ? dco->dcBrushColour : brush->colour;
    PixelTarget target;
    const RECT client = {0, 0, w->Width(), w->Height()};
    if (TargetOf(*dco, target))
        ReportChange(target, FillTarget(target, client, background));
    UINT alignment = DT_LEFT;
    if (w->style & ES_CENTER)
        alignment = DT_CENTER;
    else if (w->style & ES_RIGHT)
        alignment = DT_RIGHT;
    const RECT area = {client.left + kMargin, client.top + kMargin, client.right - kMargin, client.bottom - kMargin};
    e.edit.Paint(dc, area, FontOf(e), dco->textColour, background, alignment, e.focused);
    EndPaint(hwnd, &ps);
}

}  // namespace

LRESULT EditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    if (message == WM_CREATE)
    {
        auto state = std::make_unique<EditState>();
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create && create->lpszName)
            state->edit.SetText(Utf8ToUtf16(create->lpszName));
        w->extra = std::move(state);
        return 0;
    }
    EditState* e = StateOf(hwnd);
    if (!e)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message)
    {
    case WM_SETTEXT:
        e->edit.SetText(lParam ? Utf8ToUtf16(reinterpret_cast<const char*>(lParam)) : std::u16string());
        Changed(hwnd);
        return TRUE;
    case WM_GETTEXT:
        return static_cast<LRESULT>(
            CopyUtf8(Utf16ToUtf8(e->edit.Text()), reinterpret_cast<char*>(lParam), wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(Utf16ToUtf8(e->edit.Text()).size());
    case EM_LIMITTEXT:
        e->edit.SetLimit(wParam == 0 ? kNoLimit : std::min<size_t>(wParam, kNoLimit));
        return 0;
    case EM_SETSEL:
        SetSelection(hwnd, *e, wParam, lParam);
        return 0;
    case EM_GETSEL:
    {
        const size_t start = e->edit.SelectionStart(), end = e->edit.SelectionEnd();
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
        return MAKELONG(static_cast<WORD>(std::min<size_t>(start, 0xFFFF)),
                        static_cast<WORD>(std::min<size_t>(end, 0xFFFF)));
    }
    case WM_SETFONT:
        e->font = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            Changed(hwnd);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(e->font);
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | ((w->style & ES_MULTILINE) ? DLGC_WANTALLKEYS : 0);
    case WM_CHAR:
        Update(hwnd, e->edit.Char(static_cast<char16_t>(wParam)));
        return 0;
    case WM_PASTE:
        Paste(hwnd, ClipboardText());
        return 0;
    case WM_KEYDOWN:
        Update(hwnd, e->edit.Key(static_cast<int>(wParam), GetAsyncKeyState(VK_SHIFT) < 0,
                                 GetAsyncKeyState(VK_CONTROL) < 0));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        e->focused = message == WM_SETFOCUS;
        Changed(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        if ((e = StateOf(hwnd)))
        {
            PlaceCaret(hwnd, *e, lParam, (wParam & MK_SHIFT) != 0);
            // A drag selects: the moves come here while the button is held.
            SetCapture(hwnd);
        }
        return 0;
    case WM_MOUSEMOVE:
        if ((wParam & MK_LBUTTON) && GetCapture() == hwnd)
            PlaceCaret(hwnd, *e, lParam, true);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_MBUTTONDOWN:
        // As on X: the text last selected anywhere goes in where the middle
        // button was pressed.
        SetFocus(hwnd);
        if ((e = StateOf(hwnd)))
        {
            PlaceCaret(hwnd, *e, lParam);
            Paste(hwnd, PrimarySelectionText());
        }
        return 0;
    case WM_PAINT:
        Paint(hwnd, *e);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
