#include "framework/aax/EffectDescription.h"

#include "framework/aax/AAX_CString.h"
#include "framework/aax/AAX_IComponentDescriptor.h"
#include "framework/aax/AAX_IPropertyMap.h"
#include "platform/AAXRenderContext.h"
#include "platform/AAXResults.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct CategoryEntry
{
    const char* text;
    uint32_t bits;
};

constexpr CategoryEntry kCategories[] = {
    {"None", 0x0},     {"EQ", 0x1},          {"Dynamics", 0x2},        {"PitchShift", 0x4},
    {"Reverb", 0x8},   {"Delay", 0x10},      {"Modulation", 0x20},     {"Harmonic", 0x40},
    {"NoiseReduction", 0x80}, {"Dither", 0x100}, {"SoundField", 0x200}, {"Effect", 0x0},
};

constexpr uint32_t kStemFormats[] = {0x00000001, 0x00010002, 0x00020003, 0x00040004,
                                     0x00050005, 0x00060006, 0x00080007, 0x000C0008};
constexpr uint32_t kNoStemFormat = 0xFF9C0000;

constexpr uint32_t kAllChannels = 0xFFFF;
// Context words are pointer-sized here: the instance field holds an address.
constexpr uint32_t kInstanceFieldBytes = sizeof(void*);
constexpr uint32_t kPlainFieldBytes = 4;

// Calls piece for each "\n"-separated piece of text, in order; an empty piece
// ends the walk.
template <class Piece>
void ForEachNamePiece(const char* text, Piece piece)
{
    if (!text)
        return;
    while (*text != '\0' && *text != '\n')
    {
        const char* end = std::strchr(text, '\n');
        const std::string pieceText = end ? std::string(text, end) : std::string(text);
        piece(AAX_CString(pieceText.c_str()));
        if (!end)
            return;
        text = end + 1;
    }
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One int as "%d" reads it (leading white space and a sign allowed), limited
// to the int32 range. Advances text past it; false when no digits follow.
bool ReadInt(const char*& text, int32_t* value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text)
        return false;
    *value = parsed > INT32_MAX ? INT32_MAX : parsed < INT32_MIN ? INT32_MIN : static_cast<int32_t>(parsed);
    text = end;
    return true;
}

// "in-out" at the start of a token; what follows the second number is ignored.
bool ParseLayoutToken(const std::string& token, int32_t* inputs, int32_t* outputs)
{
    const char* p = token.c_str();
    if (!ReadInt(p, inputs) || *p != '-')
        return false;
    ++p;
    return ReadInt(p, outputs);
}

// Calls layout(inputs, outputs) for each blank-separated token that parses.
template <class Layout>
void ForEachLayout(const char* text, Layout layout)
{
    if (!text)
        return;
    while (*text != '\0')
    {
        while (IsBlank(*text))
            ++text;
        const char* begin = text;
        while (*text != '\0' && !IsBlank(*text))
            ++text;
        int32_t inputs = 0;
        int32_t outputs = 0;
        if (text != begin && ParseLayoutToken(std::string(begin, text), &inputs, &outputs))
            layout(inputs, outputs);
    }
}

}  // namespace

uint32_t StemFormatForChannels(int32_t channels)
{
    return channels >= 1 && channels <= 8 ? kStemFormats[channels - 1] : kNoStemFormat;
}

uint32_t CategoryBitsForText(const char* category)
{
    if (category)
        for (const CategoryEntry& entry : kCategories)
            if (std::strcmp(entry.text, category) == 0)
                return entry.bits;
    return 0;
}

