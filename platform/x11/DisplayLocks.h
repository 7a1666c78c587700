#pragma once
// Internal: the display's locks as Xlib leaves them when it calls the
// IO-error exit handler (in a file of its own: Xlib's internal header does
// not mix with the windowing layer's). [UI thread]

struct _XDisplay;

// From inside the exit handler: Xlib has unlocked the display and taken its
// user lock before calling the handler, and the call that met the loss
// unlocks the display again once the handler returns. Puts both back as
// they were before, so that the call unlocks what it locked and no lock is
// left held.
void RestoreLocksAfterIOError(_XDisplay* display);
