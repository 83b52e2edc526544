#include "FormMain.h"

#include "AllForms.h"
#include "FormMainShared.h"
#include "FormNote.h"
#include "ProgramFolder.h"
#include "ShellOpen.h"

#include <QEvent>
#include <QFileInfo>
#include <QUrl>

using namespace MainWindow;

namespace {

// The help buttons in the thumbnail places and the pages they show.
const char *const kButtonPictures[] = {"introclick.fig", "controlsclick.fig", "limitclick.fig", "exitHelp.fig"};
const char *const kPages[] = {"intro.fig", "controls.fig", "limitations.fig"};
// The thumbnail places' Tops from help mode on.
constexpr int kHelpTops[] = {31, 150, 270, 389};

// While disabled the link area lets the mouse through to the picture under it.
class ThroughWhileDisabled : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            auto *w = static_cast<QWidget *>(watched);
            w->setAttribute(Qt::WA_TransparentForMouseEvents, !w->isEnabled());
        }
        return false;
    }
};

} // namespace

void FormMain::linkAreaFollowsEnabled()
{
    ImageWeb->installEventFilter(new ThroughWhileDisabled(ImageWeb));
    ImageWeb->setAttribute(Qt::WA_TransparentForMouseEvents, !ImageWeb->isEnabled());
}

void FormMain::CmdHelp_Click()
{
    ImageWeb->setTop(390);
    DoHelp();
}

// Help mode: the title picture in the viewing area, the four help buttons in the thumbnail
// places, and every control that works on pictures disabled. Entering again shows the title
// picture again. The folder browser, the enlarged view and the information window are left alone.
void FormMain::DoHelp()
{
    ImageWeb->setEnabled(true);
    Forms::FormNote.unload();
    // The splash period ends for good.
    SplashTime = 30;
    HelpActive = true;
    enableControls({CmdFwdOne, CmdEnd, CmdBackOne, CmdHome, CmdBackFour, CmdFwdFour}, false);
    // Its tick stays as it is.
    CheckThumb->setEnabled(false);
    Imagemain->setVisible(false);
    Imagemain->setEnabled(false);
    setCursor(Qt::WaitCursor);
    setWindowTitle(QStringLiteral("Vistello - Help"));
    coverViewingArea(Imagemain);
    Imagemain->setStretch(true);
    for (int n = 1; n <= 4; ++n)
        thumb(n)->Move(kThumbLeft, kHelpTops[n - 1], thumb(n)->Width(), thumb(n)->Height());
    // A help picture that cannot be loaded leaves its box as it was.
    Imagemain->loadPicture(ProgramFolder::file(QStringLiteral("splash.fig")));
    Imagemain->setVisible(true);
    for (int n = 1; n <= 4; ++n)
        thumb(n)->setStretch(false);
    enableControls({CmdCopy, CmdPrint, CmdFiles, CmdSize, CmdNoteShow}, false);
    // Also with the thumbnails off.
    for (int n = 1; n <= 4; ++n)
        thumb(n)->setVisible(true);
    for (int n = 1; n <= 4; ++n) {
        thumb(n)->loadPicture(ProgramFolder::file(QLatin1String(kButtonPictures[n - 1])));
        // The button picture at its own size, cut off at the 100 x 100 place (so is a
        // folder's picture that a missing button picture leaves there).
        thumb(n)->setWidth(100);
        thumb(n)->setHeight(100);
    }
    setCursor(Qt::ArrowCursor);
}

void FormMain::ShowHelpPage(int page)
{
    if (page < 1 || page > 3)
        return;
    toViewingAreaCorner(Imagemain);
    // The page keeps its own size.
    Imagemain->setStretch(false);
    // A page that cannot be loaded leaves the picture shown before.
    Imagemain->loadPicture(ProgramFolder::file(QLatin1String(kPages[page - 1])));
}

// Help buttons 1 to 3 show their pages, with the link area where each page draws its link (the
// controls page has none); help button 4 leaves help mode.
void FormMain::helpButtonClick(int place)
{
    if (place == 4) {
        LeaveHelp();
        return;
    }
    if (place == 1)
        ImageWeb->setTop(450);
    else if (place == 3)
        ImageWeb->setTop(340);
    ImageWeb->setEnabled(place != 2);
    Imagemain->setEnabled(false);
    ShowHelpPage(place);
}

void FormMain::LeaveHelp()
{
    HelpActive = false;
    Imagemain->setEnabled(true);
    for (int n = 1; n <= 4; ++n)
        thumb(n)->setStretch(true);
    Imagemain->setStretch(true);
    enableControls({CmdCopy, CmdPrint, CmdFiles, CmdSize, CmdNoteShow, CheckThumb}, true);
    if (CheckThumb->value() == 0)
        for (int n = 1; n <= 4; ++n)
            thumb(n)->setVisible(false);
    // The link area goes inert at the next tick.
    DoFilePrep();
}

// Opens the page beside the program with the desktop's own program for it; nothing is reported
// when there is none, or no page.
void FormMain::ImageWeb_Click()
{
    if (!ImageWeb->isEnabled())
        return;
    const QString page = ProgramFolder::file(QStringLiteral("autolink.html"));
    if (QFileInfo(page).isFile())
        ShellOpen::open(QUrl::fromLocalFile(page));
}
