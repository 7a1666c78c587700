#include "framework/aax/AAX_CLinearTaperDelegate.h"
#include "framework/aax/AAX_CNumberDisplayDelegate.h"
#include "framework/aax/AAX_CParameter.h"
#include "framework/aax/AAX_VAutomationDelegate.h"
#include "framework/aax/ParamRegistry.h"
#include "host/StandInHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<AAX_IParameter> Make(const char* id, int32_t value = 0)
{
    return std::make_unique<AAX_CParameter<int32_t>>(id, AAX_CString(id), value,
                                                      AAX_CLinearTaperDelegate<int32_t, 1>(0, 10),
                                                      AAX_CNumberDisplayDelegate<int32_t, 2, 0>(), true);
}

TEST(ParamRegistry, LooksUpByIdentifierAndPosition)
{
    ParamRegistry registry;
    EXPECT_NE(registry.Add(Make("MasterBypassID")), nullptr);
    AAX_IParameter* first = registry.Add(Make("1", 4));
    EXPECT_NE(registry.Add(Make("2")), nullptr);
    EXPECT_EQ(registry.Add(Make("1", 9)), nullptr);  // already registered: dropped
    EXPECT_EQ(registry.Add(nullptr), nullptr);

    EXPECT_EQ(registry.Count(), 3);
    EXPECT_EQ(registry.FindByID("1"), first);
    EXPECT_EQ(registry.IndexOf("1"), 1);
    EXPECT_EQ(registry.At(1), first);
    EXPECT_DOUBLE_EQ(registry.FindByID("1")->CurrentNormalized(), 0.4);  // the first one stays

    EXPECT_EQ(registry.FindByID("3"), nullptr);
    EXPECT_EQ(registry.FindByID(nullptr), nullptr);
    EXPECT_EQ(registry.IndexOf("3"), -1);
    EXPECT_EQ(registry.IndexOf(nullptr), -1);
    EXPECT_EQ(registry.At(3), nullptr);
    EXPECT_EQ(registry.At(-1), nullptr);
}

TEST(ParamRegistry, BindsTheDelegateAndUnregistersOnRemoval)
{
    StandInHost host;
    AAX_VAutomationDelegate automation(host.RunTime());
    ParamRegistry registry;
    registry.Add(Make("a"));  // before the delegate: never registered
    registry.BindDelegate(&automation);
    registry.Add(Make("b"));
    registry.Add(Make("b"));
    registry.RemoveAll();
    EXPECT_EQ(registry.Count(), 0);
    EXPECT_EQ(registry.FindByID("b"), nullptr);
    EXPECT_EQ(host.Calls(),
              (std::vector<std::string>{"runtime1.RegisterParameter(\"b\")", "runtime1.UnregisterParameter(\"b\")"}));
}

}  // namespace
