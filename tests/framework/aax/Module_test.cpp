// The real module, loaded across dlopen and driven through the stand-in host.

#include "host/HostModule.h"
#include "host/StandInHost.h"
#include "platform/AAXRenderContext.h"
#include "platform/AAXResults.h"
#include "platform/ACFInterfaceIDs.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class Module : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(module.Load(SONVAREK_MODULE_PATH)) << module.Error(); }
    void TearDown() override
    {
        if (module.Loaded())
        {
            EXPECT_EQ(module.shutdown(nullptr), 0);
        }
    }

    HostModule module;
};

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// Every call the module makes on the host while it registers, in order.
Lines ExpectedRegistration()
{
    Lines lines = {
        "new collection1",
        "new effect1",
        "effect1.AddName(\"Sonvarek\")",
        "collection1.AddPackageName(\"Sonvarek\")",
        "effect1.AddCategory(0x00000200)",
    };
    const uint32_t stems[] = {0x00000001, 0x00010002, 0x00040004, 0x00050005, 0x00060006};
    for (int k = 1; k <= 5; ++k)
    {
        const std::string c = "component" + std::to_string(k);
        const std::string p = "properties" + std::to_string(k);
        const std::string stem = Hex(stems[k - 1]);
        const Lines component = {
            "new " + c,
            c + ".AddPrivateData(6, 4, 0)",
            c + ".AddPrivateData(5, 4, 0)",
            c + ".AddNode(7, 3, \"Transport\", 0x0000FFFF)",
            c + ".AddAudioIn(0)",
            c + ".AddAudioOut(1)",
            c + ".AddSampleCount(2)",
            c + ".AddPrivateData(9, 4, 0)",
            c + ".AddPrivateData(8, " + std::to_string(sizeof(void*)) + ", 0)",
            "new " + p,
            p + ".AddProperty(56, 0x00000000)",
            p + ".AddProperty(51, " + stem + ")",
            p + ".AddProperty(52, " + stem + ")",
            p + ".AddProperty(60, 0x00000001)",
            p + ".AddProperty(11, 0x515A4C56)",  // 'QZLV'
            p + ".AddProperty(12, 0x515A3137)",  // 'QZ17'
            p + ".AddProperty(13, " + Hex(0x45464E30 + k) + ")",  // 'EFNk'
            p + ".AddProperty(14, " + Hex(0x45464130 + k) + ")",  // 'EFAk'
            c + ".AddRenderProcedure(procedure, " + p + ", 0, 0, 0)",
            "effect1.AddComponent(" + c + ")",
        };
        lines.insert(lines.end(), component.begin(), component.end());
    }
    const Lines tail = {
        "effect1.AddProcedure(procedure, 0)",
        "effect1.AddProcedure(procedure, 1)",
        "collection1.AddEffect(\"com.Fennoryx.aax.Sonvarek\", effect1)",
        "collection1.AddManufacturerName(\"Fennoryx\")",
        "collection1.SetPackageVersion(0x00010200)",
    };
    lines.insert(lines.end(), tail.begin(), tail.end());
    return lines;
}

