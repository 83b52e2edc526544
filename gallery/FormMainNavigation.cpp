#include "FormMain.h"

#include "AllForms.h"
#include "FormFiles.h"
#include "FormMainShared.h"
#include "FileLists.h"
#include "FormInfo.h"
#include "FormNote.h"
#include "FormRemote.h"
#include "FormSave.h"
#include "WindowGeometry.h"

#include <QFileInfo>

using namespace MainWindow;

// Ticking the box runs a full picture change of the picture at NCount; clearing it only hides the
// four places.
void FormMain::CheckThumb_Click()
{
    Forms::FormInfo.unload();
    CheckThumbValue = QString::number(CheckThumb->value());
    if (CheckThumb->value() != 0) {
        ImageThumb1->setVisible(true);
        setCursor(Qt::WaitCursor);
        // With the last picture current the list has no selection: show that picture again, so
        // that the caption names it and the buttons are set for it.
        if (lastPictureCurrent())
            NCount = Forms::FormFiles->File1->ListCount() - 1;
        DoSelectPicture();
    } else {
        for (int n = 1; n <= 4; ++n)
            thumb(n)->setVisible(false);
        // The last picture current with the column filled left the list without a selection:
        // without the column it is the picture at its own position again, and the buttons go on
        // from there.
        FileListBox *list = Forms::FormFiles->File1;
        if (lastPictureCurrent()) {
            NCount = list->ListCount() - 1;
            list->setListIndex(NCount);
            ListIndexStore = list->ListIndex();
            for (int p = 1; p <= 4; ++p)
                thumb(p)->setLeft(kThumbLeft);
        }
        buttonsWithoutColumn();
    }
}

// The last word on the navigation buttons and the thumbnail places after a picture change. The
// rules run in turn, each on its own; a later one overrides an earlier one. i and n are read from
// the list afresh at every test.
void FormMain::DoTimer()
{
    FormFiles *files = Forms::FormFiles.get();
    FileListBox *list = files->File1;
    const auto i = [list] { return list->ListIndex(); };
    const auto n = [list] { return list->ListCount(); };
    if (i() > 2)
        enableControls({CmdBackOne, CmdHome, CmdEnd}, true);
    if (remoteHeightTwips() < 1000 && i() > 1)
        enableControls({remoteBack()}, true);
    if (i() > 9)
        enableControls({CmdBackFour}, true);
    if (n() > 4 && i() == 0) {
        enableControls({remoteFwd(), CmdFwdOne, CmdFwdFour, CmdEnd}, true);
        enableControls({CmdBackOne, CmdHome, CmdBackFour}, false);
    }
    if (i() == n() - 4)
        enableControls({CmdFwdOne, CmdEnd}, false);
    if (i() > n() - 5)
        enableControls({CmdFwdFour}, false);
    if (i() == 1 && n() == 5) {
        enableControls({CmdHome, CmdBackOne}, true);
        enableControls({CmdFwdFour}, false);
    }
    if (n() == 6 && i() > 0 && i() < 4)
        enableControls({CmdBackOne, CmdHome}, true);
    if (n() == 7 && i() > 0 && i() < 5)
        enableControls({CmdBackOne, CmdHome}, true);
    files->CmdCopy->setEnabled(i() != -1);
    if (SplashTime > 14) {
        // Places that would show pictures past the end of a list of more than four are parked,
        // and so are those a list of one to three pictures has nothing for.
        bool parked = false;
        const auto park = [this, &parked](std::initializer_list<int> places) {
            for (int p : places)
                thumb(p)->setLeft(kParked);
            parked = true;
        };
        if (n() == 1)
            park({2, 3, 4});
        if (n() == 2)
            park({3, 4});
        if (n() == 3)
            park({4});
        if (i() == -1 && n() > 4) {
            park({2, 3, 4});
            enableControls({CmdFwdOne, CmdEnd}, false);
        }
        if (i() == n() - 2 && n() > 4) {
            park({3, 4});
            enableControls({CmdFwdOne, CmdEnd}, false);
        }
        if (i() == n() - 3 && n() > 4) {
            park({4});
            enableControls({CmdFwdOne, CmdEnd}, false);
        }
        const bool onlyFirst = ImageThumb1->Left() != kParked && n() >= 5 && ImageThumb2->Left() == kParked
                               && ImageThumb3->Left() == kParked && ImageThumb4->Left() == kParked;
        ImageThumb1->setEnabled(!onlyFirst);
        if (!parked)
            for (int p = 2; p <= 4; ++p)
                thumb(p)->setLeft(kThumbLeft);
    }
    if (CheckThumb->value() != 1)
        buttonsWithoutColumn();
    setCursor(Qt::ArrowCursor);
}

