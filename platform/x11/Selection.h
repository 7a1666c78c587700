#pragma once
// The clipboard's text from the X selections. Internal to the presenter.
// [UI thread]

#include <X11/Xlib.h>

#include <optional>
#include <string>

struct XSession;

// A selection's text (CLIPBOARD, PRIMARY) as UTF-16, asked as UTF8_STRING
// and, when the owner refuses that, as STRING (Latin-1), with the session's
// utility window receiving it. Nothing when the selection has no owner,
// the owner refuses both, does not answer within the wait (2 s), or sends
// the text in pieces (INCR, above some hundreds of kilobytes). Other events
// stay queued.
std::optional<std::u16string> ReadSelectionText(XSession& session, Atom selection);
