#pragma once
// The growable byte buffer that carries serialised plug-in state (a preset's
// values, the host's project chunk, a program file's chunk). Never throws.

#include "framework/core/GrowBuf.h"

#include <cstdint>

class IStateChunk
{
public:
    int32_t Size() const { return buf.GetSize(); }
    const uint8_t* Data() const { return static_cast<const uint8_t*>(buf.Get()); }
    // Size 0, memory given back.
    void Clear() { buf.Resize(0, true); }

private:
    GrowBuf buf{4096};
};
