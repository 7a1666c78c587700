#pragma once
// Typed name/value entries and their chunk form, the controls-state chunk:
// the marker 01 01 01 01, then per entry a two-letter tag ("f_" float, "l_"
// int32, "d_" double, "s_" int16, "r_" text), the name with its NUL, zero
// padding to a multiple of 4 (counted from the start of the data), and the
// value: numbers big-endian (int16 in 4 bytes, its 2 then 2 zeros), a text
// with its NUL and padded to a multiple of 4.

#include "framework/aax/AAX_CString.h"
#include "platform/AAXChunkRecord.h"

#include <cstdint>
#include <vector>

enum ChunkDataType : int32_t
{
    kChunkDataFloat = 1,
    kChunkDataInt32 = 2,
    kChunkDataDouble = 3,
    kChunkDataInt16 = 4,
    kChunkDataText = 5,
};

struct ChunkDataEntry
{
    ChunkDataType type = kChunkDataDouble;
    AAX_CString name;
    double number = 0.0;  // double and float entries
    int32_t integer = 0;  // int32 and int16 entries
    AAX_CString text;     // text entries
};

class AAX_CChunkDataParser
{
public:
    static constexpr const char* kChunkName = "Complete Controls State";
    static constexpr int32_t kTracePriority = 0x08000000;

    AAX_CChunkDataParser() = default;
    virtual ~AAX_CChunkDataParser() = default;

    void PutDouble(const char* name, double value);
    void PutInt32(const char* name, int32_t value);
    void PutString(const char* name, const char* text);

    // Bytes of the chunk data of the entries (4 with none); -1 when that
    // would not fit in an int32.
    int32_t DataSize() const;
    // Writes the data into record, which has room for capacityBytes of data:
    // data size, version, the name "Complete Controls State" and the data.
    // When an entry (with its padding) would pass DataSize or the room, the
    // writing stops there, the host's trace is told, and the result is -333;
    // otherwise 0.
    int32_t GetChunkData(AAXChunkRecord& record, int32_t capacityBytes) const;
    // Replaces the entries with those read from record (its version is kept).
    // Reading stops at the first entry that is cut short or has an unknown
    // tag; the entries before it are kept. false when it stopped so, or when
    // the data is not a controls-state chunk (no marker, under 4 bytes).
    bool ParseChunk(const AAXChunkRecord& record);

    // Lookups by name and type. Each search starts after the entry found
    // last and wraps around, so reading entries back in the order they were
    // written finds each at the first try.
    bool FindDouble(const char* name, double* out);
    bool FindInt32(const char* name, int32_t* out);
    bool FindString(const char* name, AAX_CString* out);

    // No entries, version -1.
    void Clear();
    int32_t ChunkVersion() const { return chunkVersion; }
    const std::vector<ChunkDataEntry>& Entries() const { return entries; }

private:
    const ChunkDataEntry* Find(const char* name, ChunkDataType type);

    int32_t searchCursor = -1;
    int32_t chunkVersion = -1;
    std::vector<ChunkDataEntry> entries;
};
