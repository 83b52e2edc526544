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

// Twips to whole pixels (nearest) and back.
int toPixels(int twips, int twipsPerPixel);
int toTwips(int pixels, int twipsPerPixel);

} // namespace WindowGeometry
