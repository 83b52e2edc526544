#include "ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace ScreenMetrics {

namespace {
const QScreen *screen()
{
    return QGuiApplication::primaryScreen();
}
} // namespace

int width()
{
    const QScreen *s = screen();
    return s ? s->geometry().width() : 0;
}

int height()
{
    const QScreen *s = screen();
    return s ? s->geometry().height() : 0;
}

int logicalDpiX()
{
    const QScreen *s = screen();
    const int dpi = s ? int(std::lround(s->logicalDotsPerInchX())) : 96;
    return dpi > 0 ? dpi : 96;
}

int twipsPerPixel(int dpi)
{
    if (dpi <= 0)
        dpi = 96;
    const int whole = 1440 / dpi;
    const int rest2 = 2 * (1440 % dpi);
    if (rest2 > dpi || (rest2 == dpi && whole % 2 == 1))
        return whole + 1;
    return whole;
}

int twipsPerPixel()
{
    return twipsPerPixel(logicalDpiX());
}

} // namespace ScreenMetrics
