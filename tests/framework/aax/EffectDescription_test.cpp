#include "framework/aax/AAX_VCollection.h"
#include "framework/aax/EffectDescription.h"
#include "framework/aax/InstanceField.h"
#include "host/StandInHost.h"
#include "platform/AAXResults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

IACFUnknown* MakeNothing() { return nullptr; }
void RenderNothing(AAXRenderContext* const*, AAXRenderContext* const*) {}

EffectDescriptionConfig Config(const char* layouts, const char* name = "Fx", const char* maker = "Maker")
{
    return EffectDescriptionConfig{name,       maker,       "com.test.fx", "SoundField",   layouts,
                                   0x51000001, 0x51000002, "Midi",        0x10200,        &MakeNothing,
                                   &MakeNothing, &RenderNothing};
}

// Describes through the real wrappers into a stand-in host; the result and what the host kept.
struct Described
{
    int32_t result = 0;
    RecordedDescription description;
    Lines calls;
};

Described Describe(const EffectDescriptionConfig& config, StandInHost& host)
{
    Described out;
    {
        AAX_VCollection collection(host.Unknown());
        out.result = DescribeEffect(collection, config);
    }
    out.description = host.Record().description;
    out.calls = host.Calls();
    return out;
}

Described Describe(const EffectDescriptionConfig& config)
{
    StandInHost host;
    return Describe(config, host);
}

std::vector<uint32_t> Property(const RecordedEffect& effect, int32_t id)
{
    std::vector<uint32_t> values;
    for (const RecordedComponent& component : effect.components)
        values.push_back(component.Property(id, 0xDEADBEEF));
    return values;
}

