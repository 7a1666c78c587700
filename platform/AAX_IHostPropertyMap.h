#pragma once
// The host's property map (kIID_PropertyMap): 32-bit values by property ID.

#include "platform/IACFUnknown.h"

class AAX_IHostPropertyMap : public IACFUnknown
{
public:
    // 1 and *value set when the map holds the property, else 0.
    virtual uint8_t GetProperty(int32_t id, uint32_t* value) = 0;
    virtual int32_t AddProperty(int32_t id, uint32_t value) = 0;

protected:
    ~AAX_IHostPropertyMap() = default;
};
