#pragma once
// A modal window of the presenter (a popup menu, a dialog) while its nested
// event loop runs: it takes all input and the other events of its own X
// windows. Internal to the presenter. [UI thread]

#include <X11/Xlib.h>

class ModalHandler
{
public:
    virtual ~ModalHandler() = default;
    // Key, button, motion and crossing events of any window while this is
    // the innermost modal; every other event of a window it owns.
    virtual void Handle(const XEvent& event) = 0;
    virtual bool Owns(Window window) const = 0;
    // The loop ends once this answers true (or a stop is asked).
    virtual bool Done() const = 0;
};
