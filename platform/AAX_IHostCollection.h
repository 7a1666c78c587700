#pragma once
// The host's collection (kIID_Collection): the module's effects, package and
// maker names and the package version. The object also answers
// kIID_PluginDefinition; that answer is the module's plug-in definition.

#include "platform/AAX_IString.h"
#include "platform/IACFUnknown.h"

class AAX_IHostEffectDescriptor;

class AAX_IHostCollection : public IACFUnknown
{
public:
    // The host reads the descriptor's content when the effect is added.
    virtual int32_t AddEffect(const char* effectID, AAX_IHostEffectDescriptor* descriptor) = 0;
    virtual int32_t AddManufacturerName(const AAX_IString* name) = 0;
    virtual int32_t AddPackageName(const AAX_IString* name) = 0;
    virtual int32_t SetPackageVersion(uint32_t version) = 0;

protected:
    ~AAX_IHostCollection() = default;
};
