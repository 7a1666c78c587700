// The value-entry field: an "EDIT" child of the editor window, subclassed so
// that Enter, Escape and losing the keyboard commit or cancel on the next
// timer tick.

#include "graphics/editor/IGraphicsWin.h"

#include "framework/core/IPlugParam.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Marks the field as the editor's.
constexpr LONG_PTR kEntryFieldMark = 0xDEADF00B;
// The most text a commit reads.
constexpr int kEntryTextMax = 512;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The whole text as one finite decimal number (blanks around it and one
// leading '+' allowed), independent of the process's locale.
bool ParseNumber(const char* text, double* out)
{
    const char* begin = text;
    const char* end = text + std::strlen(text);
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    if (begin < end && *begin == '+')
        ++begin;
    if (begin == end)
        return false;
    double v = 0.0;
    const std::from_chars_result r = std::from_chars(begin, end, v);
    if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v))
        return false;
    *out = v;
    return true;
}

// What the typed text stands for: one of a choice parameter's display
// texts, else a number. False when it is neither.
bool TypedValue(const IPlugParam& param, const char* text, double* out)
{
    const ParamKind kind = param.Kind();
    int32_t textValue = 0;
    if ((kind == kParamChoice || kind == kParamBool) && param.ValueForDisplayText(text, &textValue))
    {
        *out = textValue;
        return true;
    }
    return ParseNumber(text, out);
}

}  // namespace

void IGraphicsWin::OpenEntryField(IControl* control, const TextStyle& style, const IBounds& area, const char* text,
                                  IPlugParam* param)
{
    if (!control || !window || entryField)
        return;
    DWORD fieldStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_MULTILINE;
    if (style.alignment == 1)
        fieldStyle |= ES_CENTER;
    else if (style.alignment == 2)
        fieldStyle |= ES_RIGHT;
    entryField = CreateWindowExA(0, "EDIT", text ? text : "", fieldStyle, area.L, area.T, area.R - area.L + 1,
                                 area.B - area.T + 1, window, reinterpret_cast<HMENU>(kEntryFieldId),
                                 moduleInstance, nullptr);
    if (!entryField)
        return;
    entryFont = CreateFontA(style.size, 0, 0, 0, style.style == 1 ? FW_BOLD : FW_DONTCARE, style.style == 2, 0, 0,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, style.face);
    SendMessageA(entryField, EM_LIMITTEXT, static_cast<WPARAM>(control->EntryLength()), 0);
    if (entryFont)
        SendMessageA(entryField, WM_SETFONT, reinterpret_cast<WPARAM>(entryFont), 0);
    SendMessageA(entryField, EM_SETSEL, 0, -1);
    entryControl = control;
    entryParam = param;
    entryState = kEntryIdle;
    // Subclassed before it takes the keyboard, so that its focus is seen.
    entryPreviousProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(entryField, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EntryProc)));
    SetWindowLongPtrA(entryField, GWLP_USERDATA, kEntryFieldMark);
    SetFocus(entryField);
}

void IGraphicsWin::RequestCommit()
{
    // A cancel already asked for stands (Escape, then a click elsewhere).
    if (entryField && entryState != kEntryCancel)
        entryState = kEntryCommit;
}

void IGraphicsWin::CancelEntry()
{
    if (entryField)
        entryState = kEntryCancel;
}

void IGraphicsWin::RemoveEntryField()
{
    if (!entryField)
        return;
    HWND field = entryField;
    HFONT font = entryFont;
    entryField = nullptr;
    entryFont = nullptr;
    entryControl = nullptr;
    entryParam = nullptr;
    entryState = kEntryIdle;
    // Its own procedure back first, so that losing the keyboard as it goes
    // commits nothing.
    if (entryPreviousProc)
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entryPreviousProc));
    entryPreviousProc = nullptr;
    DestroyWindow(field);
    if (font)
        DeleteObject(font);
}

void IGraphicsWin::CommitEntry()
{
    char text[kEntryTextMax + 1] = {};
    SendMessageA(entryField, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    IControl* control = entryControl;
    IPlugParam* param = entryParam;
    // The field goes before the control hears of the value: what the value
    // sets off may rebuild the controls.
    RemoveEntryField();
    if (!control)
        return;
    if (!param)
    {
        control->EntryFinished(text);
        return;
    }
    double value = 0.0;
    if (TypedValue(*param, text, &value))
        control->AcceptUserValue(param->MapToUnit(value));
}

LRESULT CALLBACK IGraphicsWin::EntryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(GetParent(hwnd), GWLP_USERDATA));
    if (!self || self->entryField != hwnd)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return self->HandleEntryMessage(message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleEntryMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HideTooltip();
    const WNDPROC previous = entryPreviousProc;
    HWND field = entryField;
    switch (message)
    {
    case WM_CHAR:
    {
        const ParamKind kind = entryParam ? entryParam->Kind() : kParamNone;
        // Control characters pass: backspace, and Ctrl+V, whose paste types
        // its characters through here.
        if (wParam < 0x20 || kind == kParamNone || kind > kParamDouble)
            break;
        const bool digitOrSign = (wParam >= '0' && wParam <= '9') || wParam == '+' || wParam == '-';
        if (digitOrSign || (kind == kParamDouble && wParam == '.'))
            break;
        // A decimal comma is taken as the point.
        if (kind == kParamDouble && wParam == ',')
            return CallWindowProcA(previous, field, message, '.', lParam);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
        {
            RequestCommit();
            return 0;
        }
        if (wParam == VK_ESCAPE)
        {
            entryState = kEntryCancel;
            return 0;
        }
        break;
    case WM_SETFOCUS:
        entryState = kEntryFocused;
        break;
    case WM_KILLFOCUS:
        RequestCommit();
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == 1)
        {
            RequestCommit();
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        if (!entryParam)
        {
            LRESULT code = CallWindowProcA(previous, field, message, wParam, lParam);
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        break;
    default:
        break;
    }
    return CallWindowProcA(previous, field, message, wParam, lParam);
}
