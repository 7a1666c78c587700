#include "framework/aax/AAX_VAutomationDelegate.h"
#include "framework/aax/AAX_VCollection.h"
#include "framework/aax/AAX_VController.h"
#include "framework/aax/AAX_VHostServices.h"
#include "framework/aax/AAX_VTransport.h"
#include "framework/aax/AAX_VViewContainer.h"
#include "framework/aax/AAX_CString.h"
#include "framework/aax/HostTrace.h"
#include "host/StandInHost.h"
#include "platform/AAXResults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

constexpr int32_t kMissing = kAAXResultMissingInterface;
constexpr int32_t kNotImplemented = kAAXResultNotImplemented;

TEST(Wrappers, OnANullHostObjectEveryOperationAnswersMissing)
{
    float rate = -1.0f;
    uint32_t word = 7;
    AAX_VController controller(nullptr);
    EXPECT_EQ(controller.SampleRate(&rate), kMissing);
    EXPECT_EQ(controller.InputStemFormat(&word), kMissing);
    EXPECT_EQ(controller.OutputStemFormat(&word), kMissing);
    EXPECT_EQ(controller.SetSignalLatency(3), kMissing);
    EXPECT_EQ(controller.PostPacket(4, &word, 4), kMissing);
    EXPECT_EQ(rate, -1.0f);

    uint8_t flag = 9;
    AAX_VAutomationDelegate automation(nullptr);
    EXPECT_EQ(automation.RegisterParameter("1"), kMissing);
    EXPECT_EQ(automation.UnregisterParameter("1"), kMissing);
    EXPECT_EQ(automation.RequestParameterValue("1", 0.5), kMissing);
    EXPECT_EQ(automation.ReportParameterValue("1", 0.5), kMissing);
    EXPECT_EQ(automation.TouchParameter("1"), kMissing);
    EXPECT_EQ(automation.ReleaseParameter("1"), kMissing);
    EXPECT_EQ(automation.ParameterTouchState("1", &flag), kMissing);

    double tempo = 0.0;
    int32_t numerator = 0, denominator = 0;
    int64_t ticks = 0, start = 0, end = 0;
    AAX_VTransport transport(nullptr);
    EXPECT_EQ(transport.Tempo(&tempo), kMissing);
    EXPECT_EQ(transport.Meter(&numerator, &denominator), kMissing);
    EXPECT_EQ(transport.IsPlaying(&flag), kMissing);
    EXPECT_EQ(transport.TickPosition(&ticks), kMissing);
    EXPECT_EQ(transport.Loop(&flag, &start, &end), kMissing);
    EXPECT_EQ(transport.SamplePosition(&ticks), kNotImplemented);  // second interface

    AAX_VViewContainer view(nullptr);
    EXPECT_EQ(view.NativeView(), nullptr);
    EXPECT_EQ(view.HandleParameterMouseDown("1", kAAXModifierShift), kNotImplemented);
    EXPECT_EQ(view.SetViewSize(AAXViewSize{352.0f, 616.0f}), kMissing);
    EXPECT_EQ(view.HostModifiers(&word), kMissing);
    EXPECT_EQ(word, 7u);

    EXPECT_EQ(AAX_VHostServices(nullptr).Trace(0, "x"), kMissing);

    AAX_VCollection collection(nullptr);
    EXPECT_EQ(collection.HostCollection(), nullptr);
    EXPECT_EQ(collection.AddPackageName(AAX_CString("x")), kMissing);
    EXPECT_EQ(collection.SetPackageVersion(1), kMissing);
    AAX_IEffectDescriptor* effect = collection.NewDescriptor();
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->AddCategory(1), kMissing);
    AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
    EXPECT_EQ(component->AddAudioIn(0), kMissing);
    EXPECT_EQ(component->AddNode(7, 3, "Transport", 0xFFFF), kMissing);
    AAX_IPropertyMap* map = component->NewPropertyMap();
    EXPECT_EQ(map->AddProperty(11, 1), kMissing);
    EXPECT_FALSE(map->GetProperty(11, &word));
    EXPECT_EQ(component->AddRenderProcedure(nullptr, map, 0, 0, 0), kMissing);
    EXPECT_EQ(effect->AddComponent(component), kMissing);
}

