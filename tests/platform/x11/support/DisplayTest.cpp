#include "support/DisplayTest.h"

#include "platform/win32/Win32.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

UserThread::UserThread(X11Presenter& presenter, std::function<bool(XUser&)> act)
    : thread([this, &presenter, act = std::move(act)] {
          XUser user;
          succeeded = user.display && act(user);
          if (!succeeded)
              presenter.Stop();
      })
{
}

UserThread::~UserThread()
{
    if (thread.joinable())
        thread.join();
}

bool UserThread::Succeeded()
{
    if (thread.joinable())
        thread.join();
    return succeeded;
}

void DisplayTest::SetUp()
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display: run under scripts/with-xvfb.sh";
    std::string error;
    presenter = X11Presenter::Open(desktop, nullptr, error, sharedMemory);
    ASSERT_TRUE(presenter) << error;
    user = std::make_unique<XUser>();
    ASSERT_TRUE(user->display);
}

bool DisplayTest::RunUntil(const std::function<bool()>& done, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        presenter->RunOnce(20);
    }
    return true;
}

HWND DisplayTest::ShowHost(int x, int y, int width, int height)
{
    const HWND host = windows.Create(x, y, width, height);
    EXPECT_TRUE(RunUntil([&] { return Viewable(host); }));
    Settle();
    windows.log.clear();
    return host;
}

bool DisplayTest::Viewable(HWND hwnd)
{
    XWindowAttributes a;
    const Window w = presenter->XWindowOf(hwnd);
    return w && XGetWindowAttributes(presenter->XDisplay(), w, &a) && a.map_state == IsViewable;
}

void DisplayTest::Settle()
{
    XSync(presenter->XDisplay(), False);
    presenter->RunOnce(0);
}

std::vector<RecordedMessage> DisplayTest::Of(HWND hwnd, UINT message) const
{
    std::vector<RecordedMessage> found;
    for (const RecordedMessage& m : windows.log)
        if (m.hwnd == hwnd && m.message == message)
            found.push_back(m);
    return found;
}

void DisplayTest::Paint(HWND hwnd, uint32_t seed)
{
    RECT r;
    GetClientRect(hwnd, &r);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            pixels[y * r.right + x] = 0xFF000000u | ((x * 7 + seed) & 0xFF) << 16 | ((y * 5 + seed * 3) & 0xFF) << 8 |
                                      ((x + y + seed * 11) & 0xFF);
    SelectObject(memory, bitmap);
    const HDC dc = GetDC(hwnd);
    BitBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

void DisplayTest::Fill(HWND hwnd, const RECT& r, uint32_t colour)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP area = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::fill_n(static_cast<uint32_t*>(bits), width * height, colour);
    SelectObject(memory, area);
    const HDC dc = GetDC(hwnd);
    BitBlt(dc, r.left, r.top, width, height, memory, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    DeleteDC(memory);
    DeleteObject(area);
}

bool DisplayTest::ShowsLayerImage(HWND hwnd)
{
    const DesktopImage expected = desktop.WindowImage(hwnd);
    const Window xwindow = presenter->XWindowOf(hwnd);
    if (!xwindow || expected.pixels.empty())
        return false;
    XImage* image = XGetImage(presenter->XDisplay(), xwindow, 0, 0, static_cast<unsigned>(expected.width),
                              static_cast<unsigned>(expected.height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    bool same = true;
    for (int y = 0; y < expected.height && same; ++y)
        for (int x = 0; x < expected.width && same; ++x)
            same = (XGetPixel(image, x, y) & 0xFFFFFF) == (expected.At(x, y) & 0xFFFFFF);
    XDestroyImage(image);
    return same;
}

uint32_t DisplayTest::XPixel(HWND hwnd, int x, int y)
{
    XImage* image = XGetImage(presenter->XDisplay(), presenter->XWindowOf(hwnd), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0xFFFFFFFF;
    const auto pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
    return pixel;
}