int32_t DescribeRenderComponent(AAX_IEffectDescriptor& effect, const AAXDescribeSetup& setup, AAXRenderProc render)
{
    AAX_IComponentDescriptor* component = effect.NewComponentDescriptor();
    if (!component)
        return kAAXResultMissingInterface;
    int32_t result = 0;

    result |= setup.globalMidiOn
                  ? component->AddNode(kAAXFieldGlobalMidi, kAAXNodeGlobalMidi, setup.globalMidiName, setup.globalMidiMask)
                  : component->AddPrivateData(kAAXFieldGlobalMidi, kPlainFieldBytes, 0);
    result |= setup.inputMidiOn
                  ? component->AddNode(kAAXFieldInputMidi, kAAXNodeInputMidi, setup.inputMidiName, setup.inputMidiMask)
                  : component->AddPrivateData(kAAXFieldInputMidi, kPlainFieldBytes, 0);
    result |= setup.transportOn ? component->AddNode(kAAXFieldTransport, kAAXNodeTransport, "Transport", kAllChannels)
                                : component->AddPrivateData(kAAXFieldTransport, kPlainFieldBytes, 0);
    result |= component->AddAudioIn(kAAXFieldAudioIn);
    result |= component->AddAudioOut(kAAXFieldAudioOut);
    if (setup.sideChain)
        result |= component->AddSideChainIn(kAAXFieldSideChain);
    result |= component->AddSampleCount(kAAXFieldSampleCount);
    result |= setup.idListCount > 0 ? component->AddIDList(kAAXFieldIDList, setup.idList, setup.idListCount)
                                    : component->AddPrivateData(kAAXFieldIDList, kPlainFieldBytes, 0);
    for (int32_t i = 0; i < setup.extraEntryCount && i < AAXDescribeSetup::kMaxExtraEntries; ++i)
        result |= component->AddExtraEntry(0, setup.extraSecond[i], setup.extraFirst[i]);
    result |= component->AddPrivateData(kAAXFieldInstance, kInstanceFieldBytes, 0);

    AAX_IPropertyMap* properties = component->NewPropertyMap();
    if (setup.declareProperty151)
        result |= properties->AddProperty(kAAXProperty151, 1);
    result |= properties->AddProperty(kAAXProperty56, setup.property56);
    result |= properties->AddProperty(kAAXPropertyInputStemFormat, setup.inputStemFormat);
    result |= properties->AddProperty(kAAXPropertyOutputStemFormat, setup.outputStemFormat);
    if (setup.sideChain)
        result |= properties->AddProperty(kAAXPropertySideChain, 1);
    result |= properties->AddProperty(kAAXProperty60, setup.property60);
    result |= properties->AddProperty(kAAXPropertyManufacturerID, setup.manufacturerID);
    result |= properties->AddProperty(kAAXPropertyProductID, setup.productID);
    result |= properties->AddProperty(kAAXPropertyNativeID, setup.nativeID);
    if (setup.audioSuiteID != AAXDescribeSetup::kNoID)
        result |= properties->AddProperty(kAAXPropertyAudioSuiteID, setup.audioSuiteID);

    result |= component->AddRenderProcedure(render, properties, 0, 0, 0);
    result |= effect.AddComponent(component);
    return result;
}

int32_t DescribeEffect(AAX_ICollection& collection, const EffectDescriptionConfig& config)
{
    AAX_IEffectDescriptor* effect = collection.NewDescriptor();
    if (!effect)
        return kAAXResultMissingInterface;
    int32_t result = 0;

    ForEachNamePiece(config.effectName, [&](const AAX_CString& piece) {
        result |= effect->AddName(piece);
        collection.AddPackageName(piece);
    });
    result |= effect->AddCategory(CategoryBitsForText(config.category));

    int32_t k = 0;
    ForEachLayout(config.channelLayouts, [&](int32_t inputs, int32_t outputs) {
        if (k >= kMaxDescribedLayouts)
            return;
        const char digit = static_cast<char>('1' + k);
        AAXDescribeSetup setup;
        setup.inputStemFormat = StemFormatForChannels(inputs);
        setup.outputStemFormat = StemFormatForChannels(outputs);
        setup.sideChain = false;
        setup.property56 = 0;
        setup.property60 = 1;
        setup.manufacturerID = config.manufacturerID;
        setup.productID = config.productID;
        setup.nativeID = FourCharCode({'E', 'F', 'N', digit, '\0'});
        setup.audioSuiteID = FourCharCode({'E', 'F', 'A', digit, '\0'});
        setup.inputMidiOn = false;
        setup.inputMidiName = config.midiInputName;
        setup.inputMidiMask = 1;
        setup.transportOn = true;
        result |= DescribeRenderComponent(*effect, setup, config.render);
        ++k;
    });

    result |= effect->AddProcedure(config.createEffectParameters, kAAXProcedureEffectParameters);
    result |= effect->AddProcedure(config.createEffectGUI, kAAXProcedureEffectGUI);
    if (result == 0)
        result = collection.AddEffect(config.effectID, effect);

    ForEachNamePiece(config.manufacturerName,
                     [&](const AAX_CString& piece) { collection.AddManufacturerName(piece); });
    collection.SetPackageVersion(config.packageVersion);
    return result;
}
