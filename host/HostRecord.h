#pragma once
// What the stand-in host saw: every call the module made on its objects, in
// order, as text ("effect1.AddName(\"Sonvarek\")"), and the description as the
// host keeps it once components and effects are added.

#include "platform/AAXDescriptionCodes.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum class FieldKind
{
    AudioIn,
    AudioOut,
    SampleCount,
    SideChainIn,
    PrivateData,
    IDList,
    Node,
};

struct RecordedField
{
    uint32_t index = 0;
    FieldKind kind = FieldKind::PrivateData;
    uint32_t sizeBytes = 0;  // private data
    uint32_t option = 0;     // private data
    uint32_t nodeType = 0;   // node
    std::string name;        // node
    uint32_t mask = 0;       // node
    std::vector<uint32_t> ids;  // ID list
};

struct RecordedComponent
{
    std::vector<RecordedField> fields;  // in order of declaration
    std::vector<std::pair<int32_t, uint32_t>> properties;  // of the render procedure, in order of addition
    AAXRenderProc render = nullptr;
    uint32_t renderArgs[3] = {};
    std::vector<std::pair<uint32_t, uint32_t>> extraEntries;

    const RecordedField* Field(uint32_t index) const;
    // The property's value, or fallback when the component has none.
    uint32_t Property(int32_t id, uint32_t fallback = 0) const;
};

struct RecordedEffect
{
    std::string id;
    std::vector<std::string> names;
    std::vector<uint32_t> categories;
    std::vector<RecordedComponent> components;
    std::vector<std::pair<uint32_t, AAXCreateObjectProc>> procedures;  // kind, procedure

    // The first procedure registered under kind, or null.
    AAXCreateObjectProc Procedure(uint32_t kind) const;
};

struct RecordedDescription
{
    std::vector<std::string> packageNames;
    std::vector<std::string> manufacturerNames;
    uint32_t packageVersion = 0;
    std::vector<RecordedEffect> effects;
};

struct HostRecord
{
    std::vector<std::string> calls;
    RecordedDescription description;
    std::vector<std::string> traces;  // texts given to the host's trace service
};
