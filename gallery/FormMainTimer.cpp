#include "FormMain.h"

#include "AllForms.h"
#include "FormFiles.h"
#include "FormMainShared.h"
#include "FileLists.h"
#include "FormBlowUp.h"
#include "FormNote.h"
#include "FormRemote.h"
#include "FormSave.h"

#include <QApplication>

using namespace MainWindow;

// Every 100 ms: the slide-show clock, the end of the splash period, and the enabled and visible
// states that follow which windows are open. Reading a secondary window's visibility loads it,
// hidden. Ticks go on inside modal boxes, so nothing here waits or opens a window; a tick never
// runs inside another.
void FormMain::Timer2_Timer()
{
    if (m_inTick)
        return;
    m_inTick = true;
    Tick = Tick + 1;
    // The remote control's caption blinks while a slide show runs: half a second on, half off.
    if (SlideOn)
        Forms::FormRemote->setWindowTitle(Tick % 10 < 5 ? QStringLiteral("Slide show") : QString());
    if (SplashTime > 15 && !HelpActive)
        ImageWeb->setEnabled(false);
    // The show steps only while the enlarged view is shown. A period that has run out while the
    // view was closed steps at once when it is shown again, instead of waiting for the count to
    // come round.
    const bool blowUpVisible = Forms::FormBlowUp->isVisible();
    if (blowUpVisible && SlideOn && Tick >= Interval)
        DoSlide();
    if (Tick > 10000)
        Tick = 0;
    FormFiles *files = Forms::FormFiles.get();
    const bool saveVisible = Forms::FormSave->isVisible();
    if (!saveVisible && files->isVisible()) {
        // To the front without taking the focus; not over a modal box, and not over the windows
        // of another program the user has turned to.
        if (!QApplication::activeModalWidget() && QApplication::activeWindow())
            files->raise();
        enableControls({CheckThumb, CmdBackFour, CmdBackOne, CmdFwdOne, CmdEnd, CmdHome, CmdFwdFour, CmdFiles,
                        CmdHelp, CmdPrint, CmdCopy, CmdSize, CmdNoteShow},
                       false);
    } else if (!HelpActive) {
        enableControls({CmdFiles, CmdHelp, CmdPrint, CmdCopy, CmdNoteShow, CheckThumb}, true);
    }
    const bool noteVisible = Forms::FormNote->isVisible();
    const bool thumbsEnabled = files->isVisible() || !noteVisible;
    for (int p = 1; p <= 4; ++p)
        thumb(p)->setEnabled(thumbsEnabled);
    const bool anyFile = files->File1->ListCount() > 0;
    files->CmdCopy->setEnabled(anyFile);
    files->CmdClose->setEnabled(anyFile);
    files->File1->setVisible(anyFile);
    files->LabelNoFile->setVisible(!anyFile);
    if (!files->LabelAppear)
        files->LabelNoFile->setVisible(false);
    if (SplashTime < 15)
        Imagemain->setEnabled(false);
    SplashTime = SplashTime + 1;
    if (SplashTime == 15) {
        DoFilePrep();
        Imagemain->setEnabled(true);
        ImageWeb->setEnabled(false);
    }
    if (SplashTime == 10000)
        SplashTime = 30;
    if (!HelpActive && offerRestore())
        CmdNoteShow->setEnabled(false);
    m_inTick = false;
}
