#pragma once
// The module's collection of effects, as the description code sees it.

#include "platform/AAX_IString.h"

#include <cstdint>

class AAX_IEffectDescriptor;
class AAX_IPropertyMap;

class AAX_ICollection
{
public:
    virtual ~AAX_ICollection() = default;

    // A new effect descriptor owned by the collection, or null.
    virtual AAX_IEffectDescriptor* NewDescriptor() = 0;
    // -20004 for a null descriptor or one without a host side.
    virtual int32_t AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor) = 0;
    virtual int32_t AddManufacturerName(const AAX_IString& name) = 0;
    virtual int32_t AddPackageName(const AAX_IString& name) = 0;
    virtual int32_t SetPackageVersion(uint32_t version) = 0;
    // A new map owned by the collection.
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
};
