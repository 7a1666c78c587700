#pragma once
// The --trace file: one CSV row per value the module published, with the
// header "frame,parameter ID,name,value". frame is the number of frames
// rendered by the end of the render call in which the value was published.

#include "host/cli/StopAwareWrites.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class TraceWriter
{
public:
    TraceWriter() = default;
    ~TraceWriter();
    TraceWriter(const TraceWriter&) = delete;
    TraceWriter& operator=(const TraceWriter&) = delete;

    // Opens the file at path for writing and writes the header; false with
    // the reason (the system's) in *error. The file is written over, never
    // replaced: a path that names the file behind one of streams (--trace
    // /dev/stdout) writes through a duplicate of that stream's descriptor,
    // sharing its position; any file that is not regular (a FIFO, a device)
    // receives each row as it is written, through writes.
    bool Open(const std::string& path, const std::vector<std::FILE*>& streams, StopAwareWrites& writes,
              std::string* error);
    void Row(int64_t frame, const std::string& id, const std::string& name, double value);
    // False with the reason (the system's error text for the first write
    // that failed) when anything could not be written.
    bool Close(std::string* error);

private:
    void Note(bool failed);

    std::FILE* file = nullptr;
    std::string path;
    int failure = 0;  // errno of the first failed write
};
