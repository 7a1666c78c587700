#include "host/cli/input/Wave64Header.h"

namespace {

constexpr size_t kGuidBytes = 16;
constexpr size_t kFormatBytes = 16;
// A chunk's header: its GUID and its size, which counts the header too.
constexpr uint64_t kChunkHeaderBytes = kGuidBytes + 8;

// The chunks' GUIDs as stored: the first three fields little-endian.
constexpr char kWave[] = "wave\xF3\xAC\xD3\x11\x8C\xD1\x00\xC0\x4F\x8E\xDB\x8A";
constexpr char kFormat[] = "fmt \xF3\xAC\xD3\x11\x8C\xD1\x00\xC0\x4F\x8E\xDB\x8A";
constexpr char kData[] = "data\xF3\xAC\xD3\x11\x8C\xD1\x00\xC0\x4F\x8E\xDB\x8A";

void PutSize(std::string& out, uint64_t size)
{
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>(size >> (8 * i) & 0xFF);
}

}  // namespace

std::string Wave64Header(const uint8_t* format, uint64_t dataBytes)
{
    const uint64_t formatChunk = kChunkHeaderBytes + kFormatBytes;
    const uint64_t headerBytes = kChunkHeaderBytes + kGuidBytes + formatChunk + kChunkHeaderBytes;
    const uint64_t dataChunk = dataBytes == kWave64DataToTheEnd ? dataBytes : kChunkHeaderBytes + dataBytes;
    std::string header;
    header.append(reinterpret_cast<const char*>(kWave64Riff), kGuidBytes);
    PutSize(header, dataBytes == kWave64DataToTheEnd ? dataBytes : headerBytes + dataBytes);
    header.append(kWave, kGuidBytes);
    header.append(kFormat, kGuidBytes);
    PutSize(header, formatChunk);
    header.append(reinterpret_cast<const char*>(format), kFormatBytes);
    header.append(kData, kGuidBytes);
    PutSize(header, dataChunk);
    return header;
}