TEST_F(Module, AnswersTheFixedEntryPointsAndRefusesNullOutPointers)
{
    uint64_t version = 0;
    ASSERT_EQ(module.getSDKVersion(&version), 0);
    EXPECT_EQ(version, 0x00000201007756BFull) << "low word 0x007756BF, high word 0x00000201";

    StandInHost host;
    int garbage = 0;
    void* factory = &garbage;
    EXPECT_EQ(module.getClassFactory(host.Unknown(), kIID_ACFUnknown, kIID_ACFUnknown, &factory),
              kAAXResultNotImplemented);
    EXPECT_EQ(factory, nullptr);
    IACFUnknown* component = reinterpret_cast<IACFUnknown*>(&garbage);
    EXPECT_EQ(module.registerComponent(host.Unknown(), 0, &component), 0);
    EXPECT_EQ(component, nullptr);

    EXPECT_EQ(module.getSDKVersion(nullptr), kACFResultNullPointer);
    EXPECT_EQ(module.getClassFactory(host.Unknown(), kIID_ACFUnknown, kIID_ACFUnknown, nullptr), kACFResultNullPointer);
    EXPECT_EQ(module.registerComponent(host.Unknown(), 0, nullptr), kACFResultNullPointer);
    EXPECT_EQ(module.registerPlugin(host.Unknown(), nullptr), kACFResultNullPointer);
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(Module, DescribesTheWholeEffect)
{
    StandInHost host;
    IACFUnknown* definition = nullptr;
    ASSERT_EQ(module.registerPlugin(host.Unknown(), &definition), 0);
    ASSERT_NE(definition, nullptr);
    EXPECT_EQ(host.Calls(), ExpectedRegistration());

    // The wrappers let go of everything; the host's definition holds the collection.
    EXPECT_EQ(host.LiveObjects(), 1);
    definition->Relinquish();
    EXPECT_EQ(host.LiveObjects(), 0);
    const RecordedEffect& effect = host.Record().description.effects.at(0);
    for (const RecordedComponent& component : effect.components)
        EXPECT_EQ(component.render, effect.components[0].render);
}

TEST_F(Module, ItsProceduresMakeALiveInstanceAndALiveGUIObject)
{
    TempFolder data;
    TempFolder home;
    DataHomeOverride env(data.Path().c_str(), home.Path().c_str());
    StandInHost host;
    EXPECT_EQ(module.canUnloadNow(host.Unknown()), 0);
    IACFUnknown* definition = nullptr;
    ASSERT_EQ(module.registerPlugin(host.Unknown(), &definition), 0);
    definition->Relinquish();
    const RecordedEffect& effect = host.Record().description.effects.at(0);
    IACFUnknown* gui = effect.Procedure(kAAXProcedureEffectGUI)();
    ASSERT_NE(gui, nullptr);
    gui->Retain();
    EXPECT_EQ(module.canUnloadNow(host.Unknown()), 1);
    gui->Relinquish();
    EXPECT_EQ(module.canUnloadNow(host.Unknown()), 0);

    IACFUnknown* instance = effect.Procedure(kAAXProcedureEffectParameters)();
    ASSERT_NE(instance, nullptr);
    instance->Retain();
    EXPECT_EQ(module.canUnloadNow(host.Unknown()), 1);
    void* parameters = nullptr;
    ASSERT_EQ(instance->LookupInterface(kIID_EffectParameters, &parameters), 0);
    static_cast<IACFUnknown*>(parameters)->Relinquish();

    // A context without an instance is skipped.
    AAXRenderContext context{};
    AAXRenderContext* contexts[] = {&context};
    effect.components.at(0).render(contexts, contexts + 1);
    instance->Relinquish();
    EXPECT_EQ(module.canUnloadNow(host.Unknown()), 0);
}

TEST_F(Module, StartupMakesTheHostServicesOnceAndShutdownReleasesThem)
{
    StandInHost host;
    StandInHost other;
    EXPECT_EQ(module.shutdown(host.Unknown()), 0);  // nothing to shut down
    EXPECT_EQ(module.startup(nullptr), 0);
    EXPECT_EQ(module.startup(host.Unknown()), 0);
    EXPECT_EQ(host.Calls(), (Lines{"new services1"}));
    EXPECT_EQ(module.startup(other.Unknown()), 0);  // the first wrapper stays
    EXPECT_TRUE(other.Calls().empty());
    EXPECT_EQ(module.shutdown(host.Unknown()), 0);
    EXPECT_EQ(host.LiveObjects(), 0);
}

// A refused registration gives no definition, leaks nothing and passes the host's code on.
TEST_F(Module, ARegistrationTheHostRefusesGivesNoDefinition)
{
    struct Case
    {
        const char* what;
        ACFUID iid;
        int32_t failure;  // 0: the interface is withheld
        int32_t result;
        size_t effects;  // recorded by the host
    };
    const Case cases[] = {
        {"no object factory", kIID_ObjectFactory, 0, kAAXResultMissingInterface, 0},
        {"no plug-in definition", kIID_PluginDefinition, 0, kAAXResultMissingInterface, 1},
        {"a failing effect descriptor", kIID_EffectDescriptor, -20099, -20099, 0},
        {"a failing component descriptor", kIID_ComponentDescriptor, -20098, -20098, 0},
    };
    for (const Case& c : cases)
    {
        StandInHost host;
        if (c.failure)
            host.Fail(c.iid, c.failure);
        else
            host.Withhold(c.iid);
        int garbage = 0;
        IACFUnknown* definition = reinterpret_cast<IACFUnknown*>(&garbage);
        EXPECT_EQ(module.registerPlugin(host.Unknown(), &definition), c.result) << c.what;
        EXPECT_EQ(definition, nullptr) << c.what;
        EXPECT_EQ(host.Record().description.effects.size(), c.effects) << c.what;
        if (c.failure)
        {
            EXPECT_EQ(host.Record().description.packageVersion, 0x10200u) << c.what << ": the rest still goes in";
        }
        EXPECT_EQ(host.LiveObjects(), 0) << c.what;
    }
    IACFUnknown* definition = nullptr;
    EXPECT_EQ(module.registerPlugin(nullptr, &definition), kAAXResultMissingInterface);
}

}  // namespace
