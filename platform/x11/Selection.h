#pragma once
// The clipboard's text from the X selection. Internal to the presenter.
// [UI thread]

#include <X11/Xlib.h>

#include <optional>
#include <string>

struct XSession;

// The CLIPBOARD selection's text as UTF-16, asked as UTF8_STRING and, when
// the owner refuses that, as STRING (Latin-1), with requestor receiving it.
// Nothing when the selection has no owner, the owner refuses both, does not
// answer within timeoutMs, or sends the text in pieces (INCR, above some
// hundreds of kilobytes). Other events stay queued.
std::optional<std::u16string> ReadClipboardText(XSession& session, Window requestor, int timeoutMs);
