#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace Artwork {

namespace {
// A triangle pointing left or right, its tip at x.
void triangle(QPainter &p, qreal x, bool right)
{
    QPainterPath path;
    const qreal w = 6;
    path.moveTo(x, 8);
    path.lineTo(right ? x - w : x + w, 3);
    path.lineTo(right ? x - w : x + w, 13);
    path.closeSubpath();
    p.fillPath(path, p.brush());
}
} // namespace

QIcon arrowIcon(Arrow kind)
{
    QPixmap pm(22, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(20, 40, 110));
    p.setPen(QPen(QColor(20, 40, 110), 2));
    switch (kind) {
    case Arrow::Home:
        p.drawLine(QPointF(5, 3), QPointF(5, 13));
        triangle(p, 7, false);
        triangle(p, 13, false);
        break;
    case Arrow::BackFour:
        triangle(p, 5, false);
        triangle(p, 11, false);
        break;
    case Arrow::BackOne:
        triangle(p, 8, false);
        break;
    case Arrow::FwdOne:
        triangle(p, 14, true);
        break;
    case Arrow::FwdFour:
        triangle(p, 11, true);
        triangle(p, 17, true);
        break;
    case Arrow::End:
        triangle(p, 9, true);
        triangle(p, 15, true);
        p.drawLine(QPointF(17, 3), QPointF(17, 13));
        break;
    }
    return QIcon(pm);
}

QIcon windowIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(250, 245, 230));
    p.drawRect(3, 5, 26, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 170, 230));
    p.drawRect(5, 7, 22, 11);
    p.setBrush(QColor(60, 140, 70));
    QPainterPath hills;
    hills.moveTo(5, 25);
    hills.lineTo(13, 14);
    hills.lineTo(19, 21);
    hills.lineTo(23, 17);
    hills.lineTo(27, 25);
    hills.closeSubpath();
    p.drawPath(hills);
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QPointF(22, 11), 3, 3);
    return QIcon(pm);
}

QCursor viewCursor()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.drawLine(QPointF(8, 12), QPointF(16, 12));
    p.drawLine(QPointF(12, 8), QPointF(12, 16));
    return QCursor(pm, 12, 12);
}

QIcon remoteIcon(Remote kind)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(20, 40, 110);
    p.setBrush(ink);
    if (kind == Remote::Back) {
        triangle(p, 5, false);
    } else if (kind == Remote::Fwd) {
        triangle(p, 11, true);
    } else {
        // A clock: the timed slide show.
        p.setPen(QPen(ink, 1.6));
        p.setBrush(QColor(250, 245, 230));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
        p.drawLine(QPointF(8, 8), QPointF(11, 10));
    }
    return QIcon(pm);
}

QCursor blowUpCursor()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // The pointer, white edged so that it shows on dark and light pictures.
    QPainterPath arrow;
    arrow.moveTo(2, 2);
    arrow.lineTo(2, 20);
    arrow.lineTo(7, 15);
    arrow.lineTo(11, 23);
    arrow.lineTo(14, 21);
    arrow.lineTo(10, 14);
    arrow.lineTo(17, 14);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Qt::black);
    p.drawPath(arrow);
    // The remote control a right click calls.
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(60, 60, 60));
    p.drawRoundedRect(QRectF(19, 12, 10, 18), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 60, 60));
    p.drawEllipse(QPointF(24, 16), 1.6, 1.6);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(21.5, 20, 5, 1.5));
    p.drawRect(QRectF(21.5, 23.5, 5, 1.5));
    return QCursor(pm, 2, 2);
}

} // namespace Artwork
