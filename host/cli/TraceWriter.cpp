#include "host/cli/TraceWriter.h"

#include "host/cli/OutputPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

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

// A stream of its own on a duplicate of stream's descriptor.
std::FILE* Share(std::FILE* stream)
{
    std::fflush(stream);
    const int fd = ::dup(fileno(stream));
    if (fd < 0)
        return nullptr;
    std::FILE* shared = ::fdopen(fd, "w");
    if (!shared)
    {
        const int cause = errno;
        ::close(fd);
        errno = cause;
    }
    return shared;
}

// Where a stream of WrittenThrough writes, and how.
struct Through
{
    std::FILE* target;
    StopAwareWrites* writes;
    int own;  // StopAwareWrites::OpenOwn's
};

ssize_t WriteThrough(void* cookie, const char* data, size_t size)
{
    const auto* through = static_cast<Through*>(cookie);
    // A short count is stdio's failure, errno its cause.
    return through->writes->Write(fileno(through->target), through->own, data, size) ? static_cast<ssize_t>(size)
                                                                                      : 0;
}

int CloseThrough(void* cookie)
{
    const std::unique_ptr<Through> through(static_cast<Through*>(cookie));
    if (through->own >= 0)
        ::close(through->own);
    return std::fclose(through->target);
}

// A stream that writes to target's descriptor through writes and closes
// target as it closes; null with errno set, target closed, when it cannot be
// made.
std::FILE* WrittenThrough(std::FILE* target, StopAwareWrites& writes)
{
    auto through = std::make_unique<Through>(Through{target, &writes, StopAwareWrites::OpenOwn(fileno(target))});
    std::FILE* stream = ::fopencookie(through.get(), "w", {nullptr, WriteThrough, nullptr, CloseThrough});
    if (!stream)
    {
        const int cause = errno;
        if (through->own >= 0)
            ::close(through->own);
        std::fclose(target);
        errno = cause;
        return nullptr;
    }
    through.release();
    return stream;
}

}  // namespace

TraceWriter::~TraceWriter()
{
    if (file)
        std::fclose(file);
}

bool TraceWriter::Open(const std::string& name, const std::vector<std::FILE*>& streams, StopAwareWrites& writes,
                       std::string* error)
{
    path = name;
    bool rowByRow = false;
    for (std::FILE* stream : streams)
        if (NamesOpenFile(path, fileno(stream)))
        {
            file = Share(stream);
            rowByRow = true;
            break;
        }
    if (!rowByRow)
    {
        struct stat target = {};
        rowByRow = ::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode);
        file = std::fopen(path.c_str(), "w");
    }
    // A reader may take its rows slowly, or not at all.
    if (file && rowByRow)
        file = WrittenThrough(file, writes);
    if (!file)
    {
        *error = "cannot write the trace " + path + ": " + std::strerror(errno);
        return false;
    }
    if (rowByRow)
        std::setvbuf(file, nullptr, _IOLBF, BUFSIZ);
    Note(std::fputs("frame,parameter ID,name,value\n", file) < 0);
    return true;
}

void TraceWriter::Note(bool failed)
{
    if (failed && failure == 0)
        failure = errno != 0 ? errno : EIO;
}

void TraceWriter::Row(int64_t frame, const std::string& id, const std::string& name, double value)
{
    Note(std::fprintf(file, "%lld,%s,%s,%.2f\n", static_cast<long long>(frame), Field(id).c_str(),
                      Field(name).c_str(), value) < 0);
}

bool TraceWriter::Close(std::string* error)
{
    Note(std::fflush(file) != 0);
    Note(std::ferror(file) != 0);
    Note(std::fclose(file) != 0);
    file = nullptr;
    if (failure == 0)
        return true;
    *error = "cannot write the trace " + path + ": " + std::strerror(failure);
    return false;
}
