#pragma once
// A window class for the layer's tests: every message its windows get is
// recorded, a test may answer any of them itself, the rest go to
// DefWindowProcA.

#include "platform/win32/Desktop.h"
#include "platform/win32/Win32.h"

#include <functional>
#include <optional>
#include <vector>

struct RecordedMessage
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingWindows
{
public:
    // Registers the class "Recording" (with CS_DBLCLKS) on the desktop.
    RecordingWindows();
    ~RecordingWindows();

    // A visible window of the class: a child of parent when given.
    HWND Create(int x, int y, int width, int height, HWND parent = nullptr, LPVOID param = nullptr);
    // The recorded message numbers, for one window or all.
    std::vector<UINT> Messages(HWND hwnd = nullptr) const;
    std::vector<RecordedMessage> log;
    // Asked first; an answer ends the message's handling.
    std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> handler;

    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
