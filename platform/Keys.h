#pragma once
// Keys as the programs' key handlers see them: a virtual-key code (27 Esc, 33 Page Up, 37 Left,
// 49 digit 1, 80 P, 97 numeric-pad 1, 107 numeric-pad plus, 109 numeric-pad minus, ...) and the
// modifiers as a mask (1 Shift, 2 Ctrl, 4 Alt).
#include <Qt>

class QKeyEvent;

namespace Keys {

enum Shift { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);
int virtualKey(const QKeyEvent *event);
int shiftMask(Qt::KeyboardModifiers modifiers);

} // namespace Keys

class QWidget;
#include <functional>

namespace Keys {

// Key preview: every key pressed in the window (whichever of its controls has the focus) is
// handed to the handler once, before the control sees it; the key is never consumed.
void installKeyPreview(QWidget *window, std::function<void(int keyCode, int shift)> handler);

} // namespace Keys
