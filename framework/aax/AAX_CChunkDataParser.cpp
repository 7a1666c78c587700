#include "framework/aax/AAX_CChunkDataParser.h"

#include "framework/aax/HostTrace.h"
#include "framework/core/CopyText.h"
#include "platform/AAXResults.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr uint8_t kMarker[4] = {1, 1, 1, 1};
constexpr int64_t kNameMax = 255;
constexpr int64_t kTextMax = std::numeric_limits<int32_t>::max();

int64_t RoundUp4(int64_t bytes) { return (bytes + 3) & ~int64_t{3}; }

char TagLetter(ChunkDataType type)
{
    switch (type)
    {
    case kChunkDataFloat: return 'f';
    case kChunkDataInt32: return 'l';
    case kChunkDataDouble: return 'd';
    case kChunkDataInt16: return 's';
    case kChunkDataText: return 'r';
    }
    return '?';
}

int64_t ValueBytes(const ChunkDataEntry& entry)
{
    switch (entry.type)
    {
    case kChunkDataDouble: return 8;
    case kChunkDataText: return RoundUp4(int64_t{entry.text.Length()} + 1);
    default: return 4;
    }
}

// Tag, name, NUL and padding, then the value with its padding.
int64_t EntryBytes(const ChunkDataEntry& entry)
{
    return RoundUp4(2 + int64_t{entry.name.Length()} + 1) + ValueBytes(entry);
}

// Writes within [0, limit) of data; the caller checks room before each entry.
class ByteWriter
{
public:
    ByteWriter(uint8_t* data, int64_t limit) : data(data), limit(limit) {}

    bool Fits(int64_t bytes) const { return bytes <= limit - position; }
    void Bytes(const void* bytes, int64_t count)
    {
        std::memcpy(data + position, bytes, static_cast<size_t>(count));
        position += count;
    }
    void BigEndian(uint64_t value, int bytes)
    {
        for (int i = bytes - 1; i >= 0; --i)
            data[position++] = static_cast<uint8_t>(value >> (8 * i));
    }
    void Pad() { position = RoundUp4(position); }  // the bytes are zero already

private:
    uint8_t* data;
    int64_t limit;
    int64_t position = 0;
};

// Reads within [0, size) of data; every read fails rather than pass the end.
class ByteReader
{
public:
    ByteReader(const uint8_t* data, int64_t size) : data(data), size(size) {}

    bool AtEnd() const { return position >= size; }
    bool Skip(int64_t count)
    {
        if (count > size - position)
            return false;
        position += count;
        return true;
    }
    bool Pad() { return Skip(RoundUp4(position) - position); }
    bool BigEndian(int bytes, uint64_t* value)
    {
        if (bytes > size - position)
            return false;
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = v << 8 | data[position++];
        *value = v;
        return true;
    }
    // A NUL-terminated text of at most maxBytes before its NUL; the position
    // moves past the NUL.
    bool Text(int64_t maxBytes, AAX_CString* out)
    {
        const int64_t window = std::min(maxBytes + 1, size - position);
        const void* nul = std::memchr(data + position, 0, static_cast<size_t>(std::max<int64_t>(window, 0)));
        if (!nul)
            return false;
        out->Set(reinterpret_cast<const char*>(data + position));
        position = static_cast<const uint8_t*>(nul) - data + 1;
        return true;
    }

private:
    const uint8_t* data;
    int64_t size;
    int64_t position = 0;
};

