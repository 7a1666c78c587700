#include "platform/DataFolders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(GetLocalAppDataFolder, PrefersAnAbsoluteXdgDataHomeElseHome)
{
    const struct
    {
        const char* xdgDataHome;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/x/data/", "/home/u", "/x/data/"},
        {"relative/data", "/home/u/", "/home/u/.local/share"},  // a relative XDG_DATA_HOME is ignored
        {"", "/home/u", "/home/u/.local/share"},
        {nullptr, "", ""},
    };
    for (const auto& c : cases)
    {
        DataHomeOverride env(c.xdgDataHome, c.home);
        EXPECT_EQ(GetLocalAppDataFolder(), c.expected) << (c.xdgDataHome ? c.xdgDataHome : "unset") << ", " << c.home;
    }
}

TEST(CreateFolderIfMissing, MakesMissingParentsPrivatelyAndLeavesWhatExists)
{
    TempFolder tmp;
    EXPECT_TRUE(CreateFolderIfMissing((tmp / "a/b/c/").c_str()));
    struct stat st;
    ASSERT_EQ(stat((tmp / "a/b/c").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(CreateFolderIfMissing((tmp / "a/b").c_str()));

    WriteBytes(tmp / "file", "x");
    EXPECT_FALSE(CreateFolderIfMissing((tmp / "file").c_str()));
    EXPECT_FALSE(CreateFolderIfMissing((tmp / "file/sub").c_str()));
    EXPECT_EQ(ReadBytes(tmp / "file"), "x");
    EXPECT_FALSE(CreateFolderIfMissing(""));
}

}  // namespace
