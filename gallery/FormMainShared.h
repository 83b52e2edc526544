#pragma once
// What the files of the main window's module share: the parked position, the two modes of the
// viewing area and the small steps every concern uses.
#include "Picture.h"

#include <QSizeF>
#include <QString>
#include <QWidget>
#include <cmath>
#include <initializer_list>

namespace MainWindow {

constexpr int kParked = 32000;
constexpr int kThumbLeft = 643;
inline const QString kActualSize = QStringLiteral("&Actual Size");
inline const QString kRestore = QStringLiteral("&Restore");

// The box a picture of the given true size is fitted into (fractional pixels).
inline QSizeF fittedSize(const QSize &size)
{
    const double w = size.width(), h = size.height();
    if (w > h && 620.0 * h / w <= 490)
        return {620, 620.0 * h / w};
    return {490.0 * w / h, 490};
}

// Starts decoding the picture on a worker thread at the size the viewing area would fit it to.
inline void prepareFitted(const Picture &picture)
{
    if (picture.isNull())
        return;
    const QSizeF box = fittedSize(picture.size());
    picture.prepare(QSize(int(std::ceil(box.width() - 1e-6)), int(std::ceil(box.height() - 1e-6))));
}

// Enables or disables the controls, in the order given; a control not there is passed over.
inline void enableControls(std::initializer_list<QWidget *> controls, bool enabled)
{
    for (QWidget *c : controls)
        if (c)
            c->setEnabled(enabled);
}

} // namespace MainWindow
