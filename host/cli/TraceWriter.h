#pragma once
// The --trace file: one CSV row per value the module published, with the
// header "frame,parameter ID,name,value". frame is the number of frames
// rendered by the end of the render call in which the value was published.

#include <cstdint>
#include <cstdio>
#include <string>

class TraceWriter
{
public:
    TraceWriter() = default;
    ~TraceWriter();
    TraceWriter(const TraceWriter&) = delete;
    TraceWriter& operator=(const TraceWriter&) = delete;

    // Creates (or replaces) the file and writes the header; false with the
    // reason in *error.
    bool Open(const std::string& path, std::string* error);
    void Row(int64_t frame, const std::string& id, const std::string& name, double value);
    // False with the reason when anything could not be written.
    bool Close(std::string* error);

private:
    std::FILE* file = nullptr;
    std::string path;
};
