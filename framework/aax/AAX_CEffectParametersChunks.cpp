// The effect-parameters base's own state chunk: the controls-state chunk
// 'elck' of every unfiltered parameter, typed by the first of the
// parameter's reads that succeeds (float, int32, bool, double, text).

#include "framework/aax/AAX_CEffectParameters.h"

#include "framework/aax/BoundaryGuard.h"
#include "platform/AAXResults.h"

namespace {

struct TypedValue
{
    enum Kind
    {
        kNone,
        kFloat,
        kInt32,
        kBool,
        kDouble,
        kText,
    };
    Kind kind = kNone;
    float floatValue = 0.0f;
    int32_t intValue = 0;
    bool boolValue = false;
    double doubleValue = 0.0;
    AAX_CString text;
};

TypedValue ReadTyped(const AAX_IParameter& parameter)
{
    TypedValue v;
    if (parameter.ReadFloat(&v.floatValue))
        v.kind = TypedValue::kFloat;
    else if (parameter.ReadInt32(&v.intValue))
        v.kind = TypedValue::kInt32;
    else if (parameter.ReadBool(&v.boolValue))
        v.kind = TypedValue::kBool;
    else if (parameter.ReadDouble(&v.doubleValue))
        v.kind = TypedValue::kDouble;
    else if (parameter.ReadText(&v.text))
        v.kind = TypedValue::kText;
    return v;
}

// The entry of name that holds a value of kind, read as that kind.
bool EntryValue(AAX_CChunkDataParser& parser, const char* name, TypedValue::Kind kind, TypedValue& out)
{
    out.kind = kind;
    double number = 0.0;
    switch (kind)
    {
    case TypedValue::kFloat:
        if (!parser.FindDouble(name, &number))
            return false;
        out.floatValue = static_cast<float>(number);
        return true;
    case TypedValue::kInt32: return parser.FindInt32(name, &out.intValue);
    case TypedValue::kBool:
        if (!parser.FindInt32(name, &out.intValue))
            return false;
        out.boolValue = out.intValue != 0;
        return true;
    case TypedValue::kDouble: return parser.FindDouble(name, &out.doubleValue);
    case TypedValue::kText: return parser.FindString(name, &out.text);
    case TypedValue::kNone: break;
    }
    return false;
}

void WriteTyped(AAX_IParameter& parameter, const TypedValue& v)
{
    switch (v.kind)
    {
    case TypedValue::kFloat: parameter.WriteFloat(v.floatValue); break;
    case TypedValue::kInt32: parameter.WriteInt32(v.intValue); break;
    case TypedValue::kBool: parameter.WriteBool(v.boolValue); break;
    case TypedValue::kDouble: parameter.WriteDouble(v.doubleValue); break;
    case TypedValue::kText: parameter.WriteText(v.text.Get()); break;
    case TypedValue::kNone: break;
    }
}

// Exact comparison; a NaN equals nothing.
bool SameValue(const TypedValue& a, const TypedValue& b)
{
    switch (a.kind)
    {
    case TypedValue::kFloat: return a.floatValue == b.floatValue;
    case TypedValue::kInt32: return a.intValue == b.intValue;
    case TypedValue::kBool: return a.boolValue == b.boolValue;
    case TypedValue::kDouble: return a.doubleValue == b.doubleValue;
    case TypedValue::kText: return a.text == b.text;
    case TypedValue::kNone: break;
    }
    return false;
}

}  // namespace

void AAX_CEffectParameters::FillChunkParser(AAX_CChunkDataParser& parser) const
{
    parser.Clear();
    for (int32_t i = 0; i < registry.Count(); ++i)
    {
        const AAX_IParameter& parameter = *registry.At(i);
        const char* id = parameter.IDText();
        if (IsFiltered(id))
            continue;
        const TypedValue v = ReadTyped(parameter);
        switch (v.kind)
        {
        case TypedValue::kFloat: parser.PutDouble(id, v.floatValue); break;
        case TypedValue::kInt32: parser.PutInt32(id, v.intValue); break;
        case TypedValue::kBool: parser.PutInt32(id, v.boolValue ? 1 : 0); break;
        case TypedValue::kDouble: parser.PutDouble(id, v.doubleValue); break;
        case TypedValue::kText: parser.PutString(id, v.text.Get()); break;
        case TypedValue::kNone: break;
        }
    }
}

