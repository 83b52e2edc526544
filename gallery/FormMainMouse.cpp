#include "FormMain.h"

#include "AllForms.h"
#include "FormFiles.h"
#include "FormMainShared.h"
#include "FormInfo.h"
#include "FormNote.h"

#include <QMouseEvent>

using namespace MainWindow;

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

void FormMain::Form_Click() {}
void FormMain::Form_DblClick() {}

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
void FormMain::CmdCopy_Click() {}
void FormMain::CmdPrint_Click() {}

void FormMain::Imagemain_Click() {}
void FormMain::Imagemain_DblClick() {}
void FormMain::Imagemain_MouseDown(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
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
