#pragma once
// Describes the module's effect to the host: names, category, one render
// component per channel layout, and the creation procedures. Host results are
// ORed into the result; a nonzero result keeps the effect out of the
// collection.

#include "framework/aax/AAXDescribeSetup.h"
#include "framework/aax/AAX_ICollection.h"
#include "framework/aax/AAX_IEffectDescriptor.h"

#include <cstdint>

struct EffectDescriptionConfig
{
    const char* effectName;        // pieces separated by "\n"
    const char* manufacturerName;  // pieces separated by "\n"
    const char* effectID;
    const char* category;          // a category text, e.g. "SoundField"
    const char* channelLayouts;    // blank-separated "in-out" tokens, e.g. "1-1 2-2"
    uint32_t manufacturerID;
    uint32_t productID;
    const char* midiInputName;
    uint32_t packageVersion;
    AAXCreateObjectProc createEffectParameters;
    AAXCreateObjectProc createEffectGUI;
    AAXRenderProc render;
};

// At most this many layouts are described; further tokens are ignored.
inline constexpr int32_t kMaxDescribedLayouts = 8;

// -20004 at once when the collection gives no effect descriptor.
int32_t DescribeEffect(AAX_ICollection& collection, const EffectDescriptionConfig& config);

// One render component for setup; the OR of the host results.
int32_t DescribeRenderComponent(AAX_IEffectDescriptor& effect, const AAXDescribeSetup& setup,
                                AAXRenderProc render);

// 1 to 8 channels to their stem format; anything else 0xFF9C0000.
uint32_t StemFormatForChannels(int32_t channels);

// The category bits of a category text; 0 for a text of no category.
uint32_t CategoryBitsForText(const char* category);
