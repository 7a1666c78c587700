#include "platform/FileIO.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(ReadOnlyFile, ReadsRegularFilesAndRefusesOthersWithoutBlocking)
{
    TempFolder tmp;
    WriteBytes(tmp / "f", "hello");
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open((tmp / "f").c_str()));
    EXPECT_EQ(file.Size(), 5);
    char buf[6] = {};
    EXPECT_TRUE(file.ReadNext(buf, 3));
    EXPECT_FALSE(file.ReadNext(buf + 3, 3)) << "only 2 bytes remain";

    ASSERT_EQ(mkfifo((tmp / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(ReadOnlyFile().Open((tmp / "pipe").c_str()));
    EXPECT_FALSE(ReadOnlyFile().Open(tmp.Path().c_str()));
    EXPECT_FALSE(ReadOnlyFile().Open((tmp / "missing").c_str()));
    EXPECT_FALSE(ReadOnlyFile().ReadNext(buf, 1));
}

TEST(WriteFileAtomically, ReplacesTheFileWholeWithTheUsualMode)
{
    TempFolder tmp;
    WriteBytes(tmp / "f", "old content");
    ASSERT_TRUE(WriteFileAtomically((tmp / "f").c_str(), "new", 3));
    EXPECT_EQ(ReadBytes(tmp / "f"), "new");
    struct stat st;
    ASSERT_EQ(stat((tmp / "f").c_str(), &st), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);

    EXPECT_FALSE(WriteFileAtomically((tmp / "none/f").c_str(), "x", 1));
    EXPECT_FALSE(WriteFileAtomically(tmp.Path().c_str(), "x", 1)) << "a folder is not replaced";
    EXPECT_FALSE(WriteFileAtomically("", "x", 1));
}

}  // namespace