int32_t AAX_CEffectParameters::CountChunks(int32_t* count)
{
    if (!count)
        return kACFResultNullPointer;
    *count = 1;
    return 0;
}

int32_t AAX_CEffectParameters::ChunkIDAt(int32_t index, uint32_t* chunkID)
{
    if (!chunkID)
        return kACFResultNullPointer;
    *chunkID = index == 0 ? kControlsStateChunkID : 0;
    return index == 0 ? 0 : kAAXResultInvalidChunkIndex;
}

int32_t AAX_CEffectParameters::GetStateChunkSize(uint32_t chunkID, int32_t* sizeBytes)
{
    if (!sizeBytes)
        return kACFResultNullPointer;
    return GuardBoundary([&] {
        *sizeBytes = 0;
        if (chunkID != kControlsStateChunkID)
            return kAAXResultInvalidChunkID;
        AAX_CChunkDataParser parser;
        FillChunkParser(parser);
        const int32_t size = parser.DataSize();
        lastChunkSize.store(size);
        if (size < 0)
            return kAAXResultWrongDataSize;
        *sizeBytes = size;
        return 0;
    });
}

int32_t AAX_CEffectParameters::GetStateChunk(uint32_t chunkID, AAXChunkRecord* record)
{
    if (!record)
        return kACFResultNullPointer;
    return GuardBoundary([&] {
        if (chunkID != kControlsStateChunkID)
            return kAAXResultInvalidChunkID;
        AAX_CChunkDataParser parser;
        FillChunkParser(parser);
        const int32_t size = parser.DataSize();
        const int32_t reported = lastChunkSize.load();
        if (size != reported || size <= 0 || record->dataSize < size)
            return kAAXResultWrongDataSize;
        return parser.GetChunkData(*record, reported);
    });
}

int32_t AAX_CEffectParameters::SetStateChunk(uint32_t chunkID, const AAXChunkRecord* record)
{
    if (!record)
        return kACFResultNullPointer;
    return GuardBoundary([&] {
        if (chunkID != kControlsStateChunkID)
            return kAAXResultInvalidChunkID;
        AAX_CChunkDataParser parser;
        if (!parser.ParseChunk(*record))
            return kAAXResultWrongDataSize;
        for (int32_t i = 0; i < registry.Count(); ++i)
        {
            AAX_IParameter& parameter = *registry.At(i);
            TypedValue stored;
            if (!IsFiltered(parameter.IDText()) &&
                EntryValue(parser, parameter.IDText(), ReadTyped(parameter).kind, stored))
                WriteTyped(parameter, stored);
        }
        NoteChange();
        return 0;
    });
}

int32_t AAX_CEffectParameters::CompareStateChunk(const AAXChunkRecord* record, uint8_t* equal)
{
    if (!record || !equal)
        return kACFResultNullPointer;
    return GuardBoundary([&] {
        *equal = 1;
        if (record->chunkID != kControlsStateChunkID)
            return 0;
        AAX_CChunkDataParser parser;
        bool same = parser.ParseChunk(*record);
        for (int32_t i = 0; same && i < registry.Count(); ++i)
        {
            const AAX_IParameter& parameter = *registry.At(i);
            if (IsFiltered(parameter.IDText()))
                continue;
            const TypedValue current = ReadTyped(parameter);
            TypedValue stored;
            same = EntryValue(parser, parameter.IDText(), current.kind, stored) && SameValue(current, stored);
        }
        *equal = same ? 1 : 0;
        return 0;
    });
}
