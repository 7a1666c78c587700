#include "host/cli/TraceWriter.h"

#include <cerrno>
#include <cstring>

namespace {

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string Field(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

TraceWriter::~TraceWriter()
{
    if (file)
        std::fclose(file);
}

bool TraceWriter::Open(const std::string& name, std::string* error)
{
    path = name;
    file = std::fopen(path.c_str(), "w");
    if (!file)
    {
        *error = "cannot write the trace " + path + ": " + std::strerror(errno);
        return false;
    }
    std::fputs("frame,parameter ID,name,value\n", file);
    return true;
}

void TraceWriter::Row(int64_t frame, const std::string& id, const std::string& name, double value)
{
    std::fprintf(file, "%lld,%s,%s,%.2f\n", static_cast<long long>(frame), Field(id).c_str(), Field(name).c_str(),
                 value);
}

bool TraceWriter::Close(std::string* error)
{
    const bool written = std::ferror(file) == 0;
    const bool closed = std::fclose(file) == 0;
    file = nullptr;
    if (written && closed)
        return true;
    *error = "cannot write the trace " + path;
    return false;
}
