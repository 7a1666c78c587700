// The one-line "EDIT" class.

#include "platform/win32/PixelTarget.h"
#include "platform/win32/Utf.h"

#include <algorithm>

namespace {

constexpr size_t kInitialLimit = 30000;
constexpr size_t kNoLimit = 0x7FFFFFFE;
constexpr int kMargin = 1;

struct EditState : WindowExtra
{
    std::u16string text;
    size_t limit = kInitialLimit;
    size_t selStart = 0;
    size_t selEnd = 0;  // the caret
    HFONT font = nullptr;
    bool focused = false;
    char16_t pendingHigh = 0;  // first half of a pair typed in two messages
};

EditState* StateOf(HWND hwnd)
{
    WindowObject* w = FindWindowObject(hwnd);
    return w ? dynamic_cast<EditState*>(w->extra.get()) : nullptr;
}

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Character steps, a surrogate pair counting as one.
size_t StepBack(const std::u16string& t, size_t at)
{
    if (at == 0)
        return 0;
    return (at >= 2 && IsLow(t[at - 1]) && IsHigh(t[at - 2])) ? at - 2 : at - 1;
}
size_t StepOn(const std::u16string& t, size_t at)
{
    if (at >= t.size())
        return t.size();
    return (at + 1 < t.size() && IsHigh(t[at]) && IsLow(t[at + 1])) ? at + 2 : at + 1;
}

void Changed(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

// Replaces the selection with units, cut to what the limit leaves room for
// (never splitting a pair). False when nothing could go in.
bool Insert(HWND hwnd, EditState& e, std::u16string units)
{
    const size_t kept = e.text.size() - (e.selEnd - e.selStart);
    const size_t room = e.limit > kept ? e.limit - kept : 0;
    if (units.size() > room)
    {
        units.resize(room);
        if (!units.empty() && IsHigh(units.back()))
            units.pop_back();
    }
    if (units.empty())
        return false;
    e.text.replace(e.selStart, e.selEnd - e.selStart, units);
    e.selStart = e.selEnd = e.selStart + units.size();
    Changed(hwnd);
    return true;
}

void DeleteRange(HWND hwnd, EditState& e, size_t from, size_t to)
{
    if (to <= from)
        return;
    e.text.erase(from, to - from);
    e.selStart = e.selEnd = from;
    Changed(hwnd);
}

void Paste(HWND hwnd, EditState& e)
{
    std::u16string text = ClipboardText();
    const size_t lineEnd = text.find_first_of(u"\r\n");
    if (lineEnd != std::u16string::npos)
        text.resize(lineEnd);
    Insert(hwnd, e, text);
}

void OnChar(HWND hwnd, EditState& e, char16_t unit)
{
    if (unit == 8)
    {
        if (e.selStart != e.selEnd)
            DeleteRange(hwnd, e, e.selStart, e.selEnd);
        else
            DeleteRange(hwnd, e, StepBack(e.text, e.selEnd), e.selEnd);
        return;
    }
    if (unit == 0x16)
    {
        Paste(hwnd, e);
        return;
    }
    if (unit < 0x20 || unit == 0x7F)
        return;
    if (IsHigh(unit))
    {
        e.pendingHigh = unit;
        return;
    }
    std::u16string units;
    if (IsLow(unit))
    {
        if (!e.pendingHigh)
            return;
        units += e.pendingHigh;
    }
    e.pendingHigh = 0;
    units += unit;
    // Beyond the limit Insert keeps nothing of one character.
    Insert(hwnd, e, units);
}

void OnKey(HWND hwnd, EditState& e, WPARAM key)
{
    size_t caret = e.selEnd;
    switch (key)
    {
    case VK_LEFT:
        caret = e.selStart != e.selEnd ? e.selStart : StepBack(e.text, caret);
        break;
    case VK_RIGHT:
        caret = e.selStart != e.selEnd ? e.selEnd : StepOn(e.text, caret);
        break;
    case VK_HOME:
        caret = 0;
        break;
    case VK_END:
        caret = e.text.size();
        break;
    case VK_DELETE:
        if (e.selStart != e.selEnd)
            DeleteRange(hwnd, e, e.selStart, e.selEnd);
        else
            DeleteRange(hwnd, e, e.selEnd, StepOn(e.text, e.selEnd));
        return;
    default:
        return;
    }
    e.selStart = e.selEnd = caret;
    Changed(hwnd);
}

void SetSelection(HWND hwnd, EditState& e, WPARAM first, LPARAM last)
{
    const auto start = static_cast<intptr_t>(first);
    if (start == -1)
        e.selStart = e.selEnd;
    else
    {
        const size_t size = e.text.size();
        const size_t a = std::min(static_cast<size_t>(std::max<intptr_t>(start, 0)), size);
        const size_t b = last < 0 ? size : std::min(static_cast<size_t>(last), size);
        e.selStart = std::min(a, b);
        e.selEnd = std::max(a, b);
    }
    Changed(hwnd);
}

int TextWidth(HDC dc, const std::u16string& text, size_t units)
{
    if (units == 0)
        return 0;
    RECT r = {0, 0, 0, 0};
    DrawTextW(dc, text.data(), static_cast<int>(std::min<size_t>(units, 0x7FFFFFFF)), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return r.right;
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
    RECT client = {0, 0, w->Width(), w->Height()};
    if (TargetOf(*dco, target))
        ReportChange(target, FillTarget(target, client, background));

    const HGDIOBJ font = Find<FontObject>(e.font) ? static_cast<HGDIOBJ>(e.font) : Layer().stockFont;
    const HGDIOBJ oldFont = SelectObject(dc, font);
    RECT area = {client.left + kMargin, client.top + kMargin, client.right - kMargin, client.bottom - kMargin};
    const int caretX = TextWidth(dc, e.text, e.selEnd);
    const int fullWidth = TextWidth(dc, e.text, e.text.size());
    UINT format = DT_SINGLELINE | DT_NOPREFIX;
    int offset = 0;
    if (w->style & ES_CENTER)
        format |= DT_CENTER;
    else if (w->style & ES_RIGHT)
        format |= DT_RIGHT;
    else if ((w->style & ES_AUTOHSCROLL) && caretX > area.right - area.left - 1)
        offset = caretX - (area.right - area.left - 1);  // keep the caret in view
    RECT textArea = {area.left - offset, area.top, area.right, area.bottom};
    if (!e.text.empty())
        DrawTextW(dc, e.text.data(), static_cast<int>(std::min<size_t>(e.text.size(), 0x7FFFFFFF)), &textArea, format);
    if (e.focused)
    {
        int start = textArea.left;
        if (format & DT_CENTER)
            start = area.left + (area.right - area.left - fullWidth) / 2;
        else if (format & DT_RIGHT)
            start = area.right - fullWidth;
        TEXTMETRICA m{};
        GetTextMetricsA(dc, &m);
        // Just left of the character it stands before, so as not to cover it.
        const int x = std::max<int>(area.left, start + caretX - 1);
        const RECT caret = {x, area.top, x + 1, area.top + m.tmHeight};
        if (TargetOf(*dco, target))
        {
            for (RECT& c : target.clip)
                c = IntersectRects(c, area);
            ReportChange(target, FillTarget(target, caret, dco->textColour));
        }
    }
    SelectObject(dc, oldFont);
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
            state->text = Utf8ToUtf16(create->lpszName);
        w->extra = std::move(state);
        return 0;
    }
    EditState* e = StateOf(hwnd);
    if (!e)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message)
    {
    case WM_SETTEXT:
        e->text = lParam ? Utf8ToUtf16(reinterpret_cast<const char*>(lParam)) : std::u16string();
        e->selStart = e->selEnd = 0;
        Changed(hwnd);
        return TRUE;
    case WM_GETTEXT:
        return static_cast<LRESULT>(CopyUtf8(Utf16ToUtf8(e->text), reinterpret_cast<char*>(lParam), wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(Utf16ToUtf8(e->text).size());
    case EM_LIMITTEXT:
        e->limit = wParam == 0 ? kNoLimit : std::min<size_t>(wParam, kNoLimit);
        return 0;
    case EM_SETSEL:
        SetSelection(hwnd, *e, wParam, lParam);
        return 0;
    case EM_GETSEL:
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(e->selStart);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(e->selEnd);
        return MAKELONG(static_cast<WORD>(std::min<size_t>(e->selStart, 0xFFFF)),
                        static_cast<WORD>(std::min<size_t>(e->selEnd, 0xFFFF)));
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
        OnChar(hwnd, *e, static_cast<char16_t>(wParam));
        return 0;
    case WM_PASTE:
        Paste(hwnd, *e);
        return 0;
    case WM_KEYDOWN:
        OnKey(hwnd, *e, wParam);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        e->focused = message == WM_SETFOCUS;
        Changed(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_PAINT:
        Paint(hwnd, *e);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
