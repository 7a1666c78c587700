#pragma once
// The host's description objects, made through the factory: they record each
// call and keep the description, which the host reads when a component is
// added to an effect and an effect to the collection.

#include "host/HostObject.h"
#include "host/HostRecord.h"
#include "platform/AAX_IHostCollection.h"
#include "platform/AAX_IHostComponentDescriptor.h"
#include "platform/AAX_IHostEffectDescriptor.h"
#include "platform/AAX_IHostPropertyMap.h"

class HostPropertyMap final : public HostObject<AAX_IHostPropertyMap>
{
public:
    explicit HostPropertyMap(StandInHost& host) : HostObject(host, "properties") {}

    uint8_t GetProperty(int32_t id, uint32_t* value) override;
    int32_t AddProperty(int32_t id, uint32_t value) override;

    const std::vector<std::pair<int32_t, uint32_t>>& Properties() const { return properties; }

private:
    void* Answer(const ACFUID& iid) override;

    std::vector<std::pair<int32_t, uint32_t>> properties;
};

class HostComponentDescriptor final : public HostObject<AAX_IHostComponentDescriptor>
{
public:
    explicit HostComponentDescriptor(StandInHost& host) : HostObject(host, "component") {}

    int32_t AddAudioIn(uint32_t field) override;
    int32_t AddAudioOut(uint32_t field) override;
    int32_t AddSampleCount(uint32_t field) override;
    int32_t AddSideChainIn(uint32_t field) override;
    int32_t AddExtraEntry(uint32_t zero, uint32_t first, uint32_t second) override;
    int32_t AddPrivateData(uint32_t field, uint32_t sizeBytes, uint32_t option) override;
    int32_t AddIDList(uint32_t field, const uint32_t* list, int32_t count) override;
    int32_t AddNode(uint32_t field, uint32_t nodeType, const char* name, uint32_t mask) override;
    int32_t AddRenderProcedure(AAXRenderProc procedure, AAX_IHostPropertyMap* properties, uint32_t arg3,
                               uint32_t arg4, uint32_t arg5) override;

    const RecordedComponent& Content() const { return content; }

private:
    void* Answer(const ACFUID& iid) override;
    int32_t AddPlainField(const char* operation, uint32_t field, FieldKind kind);

    RecordedComponent content;
};

class HostEffectDescriptor final : public HostObject<AAX_IHostEffectDescriptor>
{
public:
    explicit HostEffectDescriptor(StandInHost& host) : HostObject(host, "effect") {}

    int32_t AddComponent(AAX_IHostComponentDescriptor* component) override;
    int32_t AddName(const AAX_IString* name) override;
    int32_t AddCategory(uint32_t categoryBits) override;
    int32_t AddProcedure(AAXCreateObjectProc procedure, uint32_t kind) override;

    const RecordedEffect& Content() const { return content; }

private:
    void* Answer(const ACFUID& iid) override;

    RecordedEffect content;
};

class HostCollection final : public HostObject<AAX_IHostCollection>
{
public:
    explicit HostCollection(StandInHost& host) : HostObject(host, "collection") {}

    int32_t AddEffect(const char* effectID, AAX_IHostEffectDescriptor* descriptor) override;
    int32_t AddManufacturerName(const AAX_IString* name) override;
    int32_t AddPackageName(const AAX_IString* name) override;
    int32_t SetPackageVersion(uint32_t version) override;

private:
    // Also answers kIID_PluginDefinition: the collection is the plug-in definition.
    void* Answer(const ACFUID& iid) override;
};
