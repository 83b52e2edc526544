#pragma once
// Pictures drawn by the program itself: the window icon, the six picture buttons, the viewing
// area's cursor, and the enlarged view's cursor and the remote control's three picture buttons.
#include <QCursor>
#include <QIcon>

namespace Artwork {

enum class Arrow { Home, BackFour, BackOne, FwdOne, FwdFour, End };

QIcon arrowIcon(Arrow kind);
QIcon windowIcon();
QCursor viewCursor(); // 32 x 32 magnifier

enum class Remote { Back, Fwd, Expand };

QIcon remoteIcon(Remote kind);
QCursor blowUpCursor(); // 32 x 32 pointer beside a small remote control

} // namespace Artwork
