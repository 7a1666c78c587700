// An instance's run-time object and the transport node of its render context.

#include "host/HostContextNodes.h"
#include "host/HostRunTimeObject.h"
#include "host/StandInHost.h"
#include "platform/AAXResults.h"
#include "platform/ACFInterfaceIDs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct RecordingSink : HostAutomationSink
{
    void OnAutomation(HostAutomationEvent::Kind kind, const char* id, double value) override
    {
        events.push_back({kind, id, value});
    }
    std::vector<HostAutomationEvent> events;
};

TEST(HostRunTimeObject, HandsTheAutomationOfValuesToItsSinkAndKeepsTheTouchState)
{
    StandInHost host;
    RecordingSink sink;
    HostStreamState stream;
    auto* runTime = new HostRunTimeObject(host, stream, sink);
    AAX_IHostAutomation& automation = *runTime;

    EXPECT_EQ(automation.RegisterParameter("1"), 0);
    EXPECT_EQ(automation.TouchParameter("1"), 0);
    uint8_t touched = 0;
    EXPECT_EQ(automation.ParameterTouchState("1", &touched), 0);
    EXPECT_EQ(touched, 1);
    EXPECT_EQ(automation.RequestParameterValue("1", 0.5), 0);
    EXPECT_EQ(automation.ReportParameterValue("1", 0.5), 0);
    EXPECT_EQ(automation.ReleaseParameter("1"), 0);
    EXPECT_EQ(automation.ParameterTouchState("1", &touched), 0);
    EXPECT_EQ(touched, 0);
    EXPECT_EQ(sink.events, (std::vector<HostAutomationEvent>{{HostAutomationEvent::kTouch, "1", 0.0},
                                                              {HostAutomationEvent::kRequest, "1", 0.5},
                                                              {HostAutomationEvent::kReport, "1", 0.5},
                                                              {HostAutomationEvent::kRelease, "1", 0.0}}));
    EXPECT_EQ(host.Calls(), std::vector<std::string>{"runtime2.RegisterParameter(\"1\")"});

    host.Fail(kIID_AutomationDelegate, -4);
    EXPECT_EQ(automation.RequestParameterValue("1", 0.25), -4);
    EXPECT_EQ(sink.events.size(), 4u);

    host.Fail(kIID_AutomationDelegate, 0);
    stream.sampleRate = 96000.0f;
    float rate = 0.0f;
    EXPECT_EQ(runTime->SampleRate(&rate), 0);
    EXPECT_EQ(rate, 96000.0f);
    runTime->Disconnect();
    EXPECT_EQ(runTime->SampleRate(&rate), 0);
    EXPECT_EQ(rate, HostStreamState().sampleRate);
    EXPECT_EQ(automation.TouchParameter("1"), 0);
    EXPECT_EQ(sink.events.size(), 4u);
    runTime->Relinquish();
    EXPECT_EQ(host.LiveObjects(), 0);
}

TEST(HostTransportNode, AnswersFromTheStreamUnderTheHostsSwitches)
{
    StandInHost host;
    RecordingSink sink;
    HostStreamState stream;
    stream.tempo = 140.0;
    stream.samplePosition = 4800;
    auto* runTime = new HostRunTimeObject(host, stream, sink);
    HostTransportNode node(host, *runTime, *runTime);

    AAX_ITransport* transport = node.Transport();
    ASSERT_NE(transport, nullptr);
    double tempo = 0.0;
    EXPECT_EQ(transport->Tempo(&tempo), 0);
    EXPECT_EQ(tempo, 140.0);
    int64_t samples = 0;
    EXPECT_EQ(transport->SamplePosition(&samples), 0);
    EXPECT_EQ(samples, 4800);

    host.Withhold(kIID_Transport2);
    EXPECT_EQ(transport->SamplePosition(&samples), kAAXResultNotImplemented);
    host.Fail(kIID_Transport, -3);
    EXPECT_EQ(transport->Tempo(&tempo), -3);
    host.Withhold(kIID_Transport);
    EXPECT_EQ(node.Transport(), nullptr);
    runTime->Relinquish();
}

}  // namespace
