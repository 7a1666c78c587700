#include "framework/core/IStateChunk.h"

#include "framework/core/ByteOrder.h"

#include <cstring>
#include <limits>

bool IStateChunk::PutBytes(const void* data, int32_t size)
{
    const int32_t old = Size();
    if (size < 0 || int64_t{old} + size > std::numeric_limits<int32_t>::max())
        return false;
    if (size == 0)
        return true;
    buf.Resize(old + size, false);
    if (Size() != old + size)
        return false;
    std::memcpy(static_cast<uint8_t*>(buf.Get()) + old, data, static_cast<size_t>(size));
    return true;
}

bool IStateChunk::PutDoubleLE(double v)
{
    uint8_t bytes[8];
    StoreDoubleLE(bytes, v);
    return PutBytes(bytes, sizeof bytes);
}

bool IStateChunk::PutU32LE(uint32_t v)
{
    uint8_t bytes[4];
    StoreU32LE(bytes, v);
    return PutBytes(bytes, sizeof bytes);
}

bool IStateChunk::Assign(const IStateChunk& other)
{
    if (&other == this)
        return true;
    const int32_t size = other.Size();
    // A failed growth keeps the old block and size, so the old bytes stay.
    buf.Resize(size, true);
    if (Size() != size)
        return false;
    if (size > 0)
        std::memcpy(buf.Get(), other.Data(), static_cast<size_t>(size));
    return true;
}

int32_t IStateChunk::Read(void* dest, int32_t size, int32_t pos) const
{
    if (pos < 0 || size < 0 || int64_t{pos} + size > Size())
        return -1;
    if (dest && size > 0)
        std::memcpy(dest, Data() + pos, static_cast<size_t>(size));
    return pos + size;
}

int32_t IStateChunk::ReadDoubleLE(double* v, int32_t pos) const
{
    uint8_t bytes[8];
    const int32_t next = Read(bytes, sizeof bytes, pos);
    if (next >= 0)
        *v = LoadDoubleLE(bytes);
    return next;
}

int32_t IStateChunk::ReadU32LE(uint32_t* v, int32_t pos) const
{
    uint8_t bytes[4];
    const int32_t next = Read(bytes, sizeof bytes, pos);
    if (next >= 0)
        *v = LoadU32LE(bytes);
    return next;
}
