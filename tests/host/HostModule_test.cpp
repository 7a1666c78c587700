#include "host/HostModule.h"

#include <gtest/gtest.h>

namespace {

TEST(HostModule, LoadsTheModuleAndResolvesEveryEntryPoint)
{
    HostModule module;
    ASSERT_TRUE(module.Load(SONVAREK_MODULE_PATH)) << module.Error();
    EXPECT_NE(module.canUnloadNow, nullptr);
    EXPECT_NE(module.getClassFactory, nullptr);
    EXPECT_NE(module.getSDKVersion, nullptr);
    EXPECT_NE(module.registerComponent, nullptr);
    EXPECT_NE(module.registerPlugin, nullptr);
    EXPECT_NE(module.shutdown, nullptr);
    EXPECT_NE(module.startup, nullptr);
    module.Unload();
    EXPECT_FALSE(module.Loaded());
    EXPECT_EQ(module.registerPlugin, nullptr);
}

TEST(HostModule, AFileThatIsNoModuleLeavesNothingLoaded)
{
    HostModule module;
    EXPECT_FALSE(module.Load("/nonexistent/Sonvarek.so"));
    EXPECT_FALSE(module.Error().empty());
    EXPECT_FALSE(module.Loaded());

    // A shared library without the entry points.
    EXPECT_FALSE(module.Load("libm.so.6"));
    EXPECT_EQ(module.Error(), "missing entry point ACFCanUnloadNow");
    EXPECT_FALSE(module.Loaded());
    EXPECT_EQ(module.canUnloadNow, nullptr);
}

}  // namespace
