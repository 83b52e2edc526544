#pragma once
// Fitting a picture into a box with its proportions kept. One rule for every place that shows a
// picture fitted (the viewing area, the thumbnail places, the enlarged view) and for the decodes
// prepared ahead for them, so that a prepared decode is always the one that gets drawn.
#include <QRectF>
#include <QSize>
#include <QSizeF>

namespace PictureFit {

// The largest rectangle of the picture's proportions inside the box, centred in it: as wide as the
// box when the picture is at least as wide for its height as the box, else as high. A picture
// without a size gives the box itself.
QRectF fitted(const QSizeF &picture, const QRectF &box);

// The size made smaller, its proportions kept, until it fits into room; a size that fits already is
// kept as it is (a printed picture larger than the page's printable area).
QSizeF shrunkToFit(const QSizeF &size, const QSizeF &room);

// The whole device pixels a drawing of that fractional size takes: the size a picture drawn there
// is decoded for.
QSize drawnPixels(const QSizeF &size, qreal devicePixelRatio = 1);

} // namespace PictureFit
