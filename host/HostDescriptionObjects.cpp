#include "host/HostDescriptionObjects.h"

namespace {

const char* Text(const AAX_IString* text) { return text ? text->Get() : "(null)"; }
const char* Text(const char* text) { return text ? text : "(null)"; }

RecordedField NewField(uint32_t index, FieldKind kind)
{
    RecordedField field;
    field.index = index;
    field.kind = kind;
    return field;
}

}  // namespace

void* HostPropertyMap::Answer(const ACFUID& iid)
{
    if (iid == kIID_PropertyMap)
        return static_cast<AAX_IHostPropertyMap*>(this);
    if (iid == kIID_PropertyMap2)
        return Unknown();
    return nullptr;
}

uint8_t HostPropertyMap::GetProperty(int32_t id, uint32_t* value)
{
    for (const auto& [key, stored] : properties)
        if (key == id)
        {
            if (value)
                *value = stored;
            return 1;
        }
    return 0;
}

int32_t HostPropertyMap::AddProperty(int32_t id, uint32_t value)
{
    host.Log("%s.AddProperty(%d, 0x%08X)", Label().c_str(), id, value);
    const int32_t result = host.Outcome(kIID_PropertyMap);
    if (result != 0)
        return result;
    for (auto& [key, stored] : properties)
        if (key == id)
        {
            stored = value;
            return 0;
        }
    properties.emplace_back(id, value);
    return 0;
}

void* HostComponentDescriptor::Answer(const ACFUID& iid)
{
    if (iid == kIID_ComponentDescriptor)
        return static_cast<AAX_IHostComponentDescriptor*>(this);
    if (iid == kIID_ComponentDescriptor2)
        return Unknown();
    return nullptr;
}

int32_t HostComponentDescriptor::AddPlainField(const char* operation, uint32_t field, FieldKind kind)
{
    host.Log("%s.%s(%u)", Label().c_str(), operation, field);
    const int32_t result = host.Outcome(kIID_ComponentDescriptor);
    if (result == 0)
        content.fields.push_back(NewField(field, kind));
    return result;
}

int32_t HostComponentDescriptor::AddAudioIn(uint32_t field)
{
    return AddPlainField("AddAudioIn", field, FieldKind::AudioIn);
}

int32_t HostComponentDescriptor::AddAudioOut(uint32_t field)
{
    return AddPlainField("AddAudioOut", field, FieldKind::AudioOut);
}

int32_t HostComponentDescriptor::AddSampleCount(uint32_t field)
{
    return AddPlainField("AddSampleCount", field, FieldKind::SampleCount);
}

int32_t HostComponentDescriptor::AddSideChainIn(uint32_t field)
{
    return AddPlainField("AddSideChainIn", field, FieldKind::SideChainIn);
}

int32_t HostComponentDescriptor::AddExtraEntry(uint32_t zero, uint32_t first, uint32_t second)
{
    host.Log("%s.AddExtraEntry(%u, %u, %u)", Label().c_str(), zero, first, second);
    const int32_t result = host.Outcome(kIID_ComponentDescriptor);
    if (result == 0)
        content.extraEntries.emplace_back(first, second);
    return result;
}

int32_t HostComponentDescriptor::AddPrivateData(uint32_t field, uint32_t sizeBytes, uint32_t option)
{
    host.Log("%s.AddPrivateData(%u, %u, %u)", Label().c_str(), field, sizeBytes, option);
    const int32_t result = host.Outcome(kIID_ComponentDescriptor);
    if (result == 0)
    {
        RecordedField recorded = NewField(field, FieldKind::PrivateData);
        recorded.sizeBytes = sizeBytes;
        recorded.option = option;
        content.fields.push_back(recorded);
    }
    return result;
}

int32_t HostComponentDescriptor::AddIDList(uint32_t field, const uint32_t* list, int32_t count)
{
    host.Log("%s.AddIDList(%u, %d)", Label().c_str(), field, count);
    const int32_t result = host.Outcome(kIID_ComponentDescriptor);
    if (result == 0)
    {
        RecordedField recorded = NewField(field, FieldKind::IDList);
        if (list && count > 0)
            recorded.ids.assign(list, list + count);
        content.fields.push_back(recorded);
    }
    return result;
}

int32_t HostComponentDescriptor::AddNode(uint32_t field, uint32_t nodeType, const char* name, uint32_t mask)
{
    host.Log("%s.AddNode(%u, %u, \"%s\", 0x%08X)", Label().c_str(), field, nodeType, Text(name), mask);
    const int32_t result = host.Outcome(kIID_ComponentDescriptor);
    if (result == 0)
    {
        RecordedField recorded = NewField(field, FieldKind::Node);
        recorded.nodeType = nodeType;
        recorded.name = Text(name);
        recorded.mask = mask;
        content.fields.push_back(recorded);
    }
    return result;
}

