#include "platform/DataFolders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <tuple>

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

TEST(CreateFolderIfMissing, MakesMissingParentsPrivatelyLeavesWhatExistsAndNamesWhatCannotBeMadeAndWhatIsNearest)
{
    TempFolder tmp;
    EXPECT_TRUE(CreateFolderIfMissing((tmp / "a/b/c/").c_str()));
    struct stat st;
    ASSERT_EQ(stat((tmp / "a/b/c").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(CreateFolderIfMissing((tmp / "a/b").c_str()));

    WriteBytes(tmp / "file", "x");
    ASSERT_EQ(symlink("loop", (tmp / "loop").c_str()) | mkdir((tmp / "locked").c_str(), 0500), 0);
    ASSERT_EQ(symlink("file/x", (tmp / "through").c_str()), 0);  // leads nowhere
    const std::string tooLong(300, 'n');
    // The path, the folder named, why, and the nearest folder that exists.
    const std::tuple<std::string, std::string, int, std::string> cases[] = {
        {"file", "file", ENOTDIR, ""}, {"file/sub/", "file", ENOTDIR, ""}, {"loop/sub", "loop", ELOOP, ""},
        {"through/sub", "through", ENOENT, ""},
        {tooLong + "/sub", tooLong, ENAMETOOLONG, ""}, {"locked/a/b", "locked/a", EACCES, "locked/"}};
    for (const auto& [path, failed, error, nearest] : cases)
    {
        EXPECT_EQ(NearestExistingFolder((tmp / path).c_str()), tmp / nearest) << path;
        if (error == EACCES && geteuid() == 0)
            continue;  // root may write anywhere
        std::string named;
        const bool made = CreateFolderIfMissing((tmp / path).c_str(), &named);
        const int why = errno;
        EXPECT_TRUE(!made && why == error && named == tmp / failed) << path << ": " << why << " " << named;
    }
    EXPECT_EQ(NearestExistingFolder((tmp / "a/b").c_str()), tmp / "a/b/") << "a folder that exists";
    EXPECT_EQ(ReadBytes(tmp / "file"), "x");
    EXPECT_FALSE(CreateFolderIfMissing(""));
}

}  // namespace
