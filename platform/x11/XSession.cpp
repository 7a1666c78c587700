#include "platform/x11/XSession.h"

#include "platform/win32/Utf.h"
#include "platform/x11/Canvas.h"

#include <X11/Xatom.h>
#include <X11/extensions/XShm.h>
#include <X11/Xutil.h>

XSession::XSession(Display* d, Visual* v, int bitDepth, bool trySharedMemory)
    : display(d), screen(DefaultScreen(d)), root(RootWindow(d, DefaultScreen(d))), visual(v), depth(bitDepth),
      gc(XCreateGC(d, RootWindow(d, DefaultScreen(d)), 0, nullptr)), writer(d, v, bitDepth),
      utility(XCreateSimpleWindow(d, RootWindow(d, DefaultScreen(d)), 0, 0, 1, 1, 0, 0, 0))
{
    const auto atom = [d](const char* name) { return XInternAtom(d, name, False); };
    wmProtocols = atom("WM_PROTOCOLS");
    wmDeleteWindow = atom("WM_DELETE_WINDOW");
    netWmName = atom("_NET_WM_NAME");
    netWmIconName = atom("_NET_WM_ICON_NAME");
    netWmWindowType = atom("_NET_WM_WINDOW_TYPE");
    netWmWindowTypeDialog = atom("_NET_WM_WINDOW_TYPE_DIALOG");
    netWmWindowTypePopupMenu = atom("_NET_WM_WINDOW_TYPE_POPUP_MENU");
    utf8String = atom("UTF8_STRING");
    clipboard = atom("CLIPBOARD");
    incr = atom("INCR");
    selectionProperty = atom("SONVAREK_SELECTION");
    if (trySharedMemory && writer.Direct() && ImageByteOrder(d) == PixelWriter::NativeByteOrder() &&
        XShmQueryExtension(d))
    {
        sharedMemory = true;
        shmCompletion = XShmGetEventBase(d) + ShmCompletion;
    }
}

XSession::~XSession()
{
    XDestroyWindow(display, utility);
    XFreeGC(display, gc);
}

int XSession::ScreenWidth() const { return DisplayWidth(display, screen); }
int XSession::ScreenHeight() const { return DisplayHeight(display, screen); }

void XSession::Show(Window window, const Canvas& canvas) const
{
    writer.Put(window, gc, canvas.Pixels(), canvas.Width(), canvas.Width(), canvas.Height(), 0, 0);
}

Window XSession::CreateWindow(int x, int y, int width, int height, long eventMask, bool overrideRedirect) const
{
    XSetWindowAttributes a{};
    a.background_pixmap = None;
    a.border_pixel = 0;
    a.bit_gravity = NorthWestGravity;
    a.colormap = DefaultColormap(display, screen);
    a.event_mask = eventMask;
    a.override_redirect = overrideRedirect ? True : False;
    a.save_under = overrideRedirect ? True : False;
    return XCreateWindow(display, root, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height), 0, depth,
                         InputOutput, visual,
                         CWBackPixmap | CWBorderPixel | CWBitGravity | CWColormap | CWEventMask | CWOverrideRedirect |
                             CWSaveUnder,
                         &a);
}

void XSession::SetTitle(Window window, const std::string& utf8) const
{
    std::string text = Utf16ToUtf8(Utf8ToUtf16(utf8));
    char* list[] = {text.data()};
    XTextProperty property{};
    if (Xutf8TextListToTextProperty(display, list, 1, XStdICCTextStyle, &property) >= Success)
    {
        XSetWMName(display, window, &property);
        XSetWMIconName(display, window, &property);
        XFree(property.value);
    }
    for (const Atom name : {netWmName, netWmIconName})
        XChangeProperty(display, window, name, utf8String, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
}

void XSession::SetFixedSize(Window window, int width, int height, const XPoint* place) const
{
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize;
    hints.min_width = hints.max_width = width;
    hints.min_height = hints.max_height = height;
    if (place)
    {
        hints.flags |= PPosition;
        hints.x = place->x;
        hints.y = place->y;
    }
    XSetWMNormalHints(display, window, &hints);
}

void XSession::SetClass(Window window) const
{
    XClassHint hint{};
    char name[] = "sonvarek", className[] = "Sonvarek";
    hint.res_name = name;
    hint.res_class = className;
    XSetClassHint(display, window, &hint);
}

void XSession::SetWindowType(Window window, Atom type) const
{
    XChangeProperty(display, window, netWmWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
}