uint64_t DoubleBits(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

uint32_t FloatBits(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

template <class T, class Bits>
T FromBits(Bits bits)
{
    T value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void WriteValue(ByteWriter& writer, const ChunkDataEntry& entry)
{
    switch (entry.type)
    {
    case kChunkDataFloat: writer.BigEndian(FloatBits(static_cast<float>(entry.number)), 4); break;
    case kChunkDataInt32: writer.BigEndian(static_cast<uint32_t>(entry.integer), 4); break;
    case kChunkDataDouble: writer.BigEndian(DoubleBits(entry.number), 8); break;
    case kChunkDataInt16:
        writer.BigEndian(static_cast<uint16_t>(entry.integer), 2);
        writer.BigEndian(0, 2);
        break;
    case kChunkDataText:
        writer.Bytes(entry.text.Get(), int64_t{entry.text.Length()} + 1);
        writer.Pad();
        break;
    }
}

// One entry from reader; false when it is cut short or its tag is unknown.
bool ReadEntry(ByteReader& reader, ChunkDataEntry* entry)
{
    uint64_t tag = 0;
    if (!reader.BigEndian(2, &tag) || !reader.Text(kNameMax, &entry->name) || !reader.Pad())
        return false;
    uint64_t bits = 0;
    switch (static_cast<char>(tag >> 8))
    {
    case 'd':
        entry->type = kChunkDataDouble;
        if (!reader.BigEndian(8, &bits))
            return false;
        entry->number = FromBits<double>(bits);
        return true;
    case 'f':
        entry->type = kChunkDataFloat;
        if (!reader.BigEndian(4, &bits))
            return false;
        entry->number = FromBits<float>(static_cast<uint32_t>(bits));
        return true;
    case 'l':
        entry->type = kChunkDataInt32;
        if (!reader.BigEndian(4, &bits))
            return false;
        entry->integer = static_cast<int32_t>(static_cast<uint32_t>(bits));
        return true;
    case 's':
        entry->type = kChunkDataInt16;
        if (!reader.BigEndian(2, &bits) || !reader.Skip(2))
            return false;
        entry->integer = static_cast<int16_t>(static_cast<uint16_t>(bits));
        return true;
    case 'r':
        entry->type = kChunkDataText;
        return reader.Text(kTextMax, &entry->text) && reader.Pad();
    default:
        return false;
    }
}

int32_t ReportOverflow()
{
    HostTrace(AAX_CChunkDataParser::kTracePriority, "AAX_CChunkDataParser::GetChunkData ERROR: %s",
              "aborting: chunk data will overflow buffer");
    return kAAXResultChunkOverflow;
}

}  // namespace

void AAX_CChunkDataParser::PutDouble(const char* name, double value)
{
    ChunkDataEntry entry;
    entry.type = kChunkDataDouble;
    entry.name = name;
    entry.number = value;
    entries.push_back(std::move(entry));
}

void AAX_CChunkDataParser::PutInt32(const char* name, int32_t value)
{
    ChunkDataEntry entry;
    entry.type = kChunkDataInt32;
    entry.name = name;
    entry.integer = value;
    entries.push_back(std::move(entry));
}

void AAX_CChunkDataParser::PutString(const char* name, const char* text)
{
    ChunkDataEntry entry;
    entry.type = kChunkDataText;
    entry.name = name;
    entry.text = text;
    entries.push_back(std::move(entry));
}

int32_t AAX_CChunkDataParser::DataSize() const
{
    int64_t size = sizeof kMarker;
    for (const ChunkDataEntry& entry : entries)
    {
        size += EntryBytes(entry);
        if (size > std::numeric_limits<int32_t>::max())
            return -1;
    }
    return static_cast<int32_t>(size);
}

int32_t AAX_CChunkDataParser::GetChunkData(AAXChunkRecord& record, int32_t capacityBytes) const
{
    const int32_t size = DataSize();
    const int32_t limit = std::max(0, std::min(size, capacityBytes));
    record.dataSize = limit;
    record.version = chunkVersion;
    std::memset(record.name, 0, sizeof record.name);
    CopyText(record.name, kChunkName);
    std::memset(record.Data(), 0, static_cast<size_t>(limit));

    ByteWriter writer(record.Data(), limit);
    if (size < 0 || !writer.Fits(sizeof kMarker))
    {
        return ReportOverflow();
    }
    writer.Bytes(kMarker, sizeof kMarker);
    for (const ChunkDataEntry& entry : entries)
    {
        if (!writer.Fits(EntryBytes(entry)))
        {
            return ReportOverflow();
        }
        const char tag[2] = {TagLetter(entry.type), '_'};
        writer.Bytes(tag, 2);
        writer.Bytes(entry.name.Get(), int64_t{entry.name.Length()} + 1);
        writer.Pad();
        WriteValue(writer, entry);
    }
    return 0;
}

bool AAX_CChunkDataParser::ParseChunk(const AAXChunkRecord& record)
{
    Clear();
    chunkVersion = record.version;
    const int64_t size = record.dataSize;
    if (size < static_cast<int64_t>(sizeof kMarker) || std::memcmp(record.Data(), kMarker, sizeof kMarker) != 0)
        return false;
    ByteReader reader(record.Data(), size);
    reader.Skip(sizeof kMarker);
    while (!reader.AtEnd())
    {
        ChunkDataEntry entry;
        if (!ReadEntry(reader, &entry))
            return false;
        entries.push_back(std::move(entry));
    }
    return true;
}

const ChunkDataEntry* AAX_CChunkDataParser::Find(const char* name, ChunkDataType type)
{
    const int32_t count = static_cast<int32_t>(entries.size());
    if (!name || count == 0)
        return nullptr;
    for (int32_t step = 1; step <= count; ++step)
    {
        const int32_t index = static_cast<int32_t>((int64_t{searchCursor} + step + count) % count);
        const ChunkDataEntry& entry = entries[static_cast<size_t>(index)];
        if (entry.type == type && std::strcmp(entry.name.Get(), name) == 0)
        {
            searchCursor = index;
            return &entry;
        }
    }
    return nullptr;
}

bool AAX_CChunkDataParser::FindDouble(const char* name, double* out)
{
    const ChunkDataEntry* entry = Find(name, kChunkDataDouble);
    if (entry && out)
        *out = entry->number;
    return entry != nullptr;
}

bool AAX_CChunkDataParser::FindInt32(const char* name, int32_t* out)
{
    const ChunkDataEntry* entry = Find(name, kChunkDataInt32);
    if (entry && out)
        *out = entry->integer;
    return entry != nullptr;
}

bool AAX_CChunkDataParser::FindString(const char* name, AAX_CString* out)
{
    const ChunkDataEntry* entry = Find(name, kChunkDataText);
    if (entry && out)
        *out = entry->text;
    return entry != nullptr;
}

void AAX_CChunkDataParser::Clear()
{
    entries.clear();
    searchCursor = -1;
    chunkVersion = -1;
}
