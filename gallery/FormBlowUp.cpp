#include "FormBlowUp.h"

#include "AllForms.h"
#include "Artwork.h"
#include "FormMain.h"
#include "FormMainShared.h"
#include "FormRemote.h"
#include "Keys.h"
#include "PictureFit.h"
#include "WindowGeometry.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

using namespace MainWindow;

namespace {
// 1 left, 2 right, 4 middle.
int buttonCode(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
           | (buttons & Qt::MiddleButton ? 4 : 0);
}
} // namespace

FormBlowUp::FormBlowUp()
    : LoadableForm(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormBlowUp"));
    setWindowTitle(QStringLiteral("Form1"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setMouseTracking(true);
    // Shown before DoBlowUp fills it: already black over the whole screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());

    ImageBlowUp = new ImageBox(this);
    ImageBlowUp->setObjectName(QStringLiteral("ImageBlowUp"));
    ImageBlowUp->setStretch(true);
    ImageBlowUp->setCursor(Artwork::blowUpCursor());
    ImageBlowUp->setToolTip(QStringLiteral("Right click to launch remote control "));
    // The picture takes its own presses: a click on it never reaches the window behind it.
    connect(ImageBlowUp, &ImageBox::MouseUp, this, &FormBlowUp::ImageBlowUp_MouseUp);
    connect(ImageBlowUp, &ImageBox::MouseMove, this, &FormBlowUp::ImageBlowUp_MouseMove);

    Keys::installKeyPreview(this, [this](int key, int shift) { Form_KeyDown(key, shift); });
}

QRectF FormBlowUp::pictureBox(const QSizeF &picture, int screenWidth, int screenHeight)
{
    return PictureFit::fitted(picture, QRectF(0, 0, screenWidth, screenHeight));
}

void FormBlowUp::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    Form_MouseDown(buttonCode(event->button()), Keys::shiftMask(event->modifiers()), p.x(), p.y());
}

void FormBlowUp::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    Form_MouseMove(buttonCode(event->buttons()), Keys::shiftMask(event->modifiers()), p.x(), p.y());
}

// The view takes the keyboard as it appears, so that Esc and numeric-pad minus reach it at once.
void FormBlowUp::showEvent(QShowEvent *event)
{
    LoadableForm::showEvent(event);
    raise();
    activateWindow();
}

void FormBlowUp::Form_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    // The remote control and the slide show stay as they are.
    if (KeyCode == Keys::Esc || KeyCode == Keys::PadMinus)
        Forms::FormBlowUp.unload();
}

void FormBlowUp::clicked(int button)
{
    if (button == 2 && !Forms::FormMain->HelpActive) {
        FormRemote *remote = Forms::FormRemote.get();
        remote->show();
        remote->raise();
        remote->activateWindow();
    } else if (button == 1) {
        Forms::FormBlowUp.unload();
        Forms::FormRemote.unload();
    }
}

void FormBlowUp::Form_MouseDown(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    // A left click on the margin leaves a slide show running, to go on when the view is next open.
    clicked(Button);
}

void FormBlowUp::ImageBlowUp_MouseUp(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    // A left click on the picture ends the slide show.
    if (Button == 1)
        Forms::FormMain->SlideOn = false;
    clicked(Button);
}

void FormBlowUp::Form_MouseMove(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    Forms::FormMain->offerRestore();
}

void FormBlowUp::ImageBlowUp_MouseMove(int Button, int Shift, double X, double Y)
{
    Form_MouseMove(Button, Shift, X, Y);
}

// Fills the enlarged view for the current picture; its callers show the view first.
void FormMain::DoBlowUp()
{
    FormBlowUp *view = Forms::FormBlowUp.get();
    ImageBox *image = view->ImageBlowUp;
    image->setVisible(false);
    // The window covers the screen. Its size is worked out in whole numbers wide enough for
    // any screen, not in the 16 bits of twips.
    WindowGeometry::setOuter(view, QRect(0, 0, iHorzRes, iVertRes));
    const double W = PictureScale->Width();
    const double H = PictureScale->Height();
    if (W > 0 && H > 0)
        Ratio = W > H ? float(H / W) : float(W / H);
    // The whole picture on the screen: by the screen's width when it is at least as wide for its
    // height as the screen, else by the screen's height.
    const QRectF box = FormBlowUp::pictureBox(QSizeF(W, H), iHorzRes, iVertRes);
    image->Move(box.left(), box.top(), box.width(), box.height());
    image->setPicture(Imagemain->picture());
    image->setVisible(true);
    // Decoded at the size it is drawn on the screen.
    image->prepare();
    // Loads the remote control, hidden, so that its load handler has run before a right click.
    Forms::FormRemote->setCursor(Qt::ArrowCursor);
}
