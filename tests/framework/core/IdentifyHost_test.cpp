#include "framework/core/HostId.h"
#include "framework/core/ToLowerCopy.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ToLowerCopy, IsBoundedAndSafeAboveAscii)
{
    char dest[8];
    std::memset(dest, 'z', sizeof dest);
    ToLowerCopy(dest, sizeof dest, "ABCDEFGHIJ");
    EXPECT_STREQ(dest, "abcdefg");

    ToLowerCopy(dest, sizeof dest, "\xC3\x84X");  // bytes above 0x7F stay
    EXPECT_STREQ(dest, "\xC3\x84x");
    ToLowerCopy(dest, sizeof dest, nullptr);
    EXPECT_STREQ(dest, "");
}

TEST(IdentifyHost, FirstSubstringInTableOrderDecides)
{
    EXPECT_EQ(IdentifyHost("ProTools"), kHostProTools);
    EXPECT_EQ(IdentifyHost("NUENDO and Cubase"), kHostCubase);
    EXPECT_EQ(IdentifyHost("Deliverance Studio"), kHostLive) << "substring inside a word";
    EXPECT_EQ(IdentifyHost("Live and Logic"), kHostLive);
    EXPECT_EQ(IdentifyHost("Logic Pro"), kHostLogic);
    EXPECT_EQ(IdentifyHost("VST3PluginTestHost"), kHostVST3TestHost);
    EXPECT_EQ(IdentifyHost(""), kHostUnknown);
    EXPECT_EQ(IdentifyHost(nullptr), kHostUnknown);
    EXPECT_EQ(IdentifyHost("Some Editor"), kHostUnknown);
}

TEST(IdentifyHost, LooksAtTheFirst255Bytes)
{
    std::string name(250, 'x');
    EXPECT_EQ(IdentifyHost((name + "reaper").c_str()), kHostUnknown) << "cut inside the word";
    name.resize(249);
    EXPECT_EQ(IdentifyHost((name + "reaper" + std::string(5000, 'y')).c_str()), kHostReaper);
}

}  // namespace
