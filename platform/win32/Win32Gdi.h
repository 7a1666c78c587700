#pragma once
// Drawing: device contexts, 32-bit DIB sections, blits, colours, fonts and
// text. [UI thread]
//
// A device context (DC) draws into one of two kinds of pixels:
// - a memory DC (CreateCompatibleDC) into the bitmap selected into it; a
//   fresh memory DC holds a 1 x 1 stock bitmap;
// - a window DC (GetDC, BeginPaint) into the window's own pixel store,
//   clipped to its client area and, for BeginPaint's DC, to the update
//   region that BeginPaint took over (the paint region).
// Pixels are 32-bit words 0xAARRGGBB (blue first in memory). Blits copy all
// four bytes; text and fills set red, green and blue and leave the alpha
// byte as it is.

#include "platform/win32/Win32Types.h"

// --- Device contexts and objects --------------------------------------------

// A new memory DC. hdc is null (compatible with the screen) or a live DC
// (every DC is alike here); a dead or foreign handle fails. New DCs: text
// colour black, background colour white, background mode OPAQUE, the stock
// 1 x 1 bitmap and the default font selected. Null on failure.
HDC CreateCompatibleDC(HDC hdc);
// Deletes a memory DC; its selected objects are deselected (not deleted).
// FALSE for anything but a live memory DC.
BOOL DeleteDC(HDC hdc);

// Selects a bitmap (memory DCs only), font or brush into the DC and answers
// the object of that kind that was selected before. A bitmap can be selected
// into one DC at a time. Null on failure (nothing changes).
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
// Deletes a bitmap, font or brush. FALSE (and nothing deleted) while the
// object is selected into a DC, or for an unknown handle. Stock objects
// answer TRUE and stay.
BOOL DeleteObject(HGDIOBJ object);

inline constexpr int DC_BRUSH = 18;
// The stock object of the index (DC_BRUSH only); null for others.
HGDIOBJ GetStockObject(int index);
// A solid brush of the colour; null on failure.
HBRUSH CreateSolidBrush(COLORREF colour);

// --- Bitmaps ---------------------------------------------------------------

inline constexpr DWORD BI_RGB = 0;
inline constexpr UINT DIB_RGB_COLORS = 0;

struct BITMAPINFOHEADER
{
    DWORD biSize;  // 40
    LONG biWidth;
    LONG biHeight;  // negative: top-down rows; positive: bottom-up
    WORD biPlanes;  // 1
    WORD biBitCount;  // 32
    DWORD biCompression;  // BI_RGB
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40, "the header is 40 bytes on every platform");

