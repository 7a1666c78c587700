#include "support/RecordingWindow.h"

namespace {

RecordingWindows* current = nullptr;

}  // namespace

RecordingWindows::RecordingWindows()
{
    current = this;
    WNDCLASSA c{};
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = Procedure;
    c.lpszClassName = "Recording";
    RegisterClassA(&c);
}

RecordingWindows::~RecordingWindows() { current = nullptr; }

HWND RecordingWindows::Create(int x, int y, int width, int height, HWND parent, LPVOID param)
{
    return CreateWindowExA(0, "Recording", "", WS_VISIBLE | (parent ? WS_CHILD : 0), x, y, width, height, parent,
                           nullptr, nullptr, param);
}

std::vector<UINT> RecordingWindows::Messages(HWND hwnd) const
{
    std::vector<UINT> messages;
    for (const RecordedMessage& m : log)
        if (!hwnd || m.hwnd == hwnd)
            messages.push_back(m.message);
    return messages;
}

LRESULT RecordingWindows::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (current)
    {
        current->log.push_back({hwnd, message, wParam, lParam});
        if (current->handler)
            if (auto answer = current->handler(hwnd, message, wParam, lParam))
                return *answer;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
