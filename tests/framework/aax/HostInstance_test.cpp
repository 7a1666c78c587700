// The stand-in host's instances: creation through the registered procedure,
// its refusals, and how requested values come back.

#include "framework/aax/CACFUnknown.h"
#include "support/TestPlugAAX.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

namespace {

IACFUnknown* MakeNothing() { return nullptr; }

TEST(HostInstance, IsMadeOnTheComponentOfItsStemFormatsOrNotAtAll)
{
    TestSession session;
    const int32_t liveBefore = CACFUnknown::LiveObjectCount();
    std::string error;
    EXPECT_EQ(HostInstance::Create(session.host, session.effect, TestSession::Stream(3), &error), nullptr);
    EXPECT_EQ(error, "no component for the stem formats 0x00020003, 0x00020003");
    EXPECT_EQ(HostInstance::Create(session.host, &MakeNothing, session.StereoComponent(), TestSession::Stream(2), &error),
              nullptr);
    EXPECT_EQ(error, "the creation procedure made nothing");

    auto instance = HostInstance::Create(session.host, session.effect, TestSession::Stream(6), &error);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->Component().Property(kAAXPropertyInputStemFormat), 0x00060006u);
    EXPECT_EQ(CACFUnknown::LiveObjectCount(), liveBefore + 1);
    instance.reset();
    EXPECT_EQ(CACFUnknown::LiveObjectCount(), liveBefore);
    EXPECT_EQ(session.host.LiveObjects(), 0);
}

TEST(HostInstance, AnsweringAtOnceAppliesTheRequestInsideIt)
{
    TestSession session;
    auto instance = session.NewInstance();
    ASSERT_NE(instance, nullptr);
    TestPlugAAX& plug = PlugOf(*instance);
    instance->SetEcho(HostEcho::kImmediate);
    plug.changes.clear();
    plug.SetParameterFromGUI(kTestGain, 0.25);
    EXPECT_EQ(plug.changes, (std::vector<int32_t>{kTestGain, kTestGain}));
    EXPECT_EQ(instance->DeliverRequests(), 0);
    const std::vector<HostAutomationEvent> events = instance->Automation();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].kind, HostAutomationEvent::kRequest);
    EXPECT_EQ(events[2].kind, HostAutomationEvent::kReport);  // the answer arrives before the release
}

}  // namespace
