#include "WindowGeometry.h"

#include <QWidget>
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
