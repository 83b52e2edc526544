#pragma once
// Keys as the programs' key handlers see them: a virtual-key code and the modifiers as a mask
// (1 Shift, 2 Ctrl, 4 Alt). The numeric pad has codes of its own (97 pad 1, 107 pad plus, ...)
// only with the keypad flag; the mask never carries that flag.
#include <Qt>

class QKeyEvent;

namespace Keys {

enum Shift { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

// The codes the programs test.
enum Code {
    Esc = 27,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Right = 39,
    Digit0 = 48,
    Digit1 = 49,
    Digit2 = 50,
    Digit3 = 51,
    Digit4 = 52,
    P = 80,
    Pad1 = 97,
    Pad2 = 98,
    Pad3 = 99,
    Pad4 = 100,
    PadPlus = 107,
    PadMinus = 109,
};

int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);
// The digit row's keys count by the key pressed, not by the symbol the layout and Shift give it.
int virtualKey(const QKeyEvent *event);
int shiftMask(Qt::KeyboardModifiers modifiers);

} // namespace Keys
