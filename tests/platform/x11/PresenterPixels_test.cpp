// The pixels the X windows show, sent through shared memory or by
// XPutImage; the shared-memory segments released however a window, the
// presenter or the connection ends.

#include "support/DisplayTest.h"

#include "platform/win32/Win32.h"

#include <sys/shm.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// Shared-memory segments made by this process that still exist (attached
// somewhere).
int SegmentsOfThisProcess()
{
    std::ifstream table("/proc/sysvipc/shm");
    std::string line;
    std::getline(table, line);  // the heading
    int count = 0;
    while (std::getline(table, line))
    {
        std::istringstream fields(line);
        long long key, id, permissions, size, creator;
        if (fields >> key >> id >> permissions >> size >> creator && creator == getpid())
            ++count;
    }
    return count;
}

// Whether this system makes shared-memory segments at all (a container may
// not): without them the presenter sends every image by XPutImage.
bool SystemMakesSegments()
{
    const int id = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0600);
    if (id < 0)
        return false;
    shmctl(id, IPC_RMID, nullptr);
    return true;
}

// The server lets go of a segment as it reads the detach or the end of the
// connection: soon, not at once.
bool SegmentsGone() { return PollUntil([] { return SegmentsOfThisProcess() == 0; }, 5000); }

struct PresenterPixelsTest : DisplayTest, ::testing::WithParamInterface<bool>
{
    PresenterPixelsTest() { sharedMemory = GetParam(); }

    void SetUp() override
    {
        if (GetParam() && !SystemMakesSegments())
            GTEST_SKIP() << "no shared-memory segments on this system";
        DisplayTest::SetUp();
    }
};

TEST_P(PresenterPixelsTest, TheXWindowShowsTheLayersPixelsAfterEveryChange)
{
    const HWND host = windows.Create(60, 40, 240, 160);
    const HWND editor = windows.Create(0, 0, 240, 160, host);
    const HWND field = windows.Create(200, 120, 60, 30, editor);  // past the editor's edges
    const HWND hidden = windows.Create(10, 10, 30, 30, editor);
    SetWindowPos(hidden, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
    Paint(host, 1);
    Paint(editor, 2);
    Paint(field, 3);
    Paint(hidden, 4);
    ASSERT_TRUE(RunUntil([&] { return Viewable(host) && ShowsLayerImage(host); }));
    EXPECT_EQ(SegmentsOfThisProcess(), GetParam() ? 1 : 0) << "one image kept for the window";

    // Many changes in one round, one child moved, the window resized.
    for (int i = 0; i < 12; ++i)
        Fill(editor, {i * 19, i * 13, i * 19 + 4, i * 13 + 3}, 0xFF000000u | static_cast<uint32_t>(i * 0x151515));
    EXPECT_TRUE(RunUntil([&] { return ShowsLayerImage(host); }));
    SetWindowPos(field, nullptr, 30, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(RunUntil([&] { return ShowsLayerImage(host); }));
    SetWindowPos(editor, nullptr, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER);
    Paint(editor, 5);
    EXPECT_TRUE(RunUntil([&] {
        RECT r;
        return GetWindowRect(host, &r) && r.right - r.left == 320 && ShowsLayerImage(host);
    }));
    EXPECT_EQ(SegmentsOfThisProcess(), GetParam() ? 1 : 0) << "the image of the old size is gone";
}

INSTANTIATE_TEST_SUITE_P(SharedMemoryOrPutImage, PresenterPixelsTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "SharedMemory" : "PutImage";
                         });

struct PresenterSegmentsTest : DisplayTest
{
    void SetUp() override
    {
        if (!SystemMakesSegments())
            GTEST_SKIP() << "no shared-memory segments on this system";
        DisplayTest::SetUp();
    }
};

TEST_F(PresenterSegmentsTest, TheSegmentGoesWithTheWindowThePresenterOrTheConnection)
{
    const auto show = [&] {
        const HWND host = windows.Create(0, 0, 80, 60);
        Paint(host, 1);
        EXPECT_TRUE(RunUntil([&] { return Viewable(host) && ShowsLayerImage(host); }));
        EXPECT_EQ(SegmentsOfThisProcess(), 1);
        return host;
    };
    const auto reopen = [&] {
        std::string error;
        presenter = X11Presenter::Open(desktop, nullptr, error);
        ASSERT_TRUE(presenter) << error;
    };

    DestroyWindow(show());
    presenter->RunOnce(0);
    EXPECT_TRUE(SegmentsGone()) << "the window destroyed";

    const HWND host = show();
    XDestroyWindow(user->display, presenter->XWindowOf(host));
    XSync(user->display, False);
    EXPECT_TRUE(RunUntil([&] { return presenter->StopRequested(); }));
    EXPECT_TRUE(SegmentsGone()) << "the X window destroyed by another client";
    DestroyWindow(host);

    const HWND kept = show();
    presenter.reset();
    EXPECT_TRUE(SegmentsGone()) << "the presenter closed";
    DestroyWindow(kept);

    reopen();
    const HWND last = show();
    XKillClient(user->display, presenter->XWindowOf(last));
    XSync(user->display, False);
    EXPECT_TRUE(RunUntil([&] { return presenter->DisplayLost(); }));
    presenter.reset();
    EXPECT_TRUE(SegmentsGone()) << "the connection lost";
}

}  // namespace
