// A window painted as the editor paints (shapes and text into a back
// buffer, blitted on WM_PAINT), with an entry field over it, saved as PNG.
// SONVAREK_SCREENSHOT_DIR keeps the picture in that folder for a person to
// look at.

#include "support/RecordingWindow.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

constexpr int kWidth = 360, kHeight = 200;

struct BackBuffer
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* pixels = nullptr;

    BackBuffer()
    {
        BITMAPINFO info{};
        info.bmiHeader = {40, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
        previous = SelectObject(dc, bitmap);
    }
    ~BackBuffer()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Fill(int left, int top, int right, int bottom, uint32_t colour)
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                pixels[y * kWidth + x] = colour;
    }
    void Disc(int cx, int cy, int r, uint32_t colour)
    {
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    pixels[y * kWidth + x] = colour;
    }
    void Text(const char* text, int height, int weight, DWORD italic, const char* face, COLORREF colour, RECT area,
              UINT format)
    {
        const HFONT font = CreateFontA(height, 0, 0, 0, weight, italic, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
        const HGDIOBJ old = SelectObject(dc, font);
        SetTextColor(dc, colour);
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text, -1, &area, format | DT_NOPREFIX);
        SelectObject(dc, old);
        DeleteObject(font);
    }
};

void PaintFace(BackBuffer& b)
{
    b.Fill(0, 0, kWidth, kHeight, 0xFF212223);
    for (int x = 0; x < kWidth; ++x)  // a blue to orange band
        b.Fill(x, 0, x + 1, 28, 0xFF000000u | (static_cast<uint32_t>(x * 255 / kWidth) << 16) |
                                   (0x60u << 8) | static_cast<uint32_t>(255 - x * 255 / kWidth));
    b.Text("Loudness", -18, FW_BOLD, 0, "Verdana", RGB(255, 255, 255), {8, 4, 200, 28}, DT_SINGLELINE | DT_VCENTER);
    b.Text("-23.0", 40, FW_NORMAL, 0, "Verdana", RGB(181, 185, 188), {8, 36, 200, 90}, DT_SINGLELINE | DT_RIGHT);
    b.Text("LUFS", -12, FW_NORMAL, TRUE, "Verdana", RGB(255, 160, 40), {204, 56, 300, 90}, DT_SINGLELINE);
    b.Text("Integrated\nLoudness", 14, FW_NORMAL, 0, "Tahoma", RGB(200, 200, 200), {8, 96, 200, 140}, DT_CENTER);
    b.Text("BLOCKS", 12, FW_NORMAL, 0, kBlockFaceName, RGB(90, 220, 90), {8, 150, 200, 170}, DT_SINGLELINE);
    for (int i = 0; i < 12; ++i)  // a bar meter
        b.Fill(310, 180 - i * 13, 340, 180 - i * 13 + 10, i < 9 ? 0xFF30C050u : 0xFFE04030u);
    b.Disc(260, 140, 24, 0xFFF0B030u);
    b.Disc(260, 140, 12, 0xFF212223u);
}

TEST(Screenshot, AWindowPaintedFromABackBufferWithAnEntryFieldSavesAsPng)
{
    Desktop desktop;
    RecordingWindows windows;
    const HWND host = desktop.CreateHostWindow(50, 50, kWidth, kHeight);
    BackBuffer buffer;
    PaintFace(buffer);
    windows.handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_PAINT)
            return std::nullopt;
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        BitBlt(ps.hdc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, buffer.dc, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        EndPaint(h, &ps);
        return 0;
    };
    const HWND editor = windows.Create(0, 0, kWidth, kHeight, host);
    const HWND field = CreateWindowExA(0, "EDIT", "-16.0", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_CENTER, 204, 150,
                                       80, 20, editor, reinterpret_cast<HMENU>(99), nullptr, nullptr);
    const HFONT fieldFont = CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Verdana");
    SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(fieldFont), FALSE);
    SetFocus(field);
    desktop.RunFor(40);

    const DesktopImage image = desktop.WindowImage(host);
    ASSERT_EQ(image.width, kWidth);
    EXPECT_EQ(image.At(320, 175), 0xFF30C050u) << "the back buffer reached the window";
    EXPECT_EQ(image.At(206, 168) & 0xFFFFFF, 0xFFFFFFu) << "the field draws over it, white by default";

    TempFolder temp;
    const char* keep = std::getenv("SONVAREK_SCREENSHOT_DIR");
    const std::string path = keep ? std::string(keep) + "/windowing_layer.png" : temp / "window.png";
    ASSERT_TRUE(desktop.SaveWindowPng(host, path));
    const std::string png = ReadBytes(path);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    EXPECT_EQ(static_cast<unsigned char>(png[18]) * 256 + static_cast<unsigned char>(png[19]), kWidth);
    EXPECT_EQ(static_cast<unsigned char>(png[22]) * 256 + static_cast<unsigned char>(png[23]), kHeight);
    EXPECT_FALSE(desktop.SaveWindowPng(host, temp / "no/such/folder/x.png"));
    struct stat device;
    if (stat("/dev/full", &device) == 0)
    {
        EXPECT_FALSE(desktop.SaveWindowPng(host, "/dev/full")) << "a device that takes no bytes";
        EXPECT_TRUE(stat("/dev/full", &device) == 0 && S_ISCHR(device.st_mode)) << "and it is left in place";
    }

    DestroyWindow(host);
    DeleteObject(fieldFont);
}

}  // namespace
