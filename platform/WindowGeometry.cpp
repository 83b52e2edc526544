#include "WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace WindowGeometry {

QRect outer(const QWidget *window)
{
    return window->frameGeometry();
}

void setOuterSize(QWidget *window, int width, int height)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const int extraW = frame.width() - client.width();
    const int extraH = frame.height() - client.height();
    const QSize size(qMax(0, width - extraW), qMax(0, height - extraH));
    const bool fixed = window->minimumSize() == window->maximumSize() && window->minimumSize() == client.size()
                       && !client.size().isEmpty();
    if (fixed)
        window->setFixedSize(size);
    else
        window->resize(size);
}

void setOuterPos(QWidget *window, int left, int top)
{
    window->move(left, top);
}

namespace {
QRect allScreens()
{
    QRect all;
    for (const QScreen *s : QGuiApplication::screens())
        all = all.united(s->geometry());
    return all;
}
} // namespace

void parkBeyondScreens(QWidget *window)
{
    const QRect all = allScreens();
    // 32000 twips at the finest density in use, or past the right edge of the screens if further.
    const int left = std::max(all.right() + 1, 32000 / 15);
    setOuterPos(window, left, window->frameGeometry().top());
}

bool isOffEveryScreen(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    for (const QScreen *s : QGuiApplication::screens())
        if (s->geometry().intersects(frame))
            return false;
    return true;
}

int toPixels(int twips, int twipsPerPixel)
{
    if (twipsPerPixel <= 0)
        return twips;
    return int(std::lround(double(twips) / twipsPerPixel));
}

int toTwips(int pixels, int twipsPerPixel)
{
    return pixels * twipsPerPixel;
}

} // namespace WindowGeometry
