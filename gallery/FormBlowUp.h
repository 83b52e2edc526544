#pragma once
// The enlarged view: the current picture alone over the whole screen, on black. A right click
// calls the remote control, a left click closes both windows; Esc or numeric-pad minus closes
// the view alone. Everything it shows is set by FormMain::DoBlowUp.
#include "Forms.h"
#include "ImageBox.h"

#include <QRectF>
#include <QSizeF>

class FormBlowUp : public LoadableForm {
    Q_OBJECT
public:
    FormBlowUp();

    ImageBox *ImageBlowUp;

    // Where the view draws a picture of that size on a screen of that size (pixels): the whole
    // picture on the screen with its proportions kept, centred.
    static QRectF pictureBox(const QSizeF &picture, int screenWidth, int screenHeight);

public slots:
    void Form_KeyDown(int KeyCode, int Shift);
    // A press on the black margin (the picture takes its own).
    void Form_MouseDown(int Button, int Shift, double X, double Y);
    // A release over the picture.
    void ImageBlowUp_MouseUp(int Button, int Shift, double X, double Y);
    void Form_MouseMove(int Button, int Shift, double X, double Y);
    void ImageBlowUp_MouseMove(int Button, int Shift, double X, double Y);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // What a right or a left click does, on the margin and on the picture alike.
    void clicked(int button);
};
