#pragma once
// Wrapper of a property map that it creates through the host's object factory.
// Without a host map, GetProperty answers false and AddProperty -20004.

#include "framework/aax/AAX_IPropertyMap.h"
#include "framework/aax/HostInterfaceRef.h"
#include "platform/AAX_IHostPropertyMap.h"

class AAX_VPropertyMap final : public AAX_IPropertyMap
{
public:
    explicit AAX_VPropertyMap(IACFUnknown* hostObject);

    bool GetProperty(int32_t id, uint32_t* value) const override;
    int32_t AddProperty(int32_t id, uint32_t value) override;
    AAX_IHostPropertyMap* HostPropertyMap() const override { return map.Get(); }

private:
    HostInterfaceRef<AAX_IHostPropertyMap> map;
    HostInterfaceRef<IACFUnknown> map2;
};
