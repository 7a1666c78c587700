#pragma once
// The growable byte buffer that carries serialised plug-in state (a preset's
// values, the host's project chunk, a program file and its chunk). Values are
// appended at the end and read from a byte position; every read is
// bounds-checked. Never throws: an append that cannot grow appends nothing.
//
// The state format itself (IPlugBase::SerializeParams): one plain value per
// parameter, in index order, as an 8-byte IEEE double, little-endian; no
// header, no count, no padding.

#include "framework/core/GrowBuf.h"

#include <cstdint>

class IStateChunk
{
public:
    IStateChunk() = default;
    IStateChunk(const IStateChunk&) = delete;
    IStateChunk& operator=(const IStateChunk&) = delete;

    int32_t Size() const { return buf.GetSize(); }
    // Null while the chunk is empty.
    const uint8_t* Data() const { return static_cast<const uint8_t*>(buf.Get()); }
    // Size 0, memory given back.
    void Clear() { buf.Resize(0, true); }

    // Appends size bytes (copied to the old end); false, chunk unchanged, when
    // it cannot grow or size is negative.
    bool PutBytes(const void* data, int32_t size);
    bool PutDoubleLE(double v);
    bool PutU32LE(uint32_t v);
    // Copies other's bytes; false, this chunk unchanged, when it cannot grow.
    bool Assign(const IStateChunk& other);

    // Copies size bytes from byte position pos into dest (a null dest only
    // checks) and returns pos + size; -1, nothing copied, when pos or size is
    // negative or pos + size passes the end.
    int32_t Read(void* dest, int32_t size, int32_t pos) const;
    // Read of one little-endian value; the same result rule.
    int32_t ReadDoubleLE(double* v, int32_t pos) const;
    int32_t ReadU32LE(uint32_t* v, int32_t pos) const;

private:
    GrowBuf buf{4096};
};
