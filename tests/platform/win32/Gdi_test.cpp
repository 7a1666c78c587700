// Device contexts, DIB sections, selection, blits and the live-object counts.

#include "platform/win32/Rects.h"
#include "support/RecordingWindow.h"

#include <gtest/gtest.h>

namespace {

struct GdiTest : ::testing::Test
{
    Desktop desktop;

    static HBITMAP MakeDib(int width, int height, uint32_t** bits)
    {
        BITMAPINFO info{};
        info.bmiHeader = {40, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
    }
};

TEST_F(GdiTest, DibSectionsAreZeroedAndStoreRowsTopDownOrBottomUp)
{
    uint32_t *top = nullptr, *bottom = nullptr;
    const HBITMAP down = MakeDib(3, -2, &top);
    const HBITMAP up = MakeDib(3, 2, &bottom);
    ASSERT_NE(down, nullptr);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(top[5], 0u);
    top[0] = 0xFF000001;  // first stored row: the top one
    bottom[0] = 0xFF000002;  // first stored row: the bottom one
    EXPECT_EQ(desktop.BitmapImage(down).At(0, 0), 0xFF000001u);
    EXPECT_EQ(desktop.BitmapImage(up).At(0, 1), 0xFF000002u);

    // A blit addresses both top-down whatever their storage.
    const HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
    SelectObject(a, down);
    SelectObject(b, up);
    EXPECT_TRUE(BitBlt(b, 0, 0, 3, 1, a, 0, 0, SRCCOPY));
    EXPECT_EQ(bottom[3], 0xFF000001u) << "the top row of the bottom-up bitmap is its second stored row";
    DeleteDC(a);
    DeleteDC(b);
    DeleteObject(down);
    DeleteObject(up);
}

TEST_F(GdiTest, OddRequestsForDibSectionsFail)
{
    BITMAPINFO info{};
    void* bits = reinterpret_cast<void*>(1);
    const BITMAPINFOHEADER good = {40, 4, 4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    for (int field = 0; field < 6; ++field)
    {
        info.bmiHeader = good;
        switch (field)
        {
        case 0: info.bmiHeader.biSize = 12; break;
        case 1: info.bmiHeader.biWidth = 0; break;
        case 2: info.bmiHeader.biHeight = 0; break;
        case 3: info.bmiHeader.biBitCount = 24; break;
        case 4: info.bmiHeader.biCompression = 3; break;
        case 5: info.bmiHeader.biWidth = info.bmiHeader.biHeight = 40000; break;
        }
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << field;
        EXPECT_EQ(bits, nullptr);
    }
    EXPECT_EQ(desktop.Counts().bitmaps, 0);
}

TEST_F(GdiTest, SelectionAnswersThePreviousObjectAndGuardsDeletion)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    uint32_t* bits = nullptr;
    const HBITMAP bitmap = MakeDib(4, -4, &bits);
    const HGDIOBJ stock = SelectObject(dc, bitmap);
    ASSERT_NE(stock, nullptr) << "a fresh DC holds the stock bitmap";
    EXPECT_EQ(desktop.BitmapImage(static_cast<HBITMAP>(stock)).width, 1);
    EXPECT_EQ(SelectObject(dc, bitmap), bitmap);
    EXPECT_FALSE(DeleteObject(bitmap)) << "selected into a DC";
    const HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr) << "one DC at a time";

    const HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Verdana");
    const HGDIOBJ oldFont = SelectObject(dc, font);
    EXPECT_NE(oldFont, nullptr);
    EXPECT_FALSE(DeleteObject(font));
    EXPECT_EQ(SelectObject(dc, oldFont), font);
    EXPECT_TRUE(DeleteObject(font));

    EXPECT_EQ(SelectObject(dc, stock), bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(GetStockObject(DC_BRUSH))) << "stock objects stay";
    EXPECT_NE(GetStockObject(DC_BRUSH), nullptr);
    EXPECT_EQ(GetStockObject(0), nullptr);
    DeleteDC(dc);
    DeleteDC(other);
    EXPECT_EQ(desktop.Counts(), LiveCounts{});
}

TEST_F(GdiTest, DeletingADcReleasesWhatItHeld)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    uint32_t* bits = nullptr;
    const HBITMAP bitmap = MakeDib(2, 2, &bits);
    const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    SelectObject(dc, bitmap);
    SelectObject(dc, brush);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
}

