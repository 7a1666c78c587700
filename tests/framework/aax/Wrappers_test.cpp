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

// Each of results is expected; a failure names the operation by its place in the list.
void ExpectAll(int32_t expected, std::initializer_list<int32_t> results, const char* what)
{
    int index = 0;
    for (int32_t result : results)
        EXPECT_EQ(result, expected) << what << " operation " << index++;
}

TEST(Wrappers, OnANullHostObjectEveryOperationAnswersMissing)
{
    float rate = -1.0f;
    uint32_t word = 7;
    uint8_t flag = 9;
    double tempo = 0.0;
    int32_t numerator = 0, denominator = 0;
    int64_t ticks = 0, start = 0, end = 0;
    AAX_VController controller(nullptr);
    AAX_VAutomationDelegate automation(nullptr);
    AAX_VTransport transport(nullptr);
    AAX_VViewContainer view(nullptr);
    ExpectAll(kMissing,
              {controller.SampleRate(&rate), controller.InputStemFormat(&word), controller.OutputStemFormat(&word),
               controller.SetSignalLatency(3), controller.PostPacket(4, &word, 4)},
              "controller");
    ExpectAll(kMissing,
              {automation.RegisterParameter("1"), automation.UnregisterParameter("1"),
               automation.RequestParameterValue("1", 0.5), automation.ReportParameterValue("1", 0.5),
               automation.TouchParameter("1"), automation.ReleaseParameter("1"),
               automation.ParameterTouchState("1", &flag)},
              "automation");
    ExpectAll(kMissing,
              {transport.Tempo(&tempo), transport.Meter(&numerator, &denominator), transport.IsPlaying(&flag),
               transport.TickPosition(&ticks), transport.Loop(&flag, &start, &end)},
              "transport");
    EXPECT_EQ(transport.SamplePosition(&ticks), kNotImplemented);  // second interface
    EXPECT_EQ(view.NativeView(), nullptr);
    EXPECT_EQ(view.HandleParameterMouseDown("1", kAAXModifierShift), kNotImplemented);
    ExpectAll(kMissing, {view.SetViewSize(AAXViewSize{352.0f, 616.0f}), view.HostModifiers(&word)}, "view");
    EXPECT_EQ(AAX_VHostServices(nullptr).Trace(0, "x"), kMissing);
    EXPECT_EQ(rate, -1.0f);
    EXPECT_EQ(word, 7u);

    AAX_VCollection collection(nullptr);
    EXPECT_EQ(collection.HostCollection(), nullptr);
    AAX_IEffectDescriptor* effect = collection.NewDescriptor();
    ASSERT_NE(effect, nullptr);
    AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
    AAX_IPropertyMap* map = component->NewPropertyMap();
    EXPECT_FALSE(map->GetProperty(11, &word));
    ExpectAll(kMissing,
              {collection.AddPackageName(AAX_CString("x")), collection.SetPackageVersion(1), effect->AddCategory(1),
               component->AddAudioIn(0), component->AddNode(7, 3, "Transport", 0xFFFF), map->AddProperty(11, 1),
               component->AddRenderProcedure(nullptr, map, 0, 0, 0), effect->AddComponent(component),
               collection.AddEffect("id", nullptr)},
              "description");
}

TEST(Wrappers, ASecondInterfaceMissingFailsOnlyItsOwnOperations)
{
    StandInHost host;
    host.Withhold(kIID_Transport2);
    host.Withhold(kIID_Controller2);
    host.stream.tempo = 93.5;
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

TEST(Wrappers, RunTimeOperationsReachTheHostInOrderAndItsFailuresComeBack)
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
        uint32_t word = 0;
        EXPECT_EQ(controller.InputStemFormat(&word), 0);
        EXPECT_EQ(word, 0x00050005u);
        EXPECT_EQ(controller.SetSignalLatency(64), 0);
        AAX_VAutomationDelegate automation(host.RunTime());
        EXPECT_EQ(automation.TouchParameter("3"), 0);
        uint8_t touched = 0;
        EXPECT_EQ(automation.ParameterTouchState("3", &touched), 0);
        EXPECT_EQ(touched, 1);
        EXPECT_EQ(automation.RequestParameterValue("3", 0.25), 0);
        AAX_VTransport transport(host.RunTime());
        int64_t samples = 0;
        EXPECT_EQ(transport.SamplePosition(&samples), 0);
        EXPECT_EQ(samples, int64_t{1} << 33);
        AAX_VViewContainer view(host.View());
        EXPECT_EQ(view.NativeView(), &window);
        EXPECT_EQ(view.HandleParameterMouseDown("3", kAAXModifierCtrl | kAAXModifierAlt), 0);
        EXPECT_EQ(view.SetViewSize(AAXViewSize{352.0f, 616.0f}), 0);
        EXPECT_EQ(view.HostModifiers(&word), 0);
        EXPECT_EQ(word, 0x40u);

        host.Fail(kIID_Controller, -12345);
        host.Fail(kIID_ViewContainer, -777);
        float rate = -1.0f;
        EXPECT_EQ(controller.SampleRate(&rate), -12345);
        EXPECT_EQ(rate, -1.0f);
        EXPECT_EQ(view.HandleParameterMouseDown("1", 0), -777);
    }
    EXPECT_EQ(host.Calls(), (Lines{
                                "runtime1.SetSignalLatency(64)",
                                "runtime1.TouchParameter(\"3\")",
                                "runtime1.RequestParameterValue(\"3\", 0.250000)",
                                "view1.HandleParameterMouseDown(\"3\", 0xC)",
                                "view1.SetViewSize(352.0, 616.0)",
                                "view1.HandleParameterMouseDown(\"1\", 0x0)",
                            }));
    EXPECT_EQ(host.view.size.height, 352.0f);
    EXPECT_EQ(host.LiveObjects(), 0);
}

TEST(Wrappers, WithoutADescriptorOrTheFactoryNothingIsCalled)
{
    StandInHost host;
    {
        AAX_VCollection collection(host.Unknown());
        EXPECT_EQ(collection.AddEffect("id", nullptr), kMissing);
        EXPECT_EQ(host.Calls(), (Lines{"new collection1"}));
    }
    host.Withhold(kIID_ObjectFactory);
    host.Record().calls.clear();
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
        for (uint32_t id : {9u, 11u, 351u, 400u})
            source->AddProperty(id, id + 1);
        host.Record().calls.clear();
        AAX_IPropertyMap* copy = component->CopyPropertyMap(*source);
        uint32_t value = 0;
        EXPECT_TRUE(copy->GetProperty(11, &value));
        EXPECT_EQ(value, 12u);
        EXPECT_FALSE(copy->GetProperty(400, &value));
        EXPECT_EQ(host.Calls(), (Lines{"new properties2", "properties2.AddProperty(11, 0x0000000C)",
                                       "properties2.AddProperty(351, 0x00000160)"}));
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
    EXPECT_EQ(host.Calls(),
              (Lines{"new services1", "services1.Trace(0x08000000, \"AAX_CChunkDataParser::GetChunkData ERROR: overflow\")",
                     "services1.Trace(0x00000001, \"" + std::string(511, 'x') + "\")"}));
}

}  // namespace
