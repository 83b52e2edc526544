#pragma once
// Pictures drawn by the program itself: the window icon, the six picture buttons and the
// viewing area's cursor.
#include <QCursor>
#include <QIcon>

namespace Artwork {

enum class Arrow { Home, BackFour, BackOne, FwdOne, FwdFour, End };

QIcon arrowIcon(Arrow kind);
QIcon windowIcon();
QCursor viewCursor(); // 32 x 32 magnifier

} // namespace Artwork
