#include "platform/x11/Selection.h"

#include "platform/win32/Utf.h"
#include "platform/x11/XSession.h"

#include <X11/Xatom.h>

#include <chrono>
#include <poll.h>

namespace {

// 4 MiB of text at most.
constexpr long kMostLongs = 1 << 20;
// How long the selection's owner may take to answer.
constexpr int kWaitMs = 2000;

bool WaitForAnswer(XSession& s, Atom selection, std::chrono::steady_clock::time_point deadline, XEvent& answer)
{
    for (;;)
    {
        if (XCheckTypedWindowEvent(s.display, s.utility, SelectionNotify, &answer))
        {
            if (answer.xselection.selection == selection)
                return true;
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd = {ConnectionNumber(s.display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
    }
}

}  // namespace

std::optional<std::u16string> ReadSelectionText(XSession& s, Atom selection)
{
    if (XGetSelectionOwner(s.display, selection) == None)
        return std::nullopt;
    const Window requestor = s.utility;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    for (const Atom target : {s.utf8String, static_cast<Atom>(XA_STRING)})
    {
        XDeleteProperty(s.display, requestor, s.selectionProperty);
        XConvertSelection(s.display, selection, target, s.selectionProperty, requestor, CurrentTime);
        XFlush(s.display);
        XEvent answer;
        if (!WaitForAnswer(s, selection, deadline, answer))
            return std::nullopt;
        if (answer.xselection.property == None)
            continue;
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(s.display, requestor, s.selectionProperty, 0, kMostLongs, True, AnyPropertyType, &type,
                               &format, &count, &after, &data) != Success)
            return std::nullopt;
        std::string bytes;
        if (data && format == 8 && type != s.incr)
            bytes.assign(reinterpret_cast<const char*>(data), count);
        if (data)
            XFree(data);
        if (type == s.incr || format != 8)
        {
            XDeleteProperty(s.display, requestor, s.selectionProperty);
            return std::nullopt;
        }
        if (target == s.utf8String)
            return Utf8ToUtf16(bytes);
        std::u16string text;
        for (const char c : bytes)
            text.push_back(static_cast<unsigned char>(c));
        return text;
    }
    return std::nullopt;
}