struct RGBQUAD
{
    BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
};
struct BITMAPINFO
{
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

// A 32 bits-per-pixel DIB section: header size 40, width >= 1, height != 0
// (negative = top-down, positive = bottom-up: the first stored row is the
// bottom one), 1 plane, BI_RGB, usage DIB_RGB_COLORS, no section (null) and
// offset 0; hdc may be null. The pixels are zeroed; *bits (when bits is not
// null) gets the first stored row, rows are width pixels apart. Null (and
// *bits null) for any other request, or above 2^28 pixels.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);

// --- Window DCs and painting ---------------------------------------------------

// A DC on the window's client area; release it with ReleaseDC. Null for a
// window that does not exist (or a null window: there is no screen DC).
HDC GetDC(HWND hwnd);
// 1 when the DC was the window's and is now released, else 0.
int ReleaseDC(HWND hwnd, HDC hdc);

struct PAINTSTRUCT
{
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;  // bounding rectangle of the paint region, client coordinates
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
// Takes the window's update region over as the paint region (the window is
// then valid) and answers a DC clipped to it; rcPaint is its bounding box
// (all zero when the region was empty). Null for a window that does not
// exist. End with EndPaint.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
// Releases BeginPaint's DC. FALSE when paint or its DC is not one of hwnd's.
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

inline constexpr DWORD SRCCOPY = 0x00CC0020;
// Copies width x height pixels at (xSrc, ySrc) of the source DC to (x, y) of
// the destination DC (SRCCOPY only), clipped to both pixel areas and to the
// destination's clipping (paint region). Pixels that reach a window go to
// its pixel store and are reported to the presenter. FALSE for another
// operation or a DC that does not exist; TRUE otherwise (also when nothing
// was left to copy). Time is linear in the pixels copied.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop);

// --- Colours and background ----------------------------------------------------

// Each answers the previous value; CLR_INVALID (or 0 for the mode) for a DC
// that does not exist.
COLORREF SetTextColor(HDC hdc, COLORREF colour);
COLORREF SetBkColor(HDC hdc, COLORREF colour);
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
// TRANSPARENT or OPAQUE; 0 for any other mode (nothing changes).
int SetBkMode(HDC hdc, int mode);

// --- Fonts -------------------------------------------------------------------

inline constexpr int FW_DONTCARE = 0;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;
inline constexpr DWORD DEFAULT_CHARSET = 1;
inline constexpr DWORD OUT_DEFAULT_PRECIS = 0;
inline constexpr DWORD CLIP_DEFAULT_PRECIS = 0;
inline constexpr DWORD DEFAULT_QUALITY = 0;
inline constexpr DWORD NONANTIALIASED_QUALITY = 3;
inline constexpr DWORD ANTIALIASED_QUALITY = 4;
inline constexpr DWORD CLEARTYPE_QUALITY = 5;
inline constexpr DWORD DEFAULT_PITCH = 0;
inline constexpr DWORD FF_DONTCARE = 0;

// The built-in face for pixel-exact tests: every character but the space
// and control characters is a solid box (coverage 255), one column narrower
// than its advance, filling the whole cell height. Cell height H = |height|
// (16 for 0); advance = max(1, H / 2); ascent H - H / 4, descent H / 4, no
// leading; bold and italic change nothing.
inline constexpr const char* kBlockFaceName = "Sonvarek Blocks";

// A font. height > 0 asks for that cell height (tmHeight), height < 0 for
// that character (em) height, 0 for a cell of 16 pixels; |height| at most
// 2048. weight: 0 or below 600 regular, 600 and above bold; italic non-zero
// for italic. quality NONANTIALIASED_QUALITY renders hard-edged glyphs, any
// other antialiased. The face name (at most 31 characters are used) is
// matched among the installed faces by the font configuration (Windows
// names such as "Verdana" find a similar installed face, bold and italic
// kept); kBlockFaceName is the built-in face; when no face file can be
// loaded the built-in face stands in. Charset, precisions and pitch are
// accepted and ignored. Null for a non-zero width, escapement or
// orientation (rotated or condensed text is not supported), for underline
// or strike-out, or for a height beyond the limit.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR face);

struct TEXTMETRICA
{
    LONG tmHeight;  // cell height: ascent + descent
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;  // tmHeight - the em height
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
// The metrics of the DC's selected font. FALSE for a DC that does not exist
// or a null metrics pointer.
BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics);
inline BOOL GetTextMetrics(HDC hdc, TEXTMETRICA* metrics) { return GetTextMetricsA(hdc, metrics); }

// --- Text --------------------------------------------------------------------

inline constexpr UINT DT_LEFT = 0x0;
inline constexpr UINT DT_TOP = 0x0;
inline constexpr UINT DT_CENTER = 0x1;
inline constexpr UINT DT_RIGHT = 0x2;
inline constexpr UINT DT_VCENTER = 0x4;
inline constexpr UINT DT_BOTTOM = 0x8;
inline constexpr UINT DT_SINGLELINE = 0x20;
inline constexpr UINT DT_NOCLIP = 0x100;
inline constexpr UINT DT_CALCRECT = 0x400;
inline constexpr UINT DT_NOPREFIX = 0x800;

// Draws or measures text with the DC's font, text colour, background mode
// and background colour. count is the number of chars (DrawTextA, UTF-8) or
// UTF-16 units (DrawTextW), -1 for a NUL-terminated text. Invalid UTF-8
// bytes and lone surrogates draw as U+FFFD.
// - Lines: with DT_SINGLELINE the text is one line ('\r' and '\n' draw as
//   glyphs); otherwise "\r\n", '\r' and '\n' each end a line, and lines are
//   tmHeight apart. Advances are whole pixels, without kerning.
// - Without DT_NOPREFIX "&&" draws '&' and a single '&' is dropped (no
//   mnemonic underline is drawn).
// - DT_CALCRECT: nothing is drawn; rect->right becomes left + the widest
//   line's width and rect->bottom top + the lines' height (an empty text is
//   one empty line).
// - Placement in rect: DT_CENTER ((width - text width) / 2 from left,
//   truncated), DT_RIGHT; with DT_SINGLELINE also DT_VCENTER and DT_BOTTOM.
// - Drawing: glyph coverage blended in the text colour; with OPAQUE
//   background each line's box is filled with the background colour first.
//   Clipped to rect unless DT_NOCLIP, and always to the DC's pixels and
//   clipping. Time is linear in the pixels touched plus the length.
// Answers the text's height (with DT_VCENTER or DT_BOTTOM: the distance from
// rect->top to the bottom of the drawn text); 0 for a DC that does not exist
// or a null text or rect. Lengths of any size are measured without overflow
// (extents saturate).
int DrawTextA(HDC hdc, LPCSTR text, int count, RECT* rect, UINT format);
int DrawTextW(HDC hdc, LPCWSTR text, int count, RECT* rect, UINT format);
