#pragma once
// One line of editable text with a selection: its keys and its picture.
// The "EDIT" class and the display presenter's dialog fields share it, so
// that every text field answers the keyboard alike. The text is UTF-16; a
// surrogate pair counts as one character and is never split. [UI thread]

#include "platform/win32/Win32.h"

#include <algorithm>
#include <string>
#include <vector>

// The selection's colours (with the focus).
inline constexpr COLORREF kSelectionBackground = RGB(0x33, 0x66, 0xCC);
inline constexpr COLORREF kSelectionText = RGB(0xFF, 0xFF, 0xFF);

class LineEdit
{
public:
    // What a key or a character asks of the field's owner.
    enum class Outcome
    {
        kIgnored,
        kChanged,  // the text, the selection or the caret
        kPaste,  // paste the clipboard's text (see PastedLine)
    };

    const std::u16string& Text() const { return text; }
    // The text, the caret at its start, no selection.
    void SetText(std::u16string newText);
    // The selection from anchor to caret (either order), each limited to
    // the text. anchor == caret: the caret alone.
    void Select(size_t anchor, size_t caret);
    void SelectAll() { Select(0, text.size()); }
    // The caret moves to at, the anchor stays: the selection grows or
    // shrinks (a drag, a click with Shift).
    void ExtendTo(size_t at) { Select(anchor, at); }
    size_t SelectionStart() const { return std::min(anchor, caret); }
    size_t SelectionEnd() const { return std::max(anchor, caret); }
    size_t Caret() const { return caret; }
    // The most UTF-16 units typing may leave (text already longer stays).
    void SetLimit(size_t units) { limit = units; }

    // Replaces the selection with units, cut to what the limit leaves room
    // for. False when nothing went in.
    bool Insert(std::u16string units);
    // A typed character: backspace deletes back, 0x16 (Ctrl+V) asks for a
    // paste; other control characters and DEL are ignored; a high surrogate
    // waits for its low half.
    Outcome Char(char16_t unit);
    // A key going down: Left, Right, Home and End move the caret (leaving a
    // selection at its edge; with Shift the selection follows the caret
    // from its anchor), Delete deletes the selection or forward, Ctrl+A
    // selects all, Shift+Insert asks for a paste.
    Outcome Key(int virtualKey, bool shift, bool control);
    // The characters a paste of text types, one by one: its first line,
    // without control characters.
    static std::u16string PastedLine(const std::u16string& text);

    // Draws the field into area of dc with font: the background, the text
    // (aligned DT_LEFT, DT_CENTER or DT_RIGHT while it fits, else scrolled
    // so that the caret shows), and with the focus the selection or the
    // caret. The text is centred in the area's height.
    void Paint(HDC dc, const RECT& area, HFONT font, COLORREF textColour, COLORREF background, UINT alignment,
               bool focused);
    // The character boundary nearest x (the coordinates of the last Paint).
    size_t IndexAt(HFONT font, int x) const;

private:
    // x of every unit boundary from the text's start (a pair's inner
    // boundary takes its start's).
    std::vector<int> Offsets(HDC dc) const;
    void DeleteRange(size_t from, size_t to);

    std::u16string text;
    size_t limit = 0x7FFFFFFE;
    size_t anchor = 0;  // where the selection started
    size_t caret = 0;
    char16_t pendingHigh = 0;  // first half of a pair typed in two messages
    int scroll = 0;  // pixels of text scrolled out at the left
    int textLeft = 0;  // where the text started at the last Paint
};
