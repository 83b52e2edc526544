#include "ImageBox.h"

#include "PictureFit.h"

#include <QEvent>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {
int buttonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}
} // namespace

ImageBox::ImageBox(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    applyGeometry();
}

void ImageBox::setPicture(const ::Picture &picture)
{
    m_picture = picture;
    m_file = picture.path();
    if (!m_stretch && (!picture.isNull() || m_sizedByPicture)) {
        m_width = picture.width();
        m_height = picture.height();
        applyGeometry();
    }
    // Pictures put into a box on the screen are decoded ahead on a worker thread; a hidden box
    // (one whose place and size are still to be set) decodes when shown and painted, or when
    // prepare() is called.
    if (m_stretch && isVisible())
        prepare();
    update();
}

bool ImageBox::loadPicture(const QString &path)
{
    if (path.isEmpty()) {
        setPicture(::Picture());
        return true;
    }
    const ::Picture picture = ::Picture::load(path);
    if (picture.isNull())
        return false;
    setPicture(picture);
    return true;
}

bool ImageBox::showFile(const QString &path)
{
    const ::Picture picture = ::Picture::load(path);
    setPicture(picture);
    m_file = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    return !picture.isNull();
}

void ImageBox::showContentOf(const ImageBox *other)
{
    setPicture(other->m_picture);
    m_file = other->m_file;
}

void ImageBox::setStretch(bool stretch)
{
    // Clearing the flag sizes the box to its picture even when it was clear already.
    m_stretch = stretch;
    if (!m_stretch && !m_picture.isNull()) {
        m_width = m_picture.width();
        m_height = m_picture.height();
        applyGeometry();
    }
    update();
}

void ImageBox::setKeepProportions(bool keep)
{
    m_keepProportions = keep;
    update();
}

void ImageBox::setLeft(double left)
{
    Move(left, m_top, m_width, m_height);
}

void ImageBox::setTop(double top)
{
    Move(m_left, top, m_width, m_height);
}

void ImageBox::setWidth(double width)
{
    Move(m_left, m_top, width, m_height);
}

void ImageBox::setHeight(double height)
{
    Move(m_left, m_top, m_width, height);
}

void ImageBox::Move(double left, double top, double width, double height)
{
    m_left = left;
    m_top = top;
    m_width = std::max(0.0, width);
    m_height = std::max(0.0, height);
    applyGeometry();
    update();
}

void ImageBox::applyGeometry()
{
    // The widget covers every pixel the fractional box touches; the picture is drawn inside it
    // at the fractional offset.
    const int x0 = int(std::floor(m_left));
    const int y0 = int(std::floor(m_top));
    const int x1 = int(std::ceil(m_left + m_width));
    const int y1 = int(std::ceil(m_top + m_height));
    setGeometry(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

QRectF ImageBox::pictureRect() const
{
    return QRectF(m_left - std::floor(m_left), m_top - std::floor(m_top), m_width, m_height);
}

QRectF ImageBox::drawnArea() const
{
    if (!m_stretch)
        return QRectF(QPointF(0, 0), QSizeF(m_picture.size()));
    const QRectF whole(0, 0, m_width, m_height);
    return m_keepProportions ? PictureFit::fitted(QSizeF(m_picture.size()), whole) : whole;
}

QSize ImageBox::drawnPixels() const
{
    if (!m_stretch)
        return m_picture.size();
    return PictureFit::drawnPixels(drawnArea().size(), devicePixelRatioF());
}

QImage ImageBox::drawnImage()
{
    if (m_picture.isNull())
        return {};
    const QSize size = drawnPixels();
    if (size.isEmpty())
        return {};
    if (m_drawnPicture != m_picture || m_drawnSize != size) {
        m_drawn = m_stretch ? m_picture.image(size) : m_picture.fullImage();
        m_drawnPicture = m_picture;
        m_drawnSize = size;
    }
    return m_drawn;
}

void ImageBox::prepare() const
{
    if (m_stretch)
        m_picture.prepare(drawnPixels());
    else
        m_picture.prepare(m_picture.size());
}

void ImageBox::paintEvent(QPaintEvent *)
{
    const QImage image = drawnImage();
    if (image.isNull())
        return;
    QPainter painter(this);
    QRectF target = pictureRect();
    if (m_stretch && m_keepProportions)
        target = drawnArea().translated(target.topLeft());
    if (!m_stretch) {
        // At its own size from the box's corner, cut off where the box ends.
        painter.setClipRect(target);
        target.setSize(QSizeF(image.size()));
    }
    const bool whole = target.topLeft() == QPointF(0, 0)
                       && qFuzzyCompare(target.width() * devicePixelRatioF(), image.width())
                       && qFuzzyCompare(target.height() * devicePixelRatioF(), image.height());
    if (!whole)
        painter.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
    painter.drawImage(target, image);
}

void ImageBox::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    const QPointF p = event->position() - pictureRect().topLeft();
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(), p.y());
}

void ImageBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF p = event->position() - pictureRect().topLeft();
    emit MouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(), p.y());
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        if (rect().contains(event->position().toPoint()))
            emit Click();
    }
}

void ImageBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click raises DblClick in place of MouseDown.
    m_pressed = false;
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

void ImageBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = event->position() - pictureRect().topLeft();
    emit MouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), p.x(), p.y());
}

PictureBox::PictureBox(QWidget *parent) : ImageBox(parent)
{
    m_sizedByPicture = true;
    setStretch(false);
}
