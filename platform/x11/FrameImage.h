#pragma once
// The pixels of one shown window, kept from frame to frame: the layer's
// pixels are composed straight into it and the changed areas sent from it,
// through the X shared-memory extension where the server takes the image's
// segment, else by XPutImage (converted to the visual's format where its
// pixels are not 32-bit words of 0x00RRGGBB). Internal to the presenter.
// [UI thread]

#include "platform/win32/Win32Types.h"
#include "platform/x11/XSession.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <atomic>
#include <cstdint>
#include <vector>

class FrameImage
{
public:
    // width x height pixels, both above 0, of unspecified values. Shared
    // memory is tried where session.sharedMemory holds; a server that
    // refuses a segment turns that off for the session.
    FrameImage(XSession& session, int width, int height);
    // Frees the segment: the server lets go of it when it reaches the
    // detach, or when the connection ends.
    ~FrameImage();
    FrameImage(const FrameImage&) = delete;
    FrameImage& operator=(const FrameImage&) = delete;

    int Width() const { return width; }
    int Height() const { return height; }
    // Pixel (x, y) at Pixels()[y * Stride() + x], 0xAARRGGBB (alpha
    // ignored).
    uint32_t* Pixels() const { return pixels; }
    int Stride() const { return stride; }

    // Returns once the server has read what the last Send gave it (its
    // completion event, or an error, has come), so that the pixels may be
    // written: at once unless shared memory is used, after a quarter of a
    // second at most (a torn frame rather than a stalled loop), and at once
    // when lost is set.
    void AwaitServer(const std::atomic<bool>& lost);
    // Sends area (inside the image) to the same place of window. last: the
    // last send before the pixels are written again (the server is asked
    // to tell when it has read them).
    void Send(Window window, const RECT& area, bool last);

private:
    static constexpr int kAwaitMs = 250;

    bool AttachShared();
    // Whether the server has dealt with the request numbered awaited.
    bool Processed() const;
    static Bool IsCompletion(Display* display, XEvent* event, XPointer image);

    XSession& session;
    const int width, height;
    uint32_t* pixels = nullptr;
    int stride = 0;
    // Over the pixels when they are sent as they are (shared or not).
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    bool shared = false;
    std::vector<uint32_t> own;  // the pixels when not shared
    unsigned long awaited = 0;  // the request number of the last shared send
    bool awaiting = false;
};
