#pragma once
// The editor of an instance opened as a host opens it: the effect's GUI
// object made and attached, a host window of the windowing stand-in at the
// size the editor reports given to it as the native view of a view
// container; the host window then follows the sizes the editor asks of the
// view container. Closing removes the view, detaches and releases the GUI
// object and destroys the host window, as a host closing its view does.
// [UI thread: the stand-in's]

#include "host/HostEditor.h"
#include "host/HostInstance.h"
#include "host/cli/MeterHost.h"
#include "platform/win32/Desktop.h"

#include <memory>
#include <string>

class HostedEditor
{
public:
    // The editor of instance in a new host window at (0, 0) of desktop. Null,
    // with a one-line reason in *error, when the module makes no GUI object,
    // the object reports no size (the module shows no editor) or it refuses
    // the view.
    static std::unique_ptr<HostedEditor> Open(MeterHost& host, HostInstance& instance, Desktop& desktop,
                                              std::string* error);
    // Closes it.
    ~HostedEditor();
    HostedEditor(const HostedEditor&) = delete;
    HostedEditor& operator=(const HostedEditor&) = delete;

    // Gives the host window the size the editor last asked of the view
    // container, when it asked one that differs. True when it did.
    bool FollowSize();
    // Ticks the timers of the windows in the host window once now, as their
    // next tick would, so that the editor shows what became due since its
    // last tick (a play that ended) without waiting for the clock.
    void Tick();
    // What the host window shows once it follows the editor's size, at the
    // size the GUI object reports, written to path as an opaque PNG (the file
    // replaced whole or not at all). False, with a one-line reason in *error,
    // when the window cannot be read at that size or the file cannot be
    // written.
    bool SaveImage(const std::string& path, std::string* error);

private:
    HostedEditor(std::unique_ptr<HostEditor> editor, HWND view, Desktop& desktop)
        : editor(std::move(editor)), view(view), desktop(desktop)
    {
    }

    std::unique_ptr<HostEditor> editor;
    HWND view;
    Desktop& desktop;
};