// With the column off there are no places to reach the last pictures through: the buttons reach
// every picture. One and back one with wrap-around in any folder of two or more, four forward or
// back while that stays within the list, "Last images" to the last picture.
void FormMain::buttonsWithoutColumn()
{
    FileListBox *list = Forms::FormFiles->File1;
    const int i = list->ListIndex();
    const int n = list->ListCount();
    const bool shown = i >= 0;
    enableControls({CmdBackOne, CmdFwdOne}, shown && n >= 2);
    CmdFwdFour->setEnabled(shown && i + 4 < n);
    CmdBackFour->setEnabled(shown && i >= 4);
    // "First images" and "Last images" act only in folders of more than four pictures.
    CmdHome->setEnabled(shown && n > 4 && i > 0);
    CmdEnd->setEnabled(shown && n > 4 && i < n - 1);
}

QWidget *FormMain::remoteBack()
{
    return Forms::FormRemote->CmdRemBack;
}

QWidget *FormMain::remoteFwd()
{
    return Forms::FormRemote->CmdRemFwd;
}

int FormMain::remoteHeightTwips()
{
    return Forms::FormRemote->Height();
}

void FormMain::browserBesideMain()
{
    moveBesideMain(Forms::FormFiles.get(), 300, 400);
}

void FormMain::moveBesideMain(QWidget *window, int belowTwips, int rightTwips)
{
    window->raise();
    const QRect main = WindowGeometry::outer(this);
    const int ps = twips();
    WindowGeometry::setOuterPos(window,
                                WindowGeometry::toPixels(WindowGeometry::toTwips(main.left(), ps) + rightTwips, ps),
                                WindowGeometry::toPixels(WindowGeometry::toTwips(main.top(), ps) + belowTwips, ps));
}

bool FormMain::lastPictureCurrent()
{
    FormFiles *files = Forms::FormFiles.get();
    const int n = files->File1->ListCount();
    // Place 1 stands for the file it was filled with, also one it shows nothing for.
    if (NCount != -1 || n < 3 || ImageThumb1->File().isEmpty())
        return false;
    return ImageThumb1->File() == QFileInfo(files->filePath(n - 1)).absoluteFilePath();
}

void FormMain::stepStart()
{
    FormFiles *files = Forms::FormFiles.get();
    if (files->isVisible())
        browserBesideMain();
    for (int p = 2; p <= 4; ++p)
        thumb(p)->setVisible(false);
    // An open note closes, written as its "&Close" writes it.
    Forms::FormNote.unload();
    Forms::FormInfo.unload();
    files->hide();
    setCursor(Qt::WaitCursor);
    Imagemain->setStretch(true);
}

void FormMain::lastPictureStep()
{
    FileListBox *list = Forms::FormFiles->File1;
    if (CheckThumb->value() == 1 && ImageThumb2->Left() == kParked && ImageThumb3->Left() == kParked
        && ImageThumb4->Left() == kParked && ImageThumb1->Left() < kParked && list->ListCount() > 4) {
        list->setListIndex(list->ListCount() - 2);
        DoFilePrep();
    }
}

void FormMain::CmdHome_Click()
{
    if (HelpActive || Forms::FormFiles->File1->ListCount() <= 4 || !Imagemain->isEnabled())
        return;
    Forms::FormInfo.unload();
    enableControls({CmdBackOne, CmdBackFour}, false);
    enableControls({CmdFwdFour, CmdFwdOne, CmdEnd}, true);
    setCursor(Qt::WaitCursor);
    Imagemain->setStretch(true);
    NCount = 0;
    DoSelectPicture();
}