TEST_F(GdiTest, BlitsClipToBothSidesAndAnOverlappingCopyReadsTheOriginal)
{
    uint32_t *src = nullptr, *dst = nullptr;
    const HBITMAP s = MakeDib(4, -4, &src), d = MakeDib(4, -4, &dst);
    for (int i = 0; i < 16; ++i)
        src[i] = 0xFF000000u | static_cast<uint32_t>(i);
    const HDC sdc = CreateCompatibleDC(nullptr), ddc = CreateCompatibleDC(nullptr);
    SelectObject(sdc, s);
    SelectObject(ddc, d);
    // Source partly outside on the left and top: the destination shifts.
    EXPECT_TRUE(BitBlt(ddc, 0, 0, 4, 4, sdc, -1, -2, SRCCOPY));
    const DesktopImage image = desktop.BitmapImage(d);
    EXPECT_EQ(image.At(0, 0), 0u);
    EXPECT_EQ(image.At(1, 2), 0xFF000000u);
    EXPECT_EQ(image.At(3, 3), 0xFF000006u);
    // Far outside: nothing, and still a success.
    EXPECT_TRUE(BitBlt(ddc, 1000000, -1000000, 2147483647, 5, sdc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(ddc, 0, 0, 1, 1, sdc, 0, 0, 0x00EE0086)) << "only copies";

    EXPECT_TRUE(BitBlt(sdc, 1, 0, 3, 4, sdc, 0, 0, SRCCOPY));
    EXPECT_EQ(desktop.BitmapImage(s).At(3, 0), 0xFF000002u);
    DeleteDC(sdc);
    DeleteDC(ddc);
    DeleteObject(s);
    DeleteObject(d);
}

TEST_F(GdiTest, ABlitReachesTheWindowsStoreAndThePresenter)
{
    struct Recorder : DesktopPresenter
    {
        std::vector<RECT> changes;
        int created = 0, moved = 0, destroyed = 0;
        void WindowCreated(HWND) override { ++created; }
        void WindowMoved(HWND, const RECT&, bool) override { ++moved; }
        void WindowDestroyed(HWND) override { ++destroyed; }
        void PixelsChanged(HWND, const RECT& r) override { changes.push_back(r); }
    } presenter;
    desktop.SetPresenter(&presenter);
    RecordingWindows windows;
    const HWND w = windows.Create(0, 0, 10, 10);
    uint32_t* bits = nullptr;
    const HBITMAP b = MakeDib(20, -20, &bits);
    std::fill_n(bits, 400, 0xFFABCDEFu);
    const HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, b);
    const HDC window = GetDC(w);
    EXPECT_TRUE(BitBlt(window, 5, 5, 20, 20, memory, 0, 0, SRCCOPY));
    ASSERT_EQ(presenter.changes.size(), 1u);
    EXPECT_EQ(presenter.changes[0].left, 5);
    EXPECT_EQ(presenter.changes[0].right, 10) << "clipped to the client area";
    EXPECT_EQ(desktop.WindowImage(w).At(9, 9), 0xFFABCDEFu);
    EXPECT_EQ(desktop.WindowImage(w).At(4, 4), 0u);
    EXPECT_EQ(SelectObject(window, b), nullptr) << "no bitmap goes into a window's DC";
    EXPECT_EQ(ReleaseDC(w, window), 1);
    EXPECT_EQ(ReleaseDC(w, window), 0);
    DestroyWindow(w);
    EXPECT_EQ(presenter.created, 1);
    EXPECT_GE(presenter.moved, 1);
    EXPECT_EQ(presenter.destroyed, 1);
    DeleteDC(memory);
    DeleteObject(b);
    desktop.SetPresenter(nullptr);
}

TEST_F(GdiTest, APartOfAWindowsImageIsComposedAndClippedAsTheWhole)
{
    RecordingWindows windows;
    const HWND parent = windows.Create(0, 0, 30, 20);
    const HWND child = windows.Create(10, 5, 10, 10, parent);
    uint32_t* bits = nullptr;
    const HBITMAP b = MakeDib(30, -20, &bits);
    for (int i = 0; i < 600; ++i)
        bits[i] = 0xFF000000u | static_cast<uint32_t>(i);
    const HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, b);
    for (const HWND w : {parent, child})
    {
        const HDC dc = GetDC(w);
        BitBlt(dc, 0, 0, 30, 20, memory, 0, 0, SRCCOPY);
        ReleaseDC(w, dc);
    }
    const DesktopImage whole = desktop.WindowImage(parent);
    const DesktopImage part = desktop.WindowImage(parent, {8, 3, 40, 12});
    ASSERT_EQ(part.width, 22) << "clipped to the window";
    ASSERT_EQ(part.height, 9);
    for (int y = 0; y < part.height; ++y)
        for (int x = 0; x < part.width; ++x)
            ASSERT_EQ(part.At(x, y), whole.At(x + 8, y + 3)) << x << "," << y;
    EXPECT_EQ(part.At(2, 2), bits[0]) << "the child's first pixel";
    EXPECT_TRUE(desktop.WindowImage(parent, {30, 0, 40, 20}).pixels.empty());
    EXPECT_TRUE(desktop.WindowImage(nullptr, {0, 0, 5, 5}).pixels.empty());
    DeleteDC(memory);
    DeleteObject(b);
}