TEST(Wrappers, ASecondInterfaceMissingFailsOnlyItsOwnOperations)
{
    StandInHost host;
    host.Withhold(kIID_Transport2);
    host.Withhold(kIID_Controller2);
    host.stream.tempo = 93.5;
    host.stream.samplePosition = 77;
    host.stream.sampleRate = 44100.0f;

    AAX_VTransport transport(host.RunTime());
    double tempo = 0.0;
    EXPECT_EQ(transport.Tempo(&tempo), 0);
    EXPECT_EQ(tempo, 93.5);
    int64_t samples = -1;
    EXPECT_EQ(transport.SamplePosition(&samples), kNotImplemented);
    EXPECT_EQ(samples, -1);

    AAX_VController controller(host.RunTime());
    float rate = 0.0f;
    EXPECT_EQ(controller.SampleRate(&rate), 0);
    EXPECT_EQ(rate, 44100.0f);
}

TEST(Wrappers, RunTimeOperationsReachTheHostInOrder)
{
    StandInHost host;
    host.stream.inputStemFormat = 0x00050005;
    host.stream.samplePosition = int64_t{1} << 33;
    host.view.takesParameterClicks = true;
    host.view.modifiers = 0x40;
    int window = 0;
    host.view.nativeView = &window;
    {
        AAX_VController controller(host.RunTime());
        uint32_t format = 0;
        EXPECT_EQ(controller.InputStemFormat(&format), 0);
        EXPECT_EQ(format, 0x00050005u);
        EXPECT_EQ(controller.SetSignalLatency(64), 0);

        AAX_VAutomationDelegate automation(host.RunTime());
        EXPECT_EQ(automation.TouchParameter("3"), 0);
        uint8_t touched = 0;
        EXPECT_EQ(automation.ParameterTouchState("3", &touched), 0);
        EXPECT_EQ(touched, 1);
        EXPECT_EQ(automation.RequestParameterValue("3", 0.25), 0);
        EXPECT_EQ(automation.ReleaseParameter("3"), 0);

        AAX_VTransport transport(host.RunTime());
        int64_t samples = 0;
        EXPECT_EQ(transport.SamplePosition(&samples), 0);
        EXPECT_EQ(samples, int64_t{1} << 33);

        AAX_VViewContainer view(host.View());
        EXPECT_EQ(view.NativeView(), &window);
        EXPECT_EQ(view.HandleParameterMouseDown("3", kAAXModifierCtrl | kAAXModifierAlt), 0);
        EXPECT_EQ(view.SetViewSize(AAXViewSize{352.0f, 616.0f}), 0);
        uint32_t modifiers = 0;
        EXPECT_EQ(view.HostModifiers(&modifiers), 0);
        EXPECT_EQ(modifiers, 0x40u);
    }
    EXPECT_EQ(host.Calls(), (Lines{
                                "runtime1.SetSignalLatency(64)",
                                "runtime1.TouchParameter(\"3\")",
                                "runtime1.RequestParameterValue(\"3\", 0.250000)",
                                "runtime1.ReleaseParameter(\"3\")",
                                "view1.HandleParameterMouseDown(\"3\", 0xC)",
                                "view1.SetViewSize(352.0, 616.0)",
                            }));
    EXPECT_EQ(host.view.size.height, 352.0f);
    EXPECT_EQ(host.view.size.width, 616.0f);
    EXPECT_EQ(host.LiveObjects(), 0);
}

