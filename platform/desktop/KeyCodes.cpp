#include "KeyCodes.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace Keys {

namespace {
// The digit row by the key itself, whatever the layout makes of it: with Shift held, or on a
// layout whose digits need Shift (AZERTY), the key gives a symbol but is still the digit key.
// 0 when the key is not one of the row or the platform does not tell the key.
int digitRowKey(const QKeyEvent *event)
{
    // X11 and Wayland give the key's XKB code; 10 to 19 are the row's 1 to 9 and 0.
    static const bool xkbCodes = QGuiApplication::platformName() == QLatin1String("xcb")
                                 || QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (!xkbCodes || (event->modifiers() & Qt::KeypadModifier))
        return 0;
    const quint32 code = event->nativeScanCode();
    if (code >= 10 && code <= 18)
        return Digit1 + int(code - 10);
    return code == 19 ? Digit0 : 0;
}
} // namespace

int virtualKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return 96 + (key - Qt::Key_0);
        switch (key) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return PadPlus;
        case Qt::Key_Minus: return PadMinus;
        case Qt::Key_Period:
        case Qt::Key_Comma: return 110;
        case Qt::Key_Slash: return 111;
        default: break;
        }
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 65 + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return Digit0 + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return Esc;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return PageUp;
    case Qt::Key_PageDown: return PageDown;
    case Qt::Key_End: return End;
    case Qt::Key_Home: return Home;
    case Qt::Key_Left: return Left;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return Right;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Period: return 190;
    case Qt::Key_Slash: return 191;
    default: return 0;
    }
}

int virtualKey(const QKeyEvent *event)
{
    if (const int digit = digitRowKey(event))
        return digit;
    return virtualKey(event->key(), event->modifiers());
}

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= ShiftMask;
    if (modifiers & Qt::ControlModifier)
        mask |= CtrlMask;
    if (modifiers & Qt::AltModifier)
        mask |= AltMask;
    return mask;
}

} // namespace Keys