bool Called(const Lines& calls, const std::string& prefix)
{
    return std::any_of(calls.begin(), calls.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

TEST(EffectDescription, BlanksAndUnparsedTokensDoNotCount)
{
    const Described d = Describe(Config("  1-1   2-2 x-1 stereo 4-4  "));
    ASSERT_EQ(d.result, 0);
    ASSERT_EQ(d.description.effects.size(), 1u);
    const RecordedEffect& effect = d.description.effects[0];
    EXPECT_EQ(Property(effect, kAAXPropertyInputStemFormat), (std::vector<uint32_t>{0x1, 0x00010002, 0x00040004}));
    EXPECT_EQ(Property(effect, kAAXPropertyNativeID),
              (std::vector<uint32_t>{AAXFourCharCode("EFN1"), AAXFourCharCode("EFN2"), AAXFourCharCode("EFN3")}));
    EXPECT_EQ(Property(effect, kAAXPropertyAudioSuiteID),
              (std::vector<uint32_t>{AAXFourCharCode("EFA1"), AAXFourCharCode("EFA2"), AAXFourCharCode("EFA3")}));
}

TEST(EffectDescription, StemFormatsFollowTheChannelCounts)
{
    const Described d = Describe(Config("1-2 9-9 0-8 3-7"));
    ASSERT_EQ(d.result, 0);
    const RecordedEffect& effect = d.description.effects.at(0);
    EXPECT_EQ(Property(effect, kAAXPropertyInputStemFormat),
              (std::vector<uint32_t>{0x00000001, 0xFF9C0000, 0xFF9C0000, 0x00020003}));
    EXPECT_EQ(Property(effect, kAAXPropertyOutputStemFormat),
              (std::vector<uint32_t>{0x00010002, 0xFF9C0000, 0x000C0008, 0x00080007}));
    EXPECT_EQ(StemFormatForChannels(-1), 0xFF9C0000u);
    EXPECT_EQ(StemFormatForChannels(5), 0x00050005u);
}

TEST(EffectDescription, ANinthLayoutIsIgnored)
{
    const Described d = Describe(Config("1-1 2-2 3-3 4-4 5-5 6-6 7-7 8-8 1-2 2-1"));
    ASSERT_EQ(d.result, 0);
    const RecordedEffect& effect = d.description.effects.at(0);
    ASSERT_EQ(effect.components.size(), 8u);
    EXPECT_EQ(effect.components.back().Property(kAAXPropertyNativeID), AAXFourCharCode("EFN8"));
    EXPECT_EQ(effect.components.back().Property(kAAXPropertyInputStemFormat), 0x000C0008u);
}

TEST(EffectDescription, NamesAreCutAtNewlinesUntilAnEmptyPiece)
{
    const Described twoPieces = Describe(Config("1-1", "Long Name\nShort", "Maker\nMk"));
    EXPECT_EQ(twoPieces.description.effects.at(0).names, (Lines{"Long Name", "Short"}));
    EXPECT_EQ(twoPieces.description.packageNames, (Lines{"Long Name", "Short"}));
    EXPECT_EQ(twoPieces.description.manufacturerNames, (Lines{"Maker", "Mk"}));

    const Described stopped = Describe(Config("1-1", "A\n\nB", ""));
    EXPECT_EQ(stopped.description.effects.at(0).names, (Lines{"A"}));
    EXPECT_TRUE(stopped.description.manufacturerNames.empty());

    const Described empty = Describe(Config("1-1", ""));
    EXPECT_TRUE(empty.description.packageNames.empty());
    EXPECT_FALSE(Called(empty.calls, "effect1.AddName"));
}

TEST(EffectDescription, CategoryTextsGiveTheirBits)
{
    EXPECT_EQ(CategoryBitsForText("SoundField"), 0x200u);
    EXPECT_EQ(CategoryBitsForText("Dither"), 0x100u);
    EXPECT_EQ(CategoryBitsForText("EQ"), 0x1u);
    EXPECT_EQ(CategoryBitsForText("Effect"), 0x0u);
    EXPECT_EQ(CategoryBitsForText("soundfield"), 0x0u);
    EXPECT_EQ(CategoryBitsForText(nullptr), 0x0u);
}

TEST(EffectDescription, TheInstanceFieldHasTheSizeOfAPointer)
{
    const Described d = Describe(Config("2-2"));
    const RecordedComponent& component = d.description.effects.at(0).components.at(0);
    const RecordedField* instance = component.Field(kAAXFieldInstance);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->kind, FieldKind::PrivateData);
    EXPECT_EQ(instance->sizeBytes, sizeof(void*));
    EXPECT_EQ(component.Field(kAAXFieldInputMidi)->sizeBytes, 4u);
    EXPECT_EQ(component.Field(kAAXFieldTransport)->kind, FieldKind::Node);
    EXPECT_EQ(component.render, &RenderNothing);
}

TEST(EffectDescription, HostFailuresKeepTheEffectOutButNamesAndVersionGoIn)
{
    StandInHost host;
    host.Fail(kIID_ComponentDescriptor, -20099);
    const Described d = Describe(Config("1-1 2-2"), host);
    EXPECT_EQ(d.result, -20099);
    EXPECT_FALSE(Called(d.calls, "collection1.AddEffect"));
    EXPECT_TRUE(d.description.effects.empty());
    EXPECT_EQ(d.description.manufacturerNames, (Lines{"Maker"}));
    EXPECT_EQ(d.description.packageVersion, 0x10200u);
}

struct CollectionWithoutDescriptors : AAX_ICollection
{
    AAX_IEffectDescriptor* NewDescriptor() override { return nullptr; }
    int32_t AddEffect(const char*, AAX_IEffectDescriptor*) override { return ++calls; }
    int32_t AddManufacturerName(const AAX_IString&) override { return ++calls; }
    int32_t AddPackageName(const AAX_IString&) override { return ++calls; }
    int32_t SetPackageVersion(uint32_t) override { return ++calls; }
    AAX_IPropertyMap* NewPropertyMap() override { return nullptr; }
    int32_t calls = 0;
};

TEST(EffectDescription, NoEffectDescriptorEndsTheDescriptionAtOnce)
{
    CollectionWithoutDescriptors collection;
    EXPECT_EQ(DescribeEffect(collection, Config("1-1")), kAAXResultMissingInterface);
    EXPECT_EQ(collection.calls, 0);
}

TEST(InstanceField, ABlockSmallerThanAPointerIsRefused)
{
    int instance = 0;
    unsigned char block[sizeof(void*)] = {};
    EXPECT_EQ(WriteInstanceField(block, 4, &instance), kAAXResultWrongDataSize);
    EXPECT_EQ(std::count(block, block + sizeof block, 0), static_cast<long>(sizeof block));
    EXPECT_EQ(WriteInstanceField(nullptr, sizeof block, &instance), kAAXResultWrongDataSize);

    void* word = nullptr;
    ASSERT_EQ(WriteInstanceField(&word, sizeof word, &instance), 0);
    EXPECT_EQ(word, &instance);
    AAXRenderContext context{};
    EXPECT_EQ(InstanceOfContext(&context), nullptr);
    context.instance = &word;
    EXPECT_EQ(InstanceOfContext(&context), &instance);
    EXPECT_EQ(InstanceOfContext(nullptr), nullptr);
}

}  // namespace
