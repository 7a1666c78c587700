#include "platform/DataFolders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

bool IsFolder(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST(GetLocalAppDataFolder, PrefersAnAbsoluteXdgDataHomeElseHome)
{
    {
        DataHomeOverride env("/x/data/", "/home/u");
        EXPECT_EQ(GetLocalAppDataFolder(), "/x/data/");
    }
    {
        DataHomeOverride env("relative/data", "/home/u/");
        EXPECT_EQ(GetLocalAppDataFolder(), "/home/u/.local/share") << "a relative XDG_DATA_HOME is ignored";
    }
    {
        DataHomeOverride env("", "/home/u");
        EXPECT_EQ(GetLocalAppDataFolder(), "/home/u/.local/share");
    }
    {
        DataHomeOverride env(nullptr, "");
        EXPECT_EQ(GetLocalAppDataFolder(), "");
    }
}

TEST(CreateFolderIfMissing, MakesMissingParentsAndLeavesWhatExists)
{
    TempFolder tmp;
    EXPECT_TRUE(CreateFolderIfMissing((tmp / "a/b/c/").c_str()));
    EXPECT_TRUE(IsFolder(tmp / "a/b/c"));
    struct stat st;
    ASSERT_EQ(stat((tmp / "a/b").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(CreateFolderIfMissing((tmp / "a/b").c_str()));

    WriteBytes(tmp / "file", "x");
    EXPECT_FALSE(CreateFolderIfMissing((tmp / "file").c_str()));
    EXPECT_FALSE(CreateFolderIfMissing((tmp / "file/sub").c_str()));
    EXPECT_EQ(ReadBytes(tmp / "file"), "x");
    EXPECT_FALSE(CreateFolderIfMissing(""));
}

}  // namespace
