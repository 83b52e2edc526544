#pragma once
// An image control: a box that holds a Picture, draws it stretched to the box (Stretch on) or
// takes the picture's own size (Stretch off), and keeps its place and size as fractional pixels
// (a picture fitted 612.5 x 490 at Left 10.75 is drawn at that place, not rounded to whole
// pixels). It paints the same whether enabled or not, and raises the mouse events the windows'
// handlers take. Moving it to Left 32000 parks it: moved, not hidden.
//
// Events, in the order the windows' handlers expect them (button: 1 left, 2 right, 4 middle;
// shift: 1 Shift, 2 Ctrl, 4 Alt; x and y in pixels from the box's corner):
//   press: MouseDown; release: MouseUp, then Click for the left button;
//   a double click: MouseDown, MouseUp, Click, DblClick, MouseUp.
// A disabled box raises nothing (its window's own handlers see the click instead).
#include "ControlPlace.h"
#include "Picture.h"

#include <QImage>
#include <QWidget>

class ImageBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double Left READ Left WRITE setLeft)
    Q_PROPERTY(double Top READ Top WRITE setTop)
    Q_PROPERTY(double Width READ Width WRITE setWidth)
    Q_PROPERTY(double Height READ Height WRITE setHeight)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)

public:
    explicit ImageBox(QWidget *parent = nullptr);

    // The picture object (shared, never copied pixel by pixel). Setting a null picture empties
    // the box. With Stretch off the box takes the picture's size (and keeps a size set later,
    // drawing the picture at its own size from the corner, cut off at the box's edge).
    ::Picture picture() const { return m_picture; }
    void setPicture(const ::Picture &picture);
    // LoadPicture of a file into the box: false, with the former picture kept, when the file is
    // not a picture; an empty path empties the box and returns true.
    bool loadPicture(const QString &path);
    // Shows the file under its own name: its picture, or nothing at all when it is not a picture
    // (never the picture before). False in that case.
    bool showFile(const QString &path);
    // The file the box shows: its picture's, or the file it shows nothing for; empty for a
    // picture held in memory or an empty box.
    QString File() const { return m_file; }
    // The picture and the file of another box (the picture object itself, no file is read).
    void showContentOf(const ImageBox *other);

    bool Stretch() const { return m_stretch; }
    // Clearing Stretch sizes the box to its picture, also when it was clear already.
    void setStretch(bool stretch);
    // With Stretch on, draws the picture fitted into the box with its proportions kept and
    // centred, instead of stretched over the whole box. The box keeps its place and size.
    void setKeepProportions(bool keep);

    // Place and size in pixels of the parent, fractional.
    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    void setLeft(double left);
    void setTop(double top);
    void setWidth(double width);
    void setHeight(double height);
    // All four at once: one repaint, one move.
    void Move(double left, double top, double width, double height);

    // The control's own Visible and Enabled flags (true while a hidden window holds a box that
    // is shown in it); set them with QWidget::setVisible / setEnabled.
    bool Visible() const { return ControlState::visible(this); }
    bool Enabled() const { return ControlState::enabled(this); }

    // The picture as this box draws it now (device pixels); empty when nothing is drawn.
    // Decodes when needed, as a paint would.
    QImage drawnImage();
    // Where in the box the picture is drawn, in pixels from the box's corner (fractional).
    QRectF drawnArea() const;
    // Starts decoding for the present size on a worker thread (see Picture::prepare). Setting a
    // picture does this by itself while the box is on the screen.
    void prepare() const;

signals:
    void Click();
    void DblClick();
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void applyGeometry();
    QSize drawnPixels() const;
    QRectF pictureRect() const;

    ::Picture m_picture;
    QString m_file;
    bool m_stretch = false;
    bool m_keepProportions = false;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    // The last drawing, kept while picture and size stay the same.
    QImage m_drawn;
    ::Picture m_drawnPicture;
    QSize m_drawnSize;
    bool m_pressed = false;

protected:
    bool m_sizedByPicture = false; // the true-size box: 0 x 0 without a picture
};

// The true-size box: a picture box that takes the size of the picture loaded into it (an
// AutoSize picture box). Its Width and Height are the picture's size in pixels, 0 x 0 while it
// holds none.
class PictureBox : public ImageBox {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
};