int32_t HostComponentDescriptor::AddRenderProcedure(AAXRenderProc procedure, AAX_IHostPropertyMap* properties,
                                                    uint32_t arg3, uint32_t arg4, uint32_t arg5)
{
    // The host only ever receives its own maps.
    auto* map = static_cast<HostPropertyMap*>(properties);
    host.Log("%s.AddRenderProcedure(%s, %s, %u, %u, %u)", Label().c_str(), procedure ? "procedure" : "null",
             map ? map->Label().c_str() : "null", arg3, arg4, arg5);
    const int32_t result = host.Outcome(kIID_ComponentDescriptor);
    if (result == 0)
    {
        content.render = procedure;
        content.renderArgs[0] = arg3;
        content.renderArgs[1] = arg4;
        content.renderArgs[2] = arg5;
        content.properties = map ? map->Properties() : std::vector<std::pair<int32_t, uint32_t>>{};
    }
    return result;
}

void* HostEffectDescriptor::Answer(const ACFUID& iid)
{
    if (iid == kIID_EffectDescriptor)
        return static_cast<AAX_IHostEffectDescriptor*>(this);
    if (iid == kIID_EffectDescriptor2)
        return Unknown();
    return nullptr;
}

int32_t HostEffectDescriptor::AddComponent(AAX_IHostComponentDescriptor* component)
{
    auto* hostComponent = static_cast<HostComponentDescriptor*>(component);
    host.Log("%s.AddComponent(%s)", Label().c_str(), hostComponent ? hostComponent->Label().c_str() : "null");
    const int32_t result = host.Outcome(kIID_EffectDescriptor);
    if (result == 0 && hostComponent)
        content.components.push_back(hostComponent->Content());
    return result;
}

int32_t HostEffectDescriptor::AddName(const AAX_IString* name)
{
    host.Log("%s.AddName(\"%s\")", Label().c_str(), Text(name));
    const int32_t result = host.Outcome(kIID_EffectDescriptor);
    if (result == 0)
        content.names.emplace_back(Text(name));
    return result;
}

int32_t HostEffectDescriptor::AddCategory(uint32_t categoryBits)
{
    host.Log("%s.AddCategory(0x%08X)", Label().c_str(), categoryBits);
    const int32_t result = host.Outcome(kIID_EffectDescriptor);
    if (result == 0)
        content.categories.push_back(categoryBits);
    return result;
}

int32_t HostEffectDescriptor::AddProcedure(AAXCreateObjectProc procedure, uint32_t kind)
{
    host.Log("%s.AddProcedure(%s, %u)", Label().c_str(), procedure ? "procedure" : "null", kind);
    const int32_t result = host.Outcome(kIID_EffectDescriptor);
    if (result == 0)
        content.procedures.emplace_back(kind, procedure);
    return result;
}

void* HostCollection::Answer(const ACFUID& iid)
{
    if (iid == kIID_Collection)
        return static_cast<AAX_IHostCollection*>(this);
    if (iid == kIID_PluginDefinition)
        return Unknown();
    return nullptr;
}

int32_t HostCollection::AddEffect(const char* effectID, AAX_IHostEffectDescriptor* descriptor)
{
    auto* effect = static_cast<HostEffectDescriptor*>(descriptor);
    host.Log("%s.AddEffect(\"%s\", %s)", Label().c_str(), Text(effectID), effect ? effect->Label().c_str() : "null");
    const int32_t result = host.Outcome(kIID_Collection);
    if (result == 0 && effect)
    {
        host.Record().description.effects.push_back(effect->Content());
        host.Record().description.effects.back().id = Text(effectID);
    }
    return result;
}

int32_t HostCollection::AddManufacturerName(const AAX_IString* name)
{
    host.Log("%s.AddManufacturerName(\"%s\")", Label().c_str(), Text(name));
    const int32_t result = host.Outcome(kIID_Collection);
    if (result == 0)
        host.Record().description.manufacturerNames.emplace_back(Text(name));
    return result;
}

int32_t HostCollection::AddPackageName(const AAX_IString* name)
{
    host.Log("%s.AddPackageName(\"%s\")", Label().c_str(), Text(name));
    const int32_t result = host.Outcome(kIID_Collection);
    if (result == 0)
        host.Record().description.packageNames.emplace_back(Text(name));
    return result;
}

int32_t HostCollection::SetPackageVersion(uint32_t version)
{
    host.Log("%s.SetPackageVersion(0x%08X)", Label().c_str(), version);
    const int32_t result = host.Outcome(kIID_Collection);
    if (result == 0)
        host.Record().description.packageVersion = version;
    return result;
}