TEST(Wrappers, AHostFailureIsPassedOnUnchanged)
{
    StandInHost host;
    host.Fail(kIID_Controller, -12345);
    host.Fail(kIID_ViewContainer, -777);
    AAX_VController controller(host.RunTime());
    float rate = -1.0f;
    EXPECT_EQ(controller.SampleRate(&rate), -12345);
    EXPECT_EQ(rate, -1.0f);
    AAX_VViewContainer view(host.View());
    EXPECT_EQ(view.HandleParameterMouseDown("1", 0), -777);
}

TEST(Wrappers, AddEffectWithoutADescriptorNeverCallsTheHost)
{
    StandInHost host;
    AAX_VCollection collection(host.Unknown());
    EXPECT_EQ(collection.AddEffect("id", nullptr), kMissing);
    EXPECT_EQ(host.Calls(), (Lines{"new collection1"}));
}

TEST(Wrappers, WithoutTheFactoryNoHostObjectIsMadeAndNothingIsCalled)
{
    StandInHost host;
    host.Withhold(kIID_ObjectFactory);
    AAX_VCollection collection(host.Unknown());
    AAX_IEffectDescriptor* effect = collection.NewDescriptor();
    EXPECT_EQ(effect->AddName(AAX_CString("x")), kMissing);
    EXPECT_EQ(collection.AddEffect("id", effect), kMissing);
    EXPECT_TRUE(host.Calls().empty());
}

TEST(Wrappers, CopyPropertyMapKeepsOnlyIDsFrom10To351)
{
    StandInHost host;
    {
        AAX_VCollection collection(host.Unknown());
        AAX_IComponentDescriptor* component = collection.NewDescriptor()->NewComponentDescriptor();
        AAX_IPropertyMap* source = component->NewPropertyMap();
        source->AddProperty(9, 1);
        source->AddProperty(11, 0x51);
        source->AddProperty(351, 2);
        source->AddProperty(400, 3);
        host.Record().calls.clear();

        AAX_IPropertyMap* copy = component->CopyPropertyMap(*source);
        uint32_t value = 0;
        EXPECT_TRUE(copy->GetProperty(11, &value));
        EXPECT_EQ(value, 0x51u);
        EXPECT_TRUE(copy->GetProperty(351, &value));
        EXPECT_FALSE(copy->GetProperty(400, &value));
        EXPECT_FALSE(copy->GetProperty(9, &value));
        EXPECT_EQ(host.Calls(), (Lines{
                                    "new properties2",
                                    "properties2.AddProperty(11, 0x00000051)",
                                    "properties2.AddProperty(351, 0x00000002)",
                                }));
        EXPECT_GT(host.LiveObjects(), 0);
    }
    // The collection took its children and every host reference with it.
    EXPECT_EQ(host.LiveObjects(), 0);
}

TEST(HostTrace, TracesOnlyWhileHostServicesExist)
{
    StandInHost host;
    EXPECT_EQ(HostTrace(0x08000000, "before %d", 1), 0);
    SetHostServices(host.Unknown());
    EXPECT_EQ(HostTrace(0x08000000, "AAX_CChunkDataParser::GetChunkData ERROR: %s", "overflow"), 0);

    StandInHost other;
    SetHostServices(other.Unknown());  // the first wrapper stays
    EXPECT_EQ(other.LiveObjects(), 0);

    const std::string longText(700, 'x');
    host.Fail(kIID_HostServices, -3);
    EXPECT_EQ(HostTrace(1, "%s", longText.c_str()), -3);

    SetHostServices(nullptr);
    EXPECT_EQ(host.LiveObjects(), 0);
    EXPECT_EQ(HostTrace(1, "after"), 0);

    ASSERT_EQ(host.Calls().size(), 3u);
    EXPECT_EQ(host.Calls()[0], "new services1");
    EXPECT_EQ(host.Calls()[1],
              "services1.Trace(0x08000000, \"AAX_CChunkDataParser::GetChunkData ERROR: overflow\")");
    EXPECT_EQ(host.Calls()[2], "services1.Trace(0x00000001, \"" + std::string(511, 'x') + "\")");
}

}  // namespace
