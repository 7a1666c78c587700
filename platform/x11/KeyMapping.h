#pragma once
// X keys as the windowing layer's keys: virtual keys, held modifiers and
// typed text. Pure functions. [any thread]

#include <string>

// An X keysym (KeySym).
using XKeySym = unsigned long;

// The virtual key of a key: unshifted is the key's first keysym (shift
// level 0), typed the keysym it typed with the modifiers and lock states
// (it decides the keypad's keys: digits with Num Lock, else the moving
// keys). 0 for a key without one.
int VirtualKeyOf(XKeySym unshifted, XKeySym typed);

// DesktopModifiers (shift, control, alt) of an X event's state word.
unsigned ModifiersOfState(unsigned state);
// The modifiers once the key event of virtualKey is done: a modifier key
// pressed is held, released is let go; other keys change nothing.
unsigned ModifiersAfterKey(unsigned modifiers, int virtualKey, bool press);

// The UTF-8 text a key types: the Latin-1 bytes XLookupString gave
// (control characters included: backspace, tab, return, escape and
// control-letter codes), else the code point of a Unicode keysym. Empty for
// none, for DEL and while alt is held (those are menu keys).
std::string TypedText(XKeySym typed, const char* latin1, int length, unsigned modifiers);
