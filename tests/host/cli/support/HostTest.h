#pragma once
// The fixture of the end-to-end tests of sonvarek-host: a temporary folder
// for the files of a test and the program's output, runs of the program,
// and its JSON lines read back.

#include "support/HostRun.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

constexpr int kWavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
constexpr int kWav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;

class SonvarekHost : public ::testing::Test
{
protected:
    HostRun Run(const std::vector<std::string>& args, const std::string& outPath = "")
    {
        return RunHost(args, folder.Path(), outPath);
    }

    // The JSON objects of a --json run, one per line.
    static std::vector<JsonObject> Objects(const HostRun& run)
    {
        std::vector<JsonObject> objects;
        for (const std::string& line : Lines(run.out))
        {
            JsonObject object;
            EXPECT_TRUE(ParseJsonObject(line, &object)) << line;
            objects.push_back(object);
        }
        return objects;
    }

    std::string Write(const std::string& name, const Planar& audio, int rate, int format = kWavFloat)
    {
        const std::string path = folder / name;
        EXPECT_TRUE(WriteAudio(path, audio, rate, format)) << name;
        return path;
    }

    TempFolder folder;
};

inline double Number(const JsonObject& object, const char* key)
{
    const auto found = object.find(key);
    EXPECT_TRUE(found != object.end() && !found->second.isString) << key;
    return found != object.end() ? found->second.number : NAN;
}

inline std::string Text(const JsonObject& object, const char* key)
{
    const auto found = object.find(key);
    EXPECT_TRUE(found != object.end() && found->second.isString) << key;
    return found != object.end() ? found->second.text : std::string();
}

// The doubles of a saved state: one little-endian double per parameter.
inline std::vector<double> StateValues(const std::string& bytes)
{
    std::vector<double> values;
    for (size_t at = 0; at + 8 <= bytes.size(); at += 8)
    {
        uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = bits << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
        double value = 0.0;
        std::memcpy(&value, &bits, sizeof value);
        values.push_back(value);
    }
    return values;
}
