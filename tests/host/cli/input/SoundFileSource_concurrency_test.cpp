// Opening files that are no audio, beside another thread that opens and uses
// descriptors of its own: a failed open must close only its own descriptor
// (libsndfile closes the one it is given when it fails), never a number the
// other thread has opened since.

#include "host/cli/input/SoundFileSource.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

namespace {

TEST(SoundFileSource, AFailedOpenClosesNoDescriptorOfAnotherThread)
{
    TempFolder folder;
    const std::string text = folder / "text.wav";
    std::FILE* f = std::fopen(text.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("not audio, only a line of text that no reader recognises\n", f);
    std::fclose(f);

    std::atomic<bool> done{false};
    std::atomic<int> lost{0};
    std::thread other([&] {
        while (!done.load())
        {
            const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                continue;
            for (int i = 0; i < 20; ++i)
                if (::fcntl(fd, F_GETFD) < 0)
                    lost.fetch_add(1);
            ::close(fd);
        }
    });
    for (int i = 0; i < 2000; ++i)
    {
        std::string error;
        EXPECT_EQ(SoundFileSource::Open(text, &error), nullptr);
    }
    done.store(true);
    other.join();
    EXPECT_EQ(lost.load(), 0);
}

}  // namespace
