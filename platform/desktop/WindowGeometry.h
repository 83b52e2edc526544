#pragma once
// Window sizes and places as outer (frame) values, and twips <-> pixels.
//
// A window manager frames a window only once it is shown, and again at every later showing, so the
// outer rectangle a window is given is kept on the window and applied again whenever its frame's
// margins change. Moves and resizes the user makes are taken over as the new outer rectangle.
#include <QRect>

class QWidget;

namespace WindowGeometry {

// The outer rectangle in pixels: as last set (or taken over from the user), else the frame's.
// This is what the programs decide by; the frame itself may still be on its way.
QRect outer(const QWidget *window);
// Sets the outer size: the client area is that size less the frame's margins, now and whenever
// the frame changes. A window of fixed size stays fixed at the new size.
void setOuterSize(QWidget *window, int width, int height);
// A window the user cannot resize, at that outer size.
void setFixedOuterSize(QWidget *window, int width, int height);
// Places the frame's top-left corner, now and at every later showing.
void setOuterPos(QWidget *window, int left, int top);
// Both at once.
void setOuter(QWidget *window, const QRect &outer);
// Centres the outer rectangle on the primary screen, now and whenever the frame changes, until the
// window is placed or moved.
void centreOnScreen(QWidget *window);
// Moves the window off every screen (to the right of all of them), keeping its Top: "Left = 32000
// twips", which a wide screen or several screens side by side would otherwise show.
void parkBeyondScreens(QWidget *window);
// True when no part of the outer rectangle lies on any screen.
bool isOffEveryScreen(const QWidget *window);

// Twips to whole pixels (nearest) and back.
int toPixels(int twips, int twipsPerPixel);
int toTwips(int pixels, int twipsPerPixel);

} // namespace WindowGeometry
