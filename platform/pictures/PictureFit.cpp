#include "PictureFit.h"

#include <cmath>

namespace PictureFit {

QRectF fitted(const QSizeF &picture, const QRectF &box)
{
    const double w = picture.width(), h = picture.height();
    if (w <= 0 || h <= 0)
        return box;
    // W / H >= box W / box H, without a division that rounds.
    if (w * box.height() >= h * box.width()) {
        const double height = box.width() * h / w;
        return {box.left(), box.top() + (box.height() - height) / 2, box.width(), height};
    }
    const double width = box.height() * w / h;
    return {box.left() + (box.width() - width) / 2, box.top(), width, box.height()};
}

QSizeF shrunkToFit(const QSizeF &size, const QSizeF &room)
{
    if (room.isEmpty() || (size.width() <= room.width() && size.height() <= room.height()))
        return size;
    return fitted(size, QRectF(QPointF(0, 0), room)).size();
}

QSize drawnPixels(const QSizeF &size, qreal devicePixelRatio)
{
    // A fraction of a pixel too much from the arithmetic does not take another pixel.
    return QSize(int(std::ceil(size.width() * devicePixelRatio - 1e-6)),
                 int(std::ceil(size.height() * devicePixelRatio - 1e-6)));
}

} // namespace PictureFit
