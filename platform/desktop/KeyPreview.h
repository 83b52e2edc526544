#pragma once
// Key preview: a window sees every key pressed in it before the control that has the focus.
#include <functional>

class QWidget;

namespace Keys {

// Every key pressed in the window (whichever of its controls has the focus) is handed to the
// handler once, as a virtual-key code and a modifier mask (KeyCodes.h), before the control sees
// it; the key is never consumed.
void installKeyPreview(QWidget *window, std::function<void(int keyCode, int shift)> handler);

} // namespace Keys
