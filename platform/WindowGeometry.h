#pragma once
// Window sizes and places as outer (frame) values, and twips <-> pixels.
#include <QRect>

class QWidget;

namespace WindowGeometry {

// The frame rectangle in pixels.
QRect outer(const QWidget *window);
// Sets the outer size: the client area is the outer size less the frame the window has now.
// A window of fixed size stays fixed at the new size.
void setOuterSize(QWidget *window, int width, int height);
// Places the frame's top-left corner.
void setOuterPos(QWidget *window, int left, int top);
// Moves the window off every screen (to the right of all of them), keeping its Top: the "Left =
// 32000 twips" of the original, which a wide screen or several screens side by side would show.
void parkBeyondScreens(QWidget *window);
// True when no part of the frame lies on any screen.
bool isOffEveryScreen(const QWidget *window);

// Twips to whole pixels (nearest) and back.
int toPixels(int twips, int twipsPerPixel);
int toTwips(int pixels, int twipsPerPixel);

} // namespace WindowGeometry
