#pragma once
// What the files of the main window's module share: the parked position, the two modes of the
// viewing area, its box, and the small steps every concern uses (the windows that place the
// viewing area use them too).
#include "ImageBox.h"
#include "Picture.h"
#include "PictureFit.h"

#include <QRectF>
#include <QString>
#include <QWidget>
#include <initializer_list>

namespace MainWindow {

constexpr int kParked = 32000;
constexpr int kThumbLeft = 643;
inline const QString kActualSize = QStringLiteral("&Actual Size");
inline const QString kRestore = QStringLiteral("&Restore");

// The viewing area's box when it is empty; a picture is fitted into it.
inline const QRectF kViewingArea(7, 3, 620, 490);

// The box over the whole viewing area.
inline void coverViewingArea(ImageBox *box)
{
    box->Move(kViewingArea.left(), kViewingArea.top(), kViewingArea.width(), kViewingArea.height());
}

// The box, at the size it has, at the viewing area's corner.
inline void toViewingAreaCorner(ImageBox *box)
{
    box->Move(kViewingArea.left(), kViewingArea.top(), box->Width(), box->Height());
}

// The box, at the size it has, centred on the viewing area.
inline void centreOnViewingArea(ImageBox *box)
{
    const QPointF centre = kViewingArea.center();
    box->Move(centre.x() - box->Width() / 2, centre.y() - box->Height() / 2, box->Width(), box->Height());
}

// Starts decoding the picture on a worker thread, drawn at the size the viewing area fits it to.
inline void prepareFitted(const Picture &picture)
{
    if (!picture.isNull())
        picture.prepare(PictureFit::drawnPixels(PictureFit::fitted(QSizeF(picture.size()), kViewingArea).size()));
}

// Enables or disables the controls, in the order given; a control not there is passed over.
inline void enableControls(std::initializer_list<QWidget *> controls, bool enabled)
{
    for (QWidget *c : controls)
        if (c)
            c->setEnabled(enabled);
}

} // namespace MainWindow