TEST_F(GdiTest, ComposingIntoAnImageWritesTheTopmostWindowsPixelsOfTheAreaOnly)
{
    // Each window shows 0xFF, its tag, then its own y and x at each pixel.
    RecordingWindows windows;
    struct Shown
    {
        uint32_t tag;
        RECT at;  // in the parent's client area, clipped to what shows
        int x, y;  // the window's top-left there
    };
    const HWND parent = windows.Create(0, 0, 30, 20);
    const HWND under = windows.Create(10, 5, 10, 10, parent);
    const HWND over = windows.Create(15, 2, 20, 8, parent);  // over under, past the parent's right edge
    const HWND inner = windows.Create(-2, 6, 5, 6, under);  // past under's left and bottom edges
    const HWND hidden = windows.Create(0, 0, 8, 8, parent);
    SetWindowPos(hidden, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
    const std::vector<std::pair<HWND, Shown>> layers = {{parent, {1, {0, 0, 30, 20}, 0, 0}},
                                                        {under, {2, {10, 5, 20, 15}, 10, 5}},
                                                        {inner, {3, {10, 11, 13, 15}, 8, 11}},
                                                        {over, {4, {15, 2, 30, 10}, 15, 2}},
                                                        {hidden, {5, {0, 0, 0, 0}, 0, 0}}};
    uint32_t* bits = nullptr;
    const HBITMAP b = MakeDib(30, -20, &bits);
    const HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, b);
    for (const auto& [hwnd, shown] : layers)
    {
        for (uint32_t y = 0; y < 20; ++y)
            for (uint32_t x = 0; x < 30; ++x)
                bits[y * 30 + x] = 0xFF000000u | shown.tag << 16 | y << 8 | x;
        const HDC dc = GetDC(hwnd);
        BitBlt(dc, 0, 0, 30, 20, memory, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, dc);
    }
    const auto expected = [&](int x, int y) {
        uint32_t pixel = 0;
        for (const auto& layer : layers)
            if (const Shown& s = layer.second; ContainsPoint(s.at, x, y))
                pixel = 0xFF000000u | s.tag << 16 | static_cast<uint32_t>(y - s.y) << 8 |
                        static_cast<uint32_t>(x - s.x);
        return pixel;
    };

    // An image narrower than the window, rows wider than the image.
    constexpr uint32_t kUntouched = 0x12345678;
    constexpr int kStride = 32;
    std::vector<uint32_t> image(kStride * 20, kUntouched);
    const RECT written = desktop.ComposeWindow(parent, {3, 1, 40, 18}, {image.data(), 28, 20, kStride});
    EXPECT_EQ(written.left, 3);
    EXPECT_EQ(written.top, 1);
    EXPECT_EQ(written.right, 28) << "clipped to the image";
    EXPECT_EQ(written.bottom, 18);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < kStride; ++x)
            ASSERT_EQ(image[y * kStride + x], ContainsPoint(written, x, y) ? expected(x, y) : kUntouched)
                << x << "," << y;
    const DesktopImage whole = desktop.WindowImage(parent);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(whole.At(x, y), expected(x, y)) << x << "," << y;

    EXPECT_TRUE(IsEmptyRect(desktop.ComposeWindow(parent, {30, 0, 40, 20}, {image.data(), 40, 20, 40})));
    EXPECT_TRUE(IsEmptyRect(desktop.ComposeWindow(nullptr, {0, 0, 5, 5}, {image.data(), 28, 20, kStride})));
    DeleteDC(memory);
    DeleteObject(b);
}

TEST_F(GdiTest, ADcWhoseWindowDiedDrawsNothingAndStillReleases)
{
    RecordingWindows windows;
    const HWND w = windows.Create(0, 0, 10, 10);
    const HDC dc = GetDC(w);
    DestroyWindow(w);
    const HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, memory, 0, 0, SRCCOPY));
    RECT r = {0, 0, 10, 10};
    EXPECT_EQ(DrawTextA(dc, "x", 1, &r, 0), 0);
    EXPECT_EQ(ReleaseDC(w, dc), 1);
    DeleteDC(memory);
    EXPECT_EQ(desktop.Counts(), LiveCounts{});
}

TEST_F(GdiTest, StaleAndForeignHandlesFail)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    DeleteDC(dc);
    const HMENU menu = CreatePopupMenu();
    const HDC foreign = reinterpret_cast<HDC>(menu);
    for (HDC bad : {static_cast<HDC>(nullptr), dc, foreign})
    {
        EXPECT_EQ(SelectObject(bad, GetStockObject(DC_BRUSH)), nullptr);
        EXPECT_EQ(SetTextColor(bad, 0), CLR_INVALID);
        EXPECT_EQ(SetBkMode(bad, OPAQUE), 0);
        TEXTMETRICA m;
        EXPECT_FALSE(GetTextMetricsA(bad, &m));
        EXPECT_FALSE(DeleteDC(bad));
        EXPECT_EQ(CreateCompatibleDC(bad == nullptr ? reinterpret_cast<HDC>(1) : bad), nullptr);
    }
    EXPECT_FALSE(DeleteObject(menu)) << "a menu is no GDI object";
    DestroyMenu(menu);
}

}  // namespace
