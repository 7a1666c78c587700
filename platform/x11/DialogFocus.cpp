#include "platform/x11/DialogFocus.h"

DialogFocus::DialogFocus(bool list, bool field, int buttons, int defaultIndex)
    : hasList(list),
      hasField(field),
      firstButton((list ? 1 : 0) + (field ? 1 : 0)),
      stops(firstButton + buttons),
      defaultButton(defaultIndex),
      at(field ? firstButton - 1 : defaultIndex >= 0 ? firstButton + defaultIndex : 0)
{
}

void DialogFocus::Move(int by)
{
    if (stops > 0)
        at = ((at + by) % stops + stops) % stops;
}

void DialogFocus::MoveAmongButtons(int by)
{
    const int buttons = stops - firstButton;
    if (Button() >= 0)
        at = firstButton + ((Button() + by) % buttons + buttons) % buttons;
}

void DialogFocus::ToList()
{
    if (hasList)
        at = 0;
}

void DialogFocus::ToField()
{
    if (hasField)
        at = firstButton - 1;
}
