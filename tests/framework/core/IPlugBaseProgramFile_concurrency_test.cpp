// Program files are applied under the plug-in lock: a thread that holds the
// lock (the render path) sees either all of a file's values or none, and never
// the values that loading a file as a preset puts in place for a moment.

#include "support/TestPlug.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Watches parameters 0 and 1 under the lock until told to stop; counts the
// views that are neither of the two allowed pairs.
int CountTornViews(TestPlug& plug, std::atomic<bool>& stop, double a0, double a1, double b0, double b1)
{
    int torn = 0;
    stop = false;  // the loader waits for this before it starts
    while (!stop.load())
    {
        PlatformLockGuard guard(plug.GetLock());
        const double v0 = plug.GetParam(0)->Value();
        const double v1 = plug.GetParam(1)->Value();
        if (!((v0 == a0 && v1 == a1) || (v0 == b0 && v1 == b1)))
            ++torn;
    }
    return torn;
}

// A program file with parameters 0 and 1 at v0 and v1.
StringBuf SaveProgram(const TempFolder& folder, const char* name, double v0, double v1)
{
    TestPlug writer;
    writer.GetParam(0)->SetValue(v0);
    writer.GetParam(1)->SetValue(v1);
    StringBuf path((folder / name).c_str());
    EXPECT_TRUE(writer.SaveProgramFile(path, name));
    return path;
}

TEST(ProgramFileConcurrency, TheLockHolderSeesWholeFilesOnly)
{
    TempFolder folder;
    const StringBuf a = SaveProgram(folder, "a.fxp", -30.0, 2.0);
    const StringBuf b = SaveProgram(folder, "b.fxp", -15.0, 4.0);

    TestPlug plug;
    ASSERT_TRUE(plug.LoadProgramFile(a, true));
    std::atomic<bool> stop{true};
    int torn = 0;
    std::thread watcher([&] { torn = CountTornViews(plug, stop, -30.0, 2.0, -15.0, 4.0); });
    while (stop.load())
        std::this_thread::yield();
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(plug.LoadProgramFile(i % 2 ? a : b, true));
    stop = true;
    watcher.join();
    EXPECT_EQ(torn, 0);
}

TEST(ProgramFileConcurrency, LoadingAsPresetNeverShowsTheFilesValues)
{
    TempFolder folder;
    const StringBuf file = SaveProgram(folder, "f.fxp", -30.0, 2.0);

    TestPlug plug;
    std::atomic<bool> stop{true};
    int torn = 0;
    std::thread watcher([&] { torn = CountTornViews(plug, stop, 0.0, 0.0, 0.0, 0.0); });
    while (stop.load())
        std::this_thread::yield();
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(plug.LoadProgramFileAsPreset(file));
    stop = true;
    watcher.join();
    EXPECT_EQ(torn, 0);
}

}  // namespace
