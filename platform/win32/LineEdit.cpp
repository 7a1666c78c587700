#include "platform/win32/LineEdit.h"

#include "platform/win32/DibPicture.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
bool IsControl(char16_t u) { return u < 0x20 || u == 0x7F; }

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

}  // namespace

void LineEdit::SetText(std::u16string newText)
{
    text = std::move(newText);
    anchor = caret = 0;
    pendingHigh = 0;
}

void LineEdit::Select(size_t from, size_t to)
{
    anchor = std::min(from, text.size());
    caret = std::min(to, text.size());
}

bool LineEdit::Insert(std::u16string units)
{
    const size_t start = SelectionStart(), end = SelectionEnd();
    const size_t kept = text.size() - (end - start);
    const size_t room = limit > kept ? limit - kept : 0;
    if (units.size() > room)
    {
        units.resize(room);
        if (!units.empty() && IsHigh(units.back()))
            units.pop_back();
    }
    if (units.empty())
        return false;
    text.replace(start, end - start, units);
    anchor = caret = start + units.size();
    return true;
}

void LineEdit::DeleteRange(size_t from, size_t to)
{
    text.erase(from, to - from);
    anchor = caret = from;
}

LineEdit::Outcome LineEdit::Char(char16_t unit)
{
    if (unit == 8)
    {
        if (anchor == caret && caret == 0)
            return Outcome::kIgnored;
        if (anchor != caret)
            DeleteRange(SelectionStart(), SelectionEnd());
        else
            DeleteRange(StepBack(text, caret), caret);
        return Outcome::kChanged;
    }
    if (unit == 0x16)
        return Outcome::kPaste;
    if (IsControl(unit))
        return Outcome::kIgnored;
    if (IsHigh(unit))
    {
        pendingHigh = unit;
        return Outcome::kIgnored;
    }
    std::u16string units;
    if (IsLow(unit))
    {
        if (!pendingHigh)
            return Outcome::kIgnored;
        units += pendingHigh;
    }
    pendingHigh = 0;
    units += unit;
    // Beyond the limit Insert keeps nothing of one character.
    return Insert(units) ? Outcome::kChanged : Outcome::kIgnored;
}

LineEdit::Outcome LineEdit::Key(int virtualKey, bool shift, bool control)
{
    // Without Shift a selection collapses to the edge the key goes to.
    const bool collapse = !shift && anchor != caret;
    size_t to = caret;
    switch (virtualKey)
    {
    case VK_LEFT:
        to = collapse ? SelectionStart() : StepBack(text, caret);
        break;
    case VK_RIGHT:
        to = collapse ? SelectionEnd() : StepOn(text, caret);
        break;
    case VK_HOME:
        to = 0;
        break;
    case VK_END:
        to = text.size();
        break;
    case VK_DELETE:
        if (anchor != caret)
            DeleteRange(SelectionStart(), SelectionEnd());
        else if (caret < text.size())
            DeleteRange(caret, StepOn(text, caret));
        else
            return Outcome::kIgnored;
        return Outcome::kChanged;
    case VK_INSERT:
        return shift && !control ? Outcome::kPaste : Outcome::kIgnored;
    case 'A':
        if (!control || shift)
            return Outcome::kIgnored;
        SelectAll();
        return Outcome::kChanged;
    default:
        return Outcome::kIgnored;
    }
    Select(shift ? anchor : to, to);
    return Outcome::kChanged;
}

std::u16string LineEdit::PastedLine(const std::u16string& pasted)
{
    std::u16string line;
    for (const char16_t unit : pasted)
    {
        if (unit == u'\r' || unit == u'\n')
            break;
        if (!IsControl(unit))
            line += unit;
    }
    return line;
}

std::vector<int> LineEdit::Offsets(HDC dc) const
{
    // Advances are whole pixels without kerning: a prefix is as wide as its
    // characters one by one.
    std::vector<int> x(text.size() + 1, 0);
    for (size_t at = 0; at < text.size();)
    {
        const size_t next = StepOn(text, at);
        RECT r = {0, 0, 0, 0};
        DrawTextW(dc, text.data() + at, static_cast<int>(next - at), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        for (size_t i = at + 1; i < next; ++i)
            x[i] = x[at];
        x[next] = x[at] + r.right;
        at = next;
    }
    return x;
}

void LineEdit::Paint(HDC dc, const RECT& area, HFONT font, COLORREF textColour, COLORREF background, UINT alignment,
                     bool focused)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    // Drawn apart and copied in one piece, so that drawing is clipped to the
    // area.
    DibPicture s(width, height);
    if (!s.Pixels())
        return;
    SelectObject(s.Dc(), font);
    SetBkMode(s.Dc(), TRANSPARENT);
    s.Fill({0, 0, width, height}, background);
    const std::vector<int> x = Offsets(s.Dc());
    const int full = x.back();
    // One column stays free for the caret after the last character.
    const int room = width - 1;
    int left = 0;
    if (full <= room && (alignment & (DT_CENTER | DT_RIGHT)))
    {
        scroll = 0;
        left = (alignment & DT_CENTER) ? (width - full) / 2 : width - full;
    }
    else
    {
        const int caretX = x[caret];
        if (caretX - scroll > room)
            scroll = caretX - room;
        if (caretX - scroll < 0)
            scroll = caretX;
        scroll = std::clamp(scroll, 0, std::max(0, full - room));
        left = -scroll;
    }
    textLeft = area.left + left;

    TEXTMETRICA m{};
    GetTextMetricsA(s.Dc(), &m);
    const int top = (height - static_cast<int>(m.tmHeight)) / 2, bottom = top + static_cast<int>(m.tmHeight);
    const size_t selStart = SelectionStart(), selEnd = SelectionEnd();
    const bool selected = focused && selStart != selEnd;
    if (selected)
        s.Fill({left + x[selStart], top, left + x[selEnd], bottom}, kSelectionBackground);
    const auto draw = [&](size_t from, size_t to, COLORREF colour) {
        if (from >= to)
            return;
        SetTextColor(s.Dc(), colour);
        RECT r = {left + x[from], top, width, bottom};
        DrawTextW(s.Dc(), text.data() + from, static_cast<int>(to - from), &r, DT_SINGLELINE | DT_NOPREFIX);
    };
    const size_t split = selected ? selStart : text.size();
    draw(0, split, textColour);
    if (selected)
    {
        draw(selStart, selEnd, kSelectionText);
        draw(selEnd, text.size(), textColour);
    }
    else if (focused)
    {
        // Just left of the character it stands before, so as not to cover it.
        const int caretAt = std::clamp(left + x[caret] - 1, 0, width - 1);
        s.Fill({caretAt, top, caretAt + 1, bottom}, textColour);
    }
    BitBlt(dc, area.left, area.top, width, height, s.Dc(), 0, 0, SRCCOPY);
}

size_t LineEdit::IndexAt(HFONT font, int at) const
{
    const HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    const std::vector<int> x = Offsets(dc);
    DeleteDC(dc);
    const int local = at - textLeft;
    size_t best = 0;
    for (size_t i = 0; i < text.size();)
    {
        i = StepOn(text, i);
        if (std::abs(x[i] - local) < std::abs(x[best] - local))
            best = i;
    }
    return best;
}
