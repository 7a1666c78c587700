#include "platform/x11/FrameImage.h"

#include <X11/Xutil.h>

#include <chrono>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace {

// While the server answers an attach: that request's number, whether it
// failed, and the handler to which every other error goes on.
unsigned long attachRequest = 0;
bool attachRefused = false;
int (*outerErrorHandler)(Display*, XErrorEvent*) = nullptr;

int CatchAttachError(Display* display, XErrorEvent* error)
{
    if (error->serial == attachRequest)
    {
        attachRefused = true;
        return 0;
    }
    return outerErrorHandler ? outerErrorHandler(display, error) : 0;
}

// Whether the server attached the segment: one on another machine, or one
// that may not read the segment, refuses it with an error.
bool AttachCaught(Display* display, XShmSegmentInfo& segment)
{
    attachRefused = false;
    outerErrorHandler = XSetErrorHandler(CatchAttachError);
    attachRequest = NextRequest(display);
    const Bool sent = XShmAttach(display, &segment);
    XSync(display, False);
    XSetErrorHandler(outerErrorHandler);
    outerErrorHandler = nullptr;
    return sent && !attachRefused;
}

}  // namespace

FrameImage::FrameImage(XSession& s, int w, int h) : session(s), width(w), height(h)
{
    if (session.writer.Direct() && session.sharedMemory && AttachShared())
        return;
    stride = width;
    own.resize(static_cast<size_t>(width) * height);
    pixels = own.data();
    if (session.writer.Direct())
    {
        image = XCreateImage(session.display, session.visual, static_cast<unsigned>(session.depth), ZPixmap, 0,
                             reinterpret_cast<char*>(pixels), static_cast<unsigned>(width),
                             static_cast<unsigned>(height), 32, stride * 4);
        // The words are sent in this machine's byte order (Xlib swaps them
        // for a server of the other order).
        if (image)
            image->byte_order = PixelWriter::NativeByteOrder();
    }
}

bool FrameImage::AttachShared()
{
    Display* display = session.display;
    image = XShmCreateImage(display, session.visual, static_cast<unsigned>(session.depth), ZPixmap, nullptr, &segment,
                            static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image)
        return false;
    const auto drop = [this] {
        image->data = nullptr;
        XDestroyImage(image);
        image = nullptr;
        return false;
    };
    if (image->bits_per_pixel != 32 || image->bytes_per_line % 4 != 0)
        return drop();
    segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * height, IPC_CREAT | 0600);
    if (segment.shmid < 0)
        return drop();
    segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    const bool mapped = segment.shmaddr != reinterpret_cast<char*>(-1);
    segment.readOnly = True;
    const bool attached = mapped && AttachCaught(display, segment);
    // The segment goes when the last of us and the server lets go of it,
    // however this process or the connection ends.
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (!attached)
    {
        if (mapped)
        {
            shmdt(segment.shmaddr);
            // The server cannot reach this machine's segments: it will
            // not take the next ones either.
            session.sharedMemory = false;
        }
        return drop();
    }
    shared = true;
    image->data = segment.shmaddr;
    pixels = reinterpret_cast<uint32_t*>(segment.shmaddr);
    stride = image->bytes_per_line / 4;
    return true;
}

FrameImage::~FrameImage()
{
    if (shared)
    {
        XShmDetach(session.display, &segment);
        shmdt(segment.shmaddr);
    }
    if (image)
    {
        image->data = nullptr;
        XDestroyImage(image);
    }
}

Bool FrameImage::IsCompletion(Display*, XEvent* event, XPointer self)
{
    const auto* frame = reinterpret_cast<const FrameImage*>(self);
    return event->type == frame->session.shmCompletion &&
           reinterpret_cast<const XShmCompletionEvent*>(event)->shmseg == frame->segment.shmseg;
}

bool FrameImage::Processed() const
{
    return static_cast<long>(LastKnownRequestProcessed(session.display) - awaited) >= 0;
}

void FrameImage::AwaitServer(const std::atomic<bool>& lost)
{
    if (!awaiting)
        return;
    awaiting = false;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kAwaitMs);
    Display* display = session.display;
    // The loop's reading of events has usually taken the completion already.
    while (!Processed() && !lost.load())
    {
        // Reads what has come without waiting.
        XEvent completion;
        if (XCheckIfEvent(display, &completion, IsCompletion, reinterpret_cast<XPointer>(this)))
            return;
        if (Processed() || lost.load())
            return;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return;
        pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left));
    }
}

void FrameImage::Send(Window window, const RECT& area, bool last)
{
    const int x = area.left, y = area.top;
    const auto w = static_cast<unsigned>(area.right - area.left), h = static_cast<unsigned>(area.bottom - area.top);
    if (shared)
    {
        if (last)
        {
            awaited = NextRequest(session.display);
            awaiting = true;
        }
        XShmPutImage(session.display, window, session.gc, image, x, y, x, y, w, h, last ? True : False);
    }
    else if (image)
        XPutImage(session.display, window, session.gc, image, x, y, x, y, w, h);
    else
        session.writer.Put(window, session.gc, pixels + static_cast<size_t>(y) * stride + x, stride,
                           area.right - area.left, area.bottom - area.top, x, y);
}
