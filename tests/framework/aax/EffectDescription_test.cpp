#include "framework/aax/AAX_VCollection.h"
#include "framework/aax/EffectDescription.h"
#include "framework/aax/InstanceField.h"
#include "host/StandInHost.h"
#include "platform/AAXResults.h"
#include "platform/FourCharCode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using Words = std::vector<uint32_t>;

IACFUnknown* MakeNothing() { return nullptr; }
void RenderNothing(AAXRenderContext* const*, AAXRenderContext* const*) {}

EffectDescriptionConfig Config(const char* layouts, const char* name = "Fx", const char* maker = "Maker")
{
    return EffectDescriptionConfig{name,       maker,       "com.test.fx", "SoundField",   layouts,
                                   0x51000001, 0x51000002, "Midi",        0x10200,        &MakeNothing,
                                   &MakeNothing, &RenderNothing};
}

// What a stand-in host kept of a description made through the real wrappers.
RecordedDescription Describe(const EffectDescriptionConfig& config)
{
    StandInHost host;
    {
        AAX_VCollection collection(host.Unknown());
        EXPECT_EQ(DescribeEffect(collection, config), 0);
    }
    return host.Record().description;
}

// The value of property id in each component of the description's effect.
Words Property(const RecordedDescription& description, int32_t id)
{
    Words values;
    for (const RecordedComponent& component : description.effects.at(0).components)
        values.push_back(component.Property(id, 0xDEADBEEF));
    return values;
}

TEST(EffectDescription, BlanksAndUnparsedTokensDoNotCount)
{
    const RecordedDescription d = Describe(Config("  1-1   2-2 x-1 stereo 4-4  "));
    EXPECT_EQ(Property(d, kAAXPropertyInputStemFormat), (Words{0x1, 0x00010002, 0x00040004}));
    EXPECT_EQ(Property(d, kAAXPropertyNativeID),
              (Words{FourCharCode("EFN1"), FourCharCode("EFN2"), FourCharCode("EFN3")}));
    EXPECT_EQ(Property(d, kAAXPropertyAudioSuiteID),
              (Words{FourCharCode("EFA1"), FourCharCode("EFA2"), FourCharCode("EFA3")}));
}

TEST(EffectDescription, StemFormatsFollowTheChannelCountsAndANinthLayoutIsIgnored)
{
    const RecordedDescription d = Describe(Config("1-2 9-9 0-8 3-7 1-1 2-2 3-3 4-4 5-5"));
    EXPECT_EQ(Property(d, kAAXPropertyInputStemFormat),
              (Words{0x00000001, 0xFF9C0000, 0xFF9C0000, 0x00020003, 0x1, 0x00010002, 0x00020003, 0x00040004}));
    EXPECT_EQ(Property(d, kAAXPropertyOutputStemFormat),
              (Words{0x00010002, 0xFF9C0000, 0x000C0008, 0x00080007, 0x1, 0x00010002, 0x00020003, 0x00040004}));
    EXPECT_EQ(StemFormatForChannels(-1), 0xFF9C0000u);
    EXPECT_EQ(StemFormatForChannels(5), 0x00050005u);
}

TEST(EffectDescription, NamesAreCutAtNewlinesUntilAnEmptyPiece)
{
    const RecordedDescription twoPieces = Describe(Config("1-1", "Long Name\nShort", "Maker\nMk"));
    EXPECT_EQ(twoPieces.effects.at(0).names, (Lines{"Long Name", "Short"}));
    EXPECT_EQ(twoPieces.packageNames, (Lines{"Long Name", "Short"}));
    EXPECT_EQ(twoPieces.manufacturerNames, (Lines{"Maker", "Mk"}));

    const RecordedDescription stopped = Describe(Config("1-1", "A\n\nB", ""));
    EXPECT_EQ(stopped.effects.at(0).names, (Lines{"A"}));
    EXPECT_TRUE(stopped.manufacturerNames.empty());
    const RecordedDescription empty = Describe(Config("1-1", ""));
    EXPECT_TRUE(empty.packageNames.empty());
    EXPECT_TRUE(empty.effects.at(0).names.empty());
}

TEST(EffectDescription, CategoryTextsGiveTheirBits)
{
    const std::pair<const char*, uint32_t> cases[] = {
        {"SoundField", 0x200}, {"Dither", 0x100}, {"EQ", 0x1}, {"Effect", 0x0}, {"soundfield", 0x0}, {nullptr, 0x0}};
    for (const auto& [text, bits] : cases)
        EXPECT_EQ(CategoryBitsForText(text), bits) << (text ? text : "null");
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
