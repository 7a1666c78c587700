#pragma once
// The effect-parameters object as the host calls it: kIID_EffectParameters,
// and kIID_EffectParameters2 with the reserved calls after it. Operations
// stand in the order the host calls them by. Parameters are named by their
// identifier text; normalised values run from 0 to 1; four-character chunk
// IDs as in FourCharCode. Results are AAX result codes; a null out pointer
// gives kACFResultNullPointer. The host calls from threads of its choosing.

#include "platform/AAXChunkRecord.h"
#include "platform/AAX_IString.h"
#include "platform/IACFUnknown.h"

#include <cstdint>

// The module's parameter object: opaque to the host, which only passes it on
// inside the module's process.
class AAX_IParameter;

class AAX_IACFEffectParameters : public IACFUnknown
{
public:
    // hostObject answers the controller, automation and transport interfaces.
    virtual int32_t AttachToHost(IACFUnknown* hostObject) = 0;
    virtual int32_t DetachFromHost() = 0;
    virtual int32_t HandleHostNotice(uint32_t type, const void* data, uint32_t sizeBytes) = 0;

    virtual int32_t CountParameters(int32_t* count) = 0;
    virtual int32_t BypassParameterID(AAX_IString* id) = 0;
    virtual int32_t QueryAutomatable(const char* id, uint8_t* automatable) = 0;
    virtual int32_t QueryStepCount(const char* id, int32_t* steps) = 0;
    virtual int32_t QueryParameterName(const char* id, AAX_IString* name) = 0;
    // The longest name of the parameter that fits in maxChars characters.
    virtual int32_t QueryParameterNameFitting(const char* id, AAX_IString* name, int32_t maxChars) = 0;
    virtual int32_t QueryDefaultNormalized(const char* id, double* value) = 0;
    virtual int32_t AssignDefaultNormalized(const char* id, double value) = 0;
    virtual int32_t QueryParameterKind(const char* id, int32_t* kind) = 0;
    virtual int32_t QueryParameterStyle(const char* id, int32_t* style) = 0;
    virtual int32_t LookupParameter(const char* id, AAX_IParameter** parameter) = 0;
    virtual int32_t IndexOfParameter(const char* id, int32_t* index) = 0;
    virtual int32_t ParameterIDAt(int32_t index, AAX_IString* id) = 0;
    virtual int32_t QueryValueDetail(uint32_t argument, uint32_t* detail) = 0;
    virtual int32_t ParseParameterText(const char* id, double* value, const AAX_IString* text) = 0;
    virtual int32_t FormatParameterValue(const char* id, double value, AAX_IString* text, int32_t maxChars) = 0;
    virtual int32_t FormatCurrentValue(const char* id, AAX_IString* text, int32_t maxChars) = 0;
    virtual int32_t QueryNormalized(const char* id, double* value) = 0;
    // Asks for a value: with automation the host answers through ApplyHostParamValue.
    virtual int32_t AssignNormalized(const char* id, double value) = 0;
    virtual int32_t AssignNormalizedRelative(const char* id, double delta) = 0;
    virtual int32_t BeginTouch(const char* id) = 0;
    virtual int32_t EndTouch(const char* id) = 0;
    virtual int32_t NoteTouchState(const char* id, uint8_t touched) = 0;
    // The host sets a value (its answer to a request, automation playback).
    virtual int32_t ApplyHostParamValue(const char* id, double value, int32_t source) = 0;
    virtual int32_t ApplyHostParamValueRelative(const char* id, double delta) = 0;
    virtual int32_t FlushDirtyPackets() = 0;
    // Prepares a private-data block of the render context for the instance.
    virtual int32_t PrepareFieldData(uint32_t field, void* data, uint32_t sizeBytes) = 0;

    virtual int32_t CountChunks(int32_t* count) = 0;
    virtual int32_t ChunkIDAt(int32_t index, uint32_t* chunkID) = 0;
    virtual int32_t GetStateChunkSize(uint32_t chunkID, int32_t* sizeBytes) = 0;
    // record has room for the data size last answered by GetStateChunkSize.
    virtual int32_t GetStateChunk(uint32_t chunkID, AAXChunkRecord* record) = 0;
    // record->dataSize bytes of data follow the record's header.
    virtual int32_t SetStateChunk(uint32_t chunkID, const AAXChunkRecord* record) = 0;
    virtual int32_t CompareStateChunk(const AAXChunkRecord* record, uint8_t* equal) = 0;
    virtual int32_t CountChanges(int32_t* changes) = 0;

protected:
    ~AAX_IACFEffectParameters() = default;
};

// Calls the host reserves; the module answers each with a fixed result.
class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters
{
public:
    virtual int32_t Reserved1() = 0;
    virtual int32_t Reserved2() = 0;
    virtual int32_t Reserved3(uint32_t* out) = 0;
    virtual int32_t Reserved4() = 0;
    virtual int32_t Reserved5() = 0;
    virtual int32_t Reserved6() = 0;
    virtual int32_t Reserved7() = 0;
    virtual int32_t Reserved8() = 0;

protected:
    ~AAX_IACFEffectParameters_V2() = default;
};
