#include "FormMain.h"

#include "AllForms.h"
#include "FormBlowUp.h"
#include "FormFiles.h"
#include "FormInfo.h"
#include "FormMainShared.h"
#include "FormNote.h"
#include "FormSave.h"
#include "LocalFiles.h"
#include "Messages.h"
#include "Printer.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPrinter>

using namespace MainWindow;

namespace {

// A secondary window that is shown; asking does not load it.
template<class T>
bool shown(const FormOnReference<T> &form)
{
    return form.loaded() && form.loaded()->isVisible();
}

template<class T>
void raiseIfLoaded(const FormOnReference<T> &form)
{
    if (form.loaded())
        form.loaded()->raise();
}

} // namespace

void FormMain::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
    LoadableForm::mouseReleaseEvent(event);
}

void FormMain::mouseDoubleClickEvent(QMouseEvent *event)
{
    Form_DblClick();
    LoadableForm::mouseDoubleClickEvent(event);
}

bool FormMain::pictureLoaded() const
{
    const float w = float(PictureScale->Width());
    const float h = float(PictureScale->Height());
    return w * h > 4 && (w > 2 || h > 2);
}

void FormMain::showEnlargedView()
{
    Forms::FormBlowUp->show();
    Forms::FormInfo.unload();
    DoBlowUp();
}

// A click on the background tidies the other windows: the browser and the note window in front,
// each at its own offset from the main window's corner.
void FormMain::Form_Click()
{
    Forms::FormInfo.unload();
    if (shown(Forms::FormFiles))
        moveBesideMain(Forms::FormFiles.get(), 600, 1405);
    if (shown(Forms::FormNote))
        moveBesideMain(Forms::FormNote.get(), 1395, 1760);
    raiseIfLoaded(Forms::FormSave);
}

void FormMain::Form_DblClick()
{
    Form_Click();
}

// A left click closes an open note (written; its window puts the button row back) and, when a
// picture is shown outside help mode with the browser closed, opens the enlarged view.
void FormMain::Imagemain_Click()
{
    if (shown(Forms::FormNote)) {
        Forms::FormNote.unload();
        raiseIfLoaded(Forms::FormSave);
    }
    const bool browserShown = shown(Forms::FormFiles);
    if (browserShown)
        browserBesideMain();
    if (!HelpActive && !browserShown && pictureLoaded())
        showEnlargedView();
}

void FormMain::Imagemain_DblClick()
{
    if (shown(Forms::FormNote))
        Forms::FormNote.unload();
    raiseIfLoaded(Forms::FormSave);
}

void FormMain::Imagemain_MouseDown(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (Button == 2 && !HelpActive && pictureLoaded())
        Forms::FormInfo->show();
}

// Opens the folder browser where it was last put; the picture goes back to its fitted view first.
void FormMain::CmdFiles_Click()
{
    FormFiles *files = Forms::FormFiles.get();
    if (!files->OptionAll->value() && !files->OptionBMP->value() && !files->OptionGIF->value()
        && !files->OptionJPG->value())
        files->OptionAll->setValue(true);
    for (int n = 2; n <= 4; ++n)
        thumb(n)->setVisible(false);
    // The splash period ends here without the timer's end-of-splash steps.
    SplashTime = 30;
    if (CmdSize->text() == kRestore)
        fittedViewAgain();
    Forms::FormNote.unload();
    Forms::FormInfo.unload();
    files->showAtWorkingSize();
}

// The true-size picture, at its own pixels, on the clipboard. Without a picture nothing happens.
void FormMain::CmdCopy_Click()
{
    if (PictureScale->picture().isNull())
        return;
    Forms::FormNote.unload();
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    const QImage image = PictureScale->picture().fullImage();
    if (!image.isNull())
        clipboard->setImage(image);
}

// The print of "&Print" and Ctrl+P: the true-size picture 700 twips from the printable area's
// corner at its size on the screen, or, larger than the printable area, made smaller to fit it.
// Cancel prints nothing and says nothing; a print that fails says so. Without a picture the
// dialog is not shown.
void FormMain::CmdPrint_Click()
{
    const Picture picture = PictureScale->picture();
    if (picture.isNull())
        return;
    CommonDialog1->CancelError = true;
    const QString name = LocalFiles::displayName(QFileInfo(picture.path()).fileName());
    Printer::printer().setDocName(name);
    if (!CommonDialog1->ShowPrinter())
        return;
    const float ps = float(PixelScale);
    const QSizeF size = PictureFit::shrunkToFit(
        QSizeF(float(PictureScale->Width()) * ps, float(PictureScale->Height()) * ps),
        Printer::printableTwips() - QSizeF(700, 700));
    const QImage image = picture.fullImage();
    if (!image.isNull() && Printer::PaintPicture(image, 700, 700, size.width(), size.height()) && Printer::EndDoc())
        return;
    Printer::KillDoc();
    const QString why =
        image.isNull() ? QStringLiteral("the file cannot be read as a picture") : Printer::errorString();
    const QString crlf = QStringLiteral("\r\n");
    Messages::critical(this, QStringLiteral("Picture Not Printed"),
                       QStringLiteral("The picture:") + crlf + name + crlf + QStringLiteral("could not be printed")
                           + (why.isEmpty() ? QStringLiteral(".") : QStringLiteral(" (%1).").arg(why)));
}

// Of the button row only "&Note" and "C&lose" stay on screen; the note window comes over its place.
// Closing the note window in any way puts the row back.
void FormMain::CmdNoteShow_Click()
{
    for (auto [control, home] : noteRow()) {
        Q_UNUSED(home);
        control->move(kParked, control->y());
    }
    setCursor(Qt::WaitCursor);
    DoNoteView();
}
