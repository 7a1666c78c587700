#include "platform/PathForMessage.h"

namespace {

constexpr const char* kElision = "...";
constexpr size_t kElisionBytes = 3;

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string PathForMessage(const std::string& path, size_t maxBytes)
{
    if (path.size() <= maxBytes)
        return path;
    const size_t room = maxBytes > kElisionBytes ? maxBytes - kElisionBytes : 0;
    size_t head = room / 3;
    size_t tail = path.size() - (room - head);
    // A sequence has at most three continuation bytes: step off them, the
    // head's end back and the tail's start on.
    for (int i = 0; i < 3 && head > 0 && IsContinuation(path[head]); ++i)
        --head;
    for (int i = 0; i < 3 && tail < path.size() && IsContinuation(path[tail]); ++i)
        ++tail;
    return path.substr(0, head) + kElision + path.substr(tail);
}
