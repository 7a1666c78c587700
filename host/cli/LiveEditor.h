#pragma once
// sonvarek-host --editor: one input played at real time through its instance
// while the instance's editor is open in a window of the X display, as a
// host plays a track with the plug-in's editor open.
//
// Two threads drive the instance as a host's do: an audio thread of its own
// renders blocks paced by the monotonic clock, with the transport playing;
// the calling thread, the UI thread, runs the presenter's loop with the
// editor open, answers the values the instance asks of the host (so the
// editor's settings reach the module as host values, reflected back into
// the editor, and the published meter values reach the host's parameters),
// and makes the host window follow the editor's size. When the input ends
// the transport stops and the editor keeps showing the last values. Closing
// the window (or another client destroying it), the display going away, or
// a stop asked of the presenter (SIGINT or SIGTERM while the caller's
// StopOnInterrupt lives), ends the run: the play stops if it is still going,
// and the editor is closed as a host closes it.
//
// Every call into the stand-in host's shared records (making and releasing
// the editor) stays on the UI thread; the audio thread touches only its
// instance's render, transport and automation, which take calls from any
// thread. [UI thread: the one that runs the presenter]

#include "host/cli/input/AudioSource.h"
#include "host/cli/Measurement.h"
#include "host/cli/MeterHost.h"
#include "host/cli/MeterSettings.h"

#include <cstdio>
#include <string>

class Desktop;
class X11Presenter;

struct LiveEditorSetup
{
    std::string title;       // of the window
    std::string screenshot;  // PNG of the editor as it closes; empty: none
    std::FILE* progress = stderr;  // a progress line while it plays, when a terminal
};

// Plays source with settings (setup: block, trace, keepState; the rest is
// the run's own) through a new instance of host, its editor open on
// presenter's display. The result: the meters as they stood when the play
// ended (with a warning when it was stopped before the end of the input),
// the state as the editor closed when asked for; or the reason the input
// could not be played (the editor not opened then). *screenshotError gets a
// one-line reason when a screenshot was asked for and not saved.
Measurement PlayWithEditor(MeterHost& host, const MeterSettings& settings, AudioSource& source,
                           const MeasureSetup& setup, Desktop& desktop, X11Presenter& presenter,
                           const LiveEditorSetup& live, std::string* screenshotError);
