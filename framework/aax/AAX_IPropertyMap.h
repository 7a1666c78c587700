#pragma once
// The properties of a render component, as the description code sees them.

#include <cstdint>

class AAX_IHostPropertyMap;

class AAX_IPropertyMap
{
public:
    virtual ~AAX_IPropertyMap() = default;

    // True and *value set when the map holds the property.
    virtual bool GetProperty(int32_t id, uint32_t* value) const = 0;
    virtual int32_t AddProperty(int32_t id, uint32_t value) = 0;
    // What the descriptors hand the host for this map; null when there is none.
    virtual AAX_IHostPropertyMap* HostPropertyMap() const = 0;
};