void FormMain::CmdEnd_Click()
{
    if (HelpActive || Forms::FormFiles->File1->ListCount() <= 4 || !Imagemain->isEnabled())
        return;
    Forms::FormInfo.unload();
    Forms::FormNote.unload();
    enableControls({CmdFwdOne, CmdFwdFour}, false);
    enableControls({CmdBackOne, CmdHome, CmdBackFour}, true);
    setCursor(Qt::WaitCursor);
    Imagemain->setStretch(true);
    // Without the column the last four are not shown side by side: the last picture itself.
    NCount = Forms::FormFiles->File1->ListCount() - (CheckThumb->value() == 1 ? 4 : 1);
    DoSelectPicture();
}

// From the last picture (the last-picture state) this first shows the picture before it, as
// "Previous image" and the Page Down key do; four back from there.
void FormMain::CmdBackFour_Click()
{
    lastPictureStep();
    stepStart();
    fourBack();
}

void FormMain::CmdBackOne_Click()
{
    lastPictureStep();
    stepStart();
    previousPicture();
}

void FormMain::CmdFwdOne_Click()
{
    stepStart();
    nextPicture();
}

void FormMain::CmdFwdFour_Click()
{
    stepStart();
    fourForward();
}

void FormMain::fourBack()
{
    NCount = NCount - 4;
    // Below -1: the last picture (DoSelectPicture).
    DoSelectPicture();
}

void FormMain::previousPicture()
{
    NCount = NCount - 1;
    if (NCount == -1)
        NCount = Forms::FormFiles->File1->ListCount() - 1;
    Forms::FormInfo.unload();
    DoSelectPicture();
}

void FormMain::nextPicture()
{
    NCount = NCount + 1;
    if (NCount == Forms::FormFiles->File1->ListCount())
        NCount = 0;
    enableControls({CmdBackOne, CmdHome}, true);
    DoSelectPicture();
}

void FormMain::fourForward()
{
    const int n = Forms::FormFiles->File1->ListCount();
    // From the last picture four forward passes the end, as from any other.
    NCount = lastPictureCurrent() ? n : NCount + 4;
    if (NCount >= n)
        NCount = 0;
    DoSelectPicture();
}

void FormMain::thumbClickWindows(int place)
{
    FormNote *note = Forms::FormNote.get();
    if (note->isVisible())
        note->raise();
    if (Forms::FormFiles->isVisible())
        browserBesideMain();
    Forms::FormInfo.unload();
    if (place == 1)
        Forms::FormSave->raise();
}

int FormMain::thumbPosition(int place)
{
    const int n = Forms::FormFiles->File1->ListCount();
    if (place == 1)
        return lastPictureCurrent() ? n - 1 : NCount;
    if (n < 1)
        return -1;
    // As the column was filled: after the last picture it goes on with the first.
    return (NCount + place - 1) % n;
}

// The place's picture object goes to the viewing area and the true-size box without reading the
// file again; NCount and the column stay as they are. The viewing area is out of sight until its
// box is fitted, so that nothing is drawn for the box of the picture before.
void FormMain::showThumb(int place)
{
    ImageBox *t = thumb(place);
    const bool viewingShown = Imagemain->Visible();
    Imagemain->setVisible(false);
    Imagemain->setStretch(true);
    Imagemain->showContentOf(t);
    PictureScale->showContentOf(t);
    FileListBox *list = Forms::FormFiles->File1;
    list->setListIndex(thumbPosition(place));
    ListIndexStore = list->ListIndex();
    if (!PictureScale->File().isEmpty())
        DoThumbScale();
    else
        Imagemain->setVisible(viewingShown);
}

void FormMain::thumbClick(int place)
{
    thumbClickWindows(place);
    if (HelpActive) {
        helpButtonClick(place);
    } else {
        Imagemain->setEnabled(true);
        showThumb(place);
    }
}

void FormMain::ImageThumb1_Click()
{
    thumbClick(1);
}

void FormMain::ImageThumb2_Click()
{
    thumbClick(2);
}

void FormMain::ImageThumb3_Click()
{
    thumbClick(3);
}

void FormMain::ImageThumb4_Click()
{
    thumbClick(4);
}

void FormMain::ImageThumb1_DblClick()
{
    thumbClickWindows(1);
}
