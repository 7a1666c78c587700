#pragma once
// Which part of a dialog has the keys, in Tab's order: the list, the field,
// then the buttons left to right. It starts on the field, else on the
// default button. Internal to the presenter. [UI thread]

class DialogFocus
{
public:
    // defaultButton: the index of the button Enter answers (-1: none).
    DialogFocus(bool hasList, bool hasField, int buttons, int defaultButton);

    bool OnList() const { return hasList && at == 0; }
    bool OnField() const { return hasField && at == firstButton - 1; }
    // The focused button; -1 while the list or the field has the keys.
    int Button() const { return at >= firstButton ? at - firstButton : -1; }
    // The button Enter answers: the focused one, else the default (-1: none).
    int EnterButton() const { return Button() >= 0 ? Button() : defaultButton; }

    // Tab (1) and Shift+Tab (-1), going round.
    void Move(int by);
    // From a button to the next one by (an arrow key), going round.
    void MoveAmongButtons(int by);
    void ToList();
    void ToField();

private:
    bool hasList, hasField;
    int firstButton;  // the stop of the first button
    int stops;
    int defaultButton;
    int at;
};
