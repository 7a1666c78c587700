#include "framework/aax/AAX_VPropertyMap.h"

#include "platform/AAXResults.h"

AAX_VPropertyMap::AAX_VPropertyMap(IACFUnknown* hostObject)
{
    CreateHostObject(hostObject, kCLSID_PropertyMap, kIID_PropertyMap, map);
    map2.Lookup(map.Get(), kIID_PropertyMap2);
}

bool AAX_VPropertyMap::GetProperty(int32_t id, uint32_t* value) const
{
    return map && map->GetProperty(id, value) != 0;
}

int32_t AAX_VPropertyMap::AddProperty(int32_t id, uint32_t value)
{
    return map ? map->AddProperty(id, value) : kAAXResultMissingInterface;
}
