#include "host/HostRecord.h"

const RecordedField* RecordedComponent::Field(uint32_t index) const
{
    for (const RecordedField& field : fields)
        if (field.index == index)
            return &field;
    return nullptr;
}

uint32_t RecordedComponent::Property(int32_t id, uint32_t fallback) const
{
    for (const auto& [key, value] : properties)
        if (key == id)
            return value;
    return fallback;
}

AAXCreateObjectProc RecordedEffect::Procedure(uint32_t kind) const
{
    for (const auto& [k, procedure] : procedures)
        if (k == kind)
            return procedure;
    return nullptr;
}
