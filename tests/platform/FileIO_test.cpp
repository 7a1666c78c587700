#include "platform/FileIO.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <utility>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

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

mode_t ModeOf(const std::string& path)
{
    struct stat st = {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

// The names in a folder, "." and ".." left out.
std::vector<std::string> Listing(const TempFolder& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.Path().c_str());
    for (dirent* e = dir ? readdir(dir) : nullptr; e; e = readdir(dir))
        if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
            names.emplace_back(e->d_name);
    if (dir)
        closedir(dir);
    return names;
}

TEST(WriteFileAtomically, KeepsPermissionsAndOwnerAndWritesThroughLinks)
{
    TempFolder tmp;
    WriteBytes(tmp / "f", "old");
    ASSERT_EQ(chmod((tmp / "f").c_str(), 0640), 0);
    const bool root = geteuid() == 0;
    if (root)
    {
        ASSERT_EQ(chown((tmp / "f").c_str(), 1, 2), 0);
    }
    ASSERT_TRUE(WriteFileAtomically((tmp / "f").c_str(), "new", 3));
    EXPECT_EQ(ReadBytes(tmp / "f"), "new");
    EXPECT_EQ(ModeOf(tmp / "f") & 07777, 0640u);
    struct stat st = {};
    ASSERT_EQ(stat((tmp / "f").c_str(), &st), 0);
    if (root)
    {
        EXPECT_EQ(std::make_pair(st.st_uid, st.st_gid), std::make_pair(uid_t{1}, gid_t{2})) << "the owner stays";
    }

    // A link, a relative link to a link in another folder, a dangling link.
    ASSERT_EQ(mkdir((tmp / "sub").c_str(), 0700), 0);
    ASSERT_EQ(symlink((tmp / "f").c_str(), (tmp / "sub/l1").c_str()), 0);
    ASSERT_EQ(symlink("sub/l1", (tmp / "l2").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically((tmp / "l2").c_str(), "through two links", 17));
    EXPECT_EQ(ReadBytes(tmp / "f"), "through two links");
    EXPECT_TRUE(S_ISLNK(ModeOf(tmp / "l2")) && S_ISLNK(ModeOf(tmp / "sub/l1"))) << "the links stay";
    EXPECT_EQ(ModeOf(tmp / "f") & 07777, 0640u);
    ASSERT_EQ(symlink("made", (tmp / "sub/dangling").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically((tmp / "sub/dangling").c_str(), "x", 1));
    EXPECT_EQ(ReadBytes(tmp / "sub/made"), "x");
    EXPECT_TRUE(S_ISLNK(ModeOf(tmp / "sub/dangling")));

    ASSERT_EQ(symlink("loop", (tmp / "loop").c_str()), 0);
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically((tmp / "loop").c_str(), "x", 1));
    EXPECT_EQ(errno, ELOOP);
}

TEST(WriteFileAtomically, TemporariesAreShortNeverLeftAndKnownByName)
{
    // Target names of 245 to 255 bytes leave room for no suffix.
    TempFolder tmp;
    for (size_t length : {245u, 250u, 255u})
    {
        const std::string name = std::string(length - 4, 'n') + ".fxp";
        ASSERT_TRUE(WriteFileAtomically((tmp / name).c_str(), "data", 4)) << length;
        EXPECT_EQ(ReadBytes(tmp / name), "data");
    }
    EXPECT_EQ(Listing(tmp).size(), 3u) << "no temporary is left";
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically((tmp / std::string(256, 'n')).c_str(), "x", 1));
    EXPECT_EQ(errno, ENAMETOOLONG);

    EXPECT_TRUE(IsWriteTemporaryName(".sonvarek-4711-0.tmp"));
    EXPECT_TRUE(IsWriteTemporaryName("take.fxp.tmp4711-12")) << "as earlier versions named them";
    for (const char* name : {"take.fxp", "take.tmp", "take.fxp.tmp", "take.fxp.tmp12-", "take.fxp.tmp-3",
                             "take.fxp.tmp1-2.fxp", ".sonvarek-.tmp", ""})
        EXPECT_FALSE(IsWriteTemporaryName(name)) << name;
}

TEST(WriteFileAtomically, FifosAreWrittenDirectlyAndNeverWaitedOn)
{
    TempFolder tmp;
    const std::string fifo = tmp / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically(fifo.c_str(), "x", 1)) << "no reader: refused at once";
    EXPECT_EQ(errno, ENXIO);

    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileAtomically(fifo.c_str(), "streamed", 8));
    char got[16] = {};
    EXPECT_EQ(read(reader, got, sizeof got), 8);
    EXPECT_STREQ(got, "streamed");
    close(reader);
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo))) << "never replaced by a regular file";
    EXPECT_EQ(Listing(tmp), std::vector<std::string>{"fifo"});
}

TEST(WriteFileAtomically, DevicesAreWrittenDirectlyAndFoldersAndSocketsRefused)
{
    TempFolder tmp;
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically(tmp.Path().c_str(), "x", 1));
    EXPECT_EQ(errno, EISDIR);

    const std::string socketPath = tmp / "socket";
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically(socketPath.c_str(), "x", 1));
    EXPECT_EQ(errno, ENOTSUP);
    EXPECT_TRUE(S_ISSOCK(ModeOf(socketPath)));
    close(sock);

    // Devices of our own (the system's are never put at risk by a test).
    if (mknod((tmp / "null").c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0 ||
        mknod((tmp / "full").c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0)
        GTEST_SKIP() << "devices cannot be made here";
    EXPECT_TRUE(WriteFileAtomically((tmp / "null").c_str(), "x", 1));
    EXPECT_TRUE(S_ISCHR(ModeOf(tmp / "null")));
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically((tmp / "full").c_str(), "x", 1));
    EXPECT_EQ(errno, ENOSPC) << "errno names the failed step";
    EXPECT_TRUE(S_ISCHR(ModeOf(tmp / "full")));
}

TEST(WriteFileAtomically, AFileTheProcessHoldsOpenIsWrittenInPlace)
{
    // As /dev/stdout or /dev/fd/N redirected to a file: through /proc the
    // open file itself is written (truncated), not a new one put in its place.
    TempFolder tmp;
    WriteBytes(tmp / "out", "a longer old content");
    const int fd = open((tmp / "out").c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    struct stat before = {};
    ASSERT_EQ(fstat(fd, &before), 0);
    for (const std::string& path : {"/proc/self/fd/" + std::to_string(fd), "/dev/fd/" + std::to_string(fd)})
    {
        ASSERT_TRUE(WriteFileAtomically(path.c_str(), "state", 5)) << path;
        struct stat after = {};
        ASSERT_EQ(stat((tmp / "out").c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << path;
        EXPECT_EQ(ReadBytes(tmp / "out"), "state") << path;
    }
    close(fd);
}

}  // namespace
