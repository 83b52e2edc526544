#include "FormMain.h"

#include "AllForms.h"
#include "FormFiles.h"
#include "FormMainShared.h"
#include "FileLists.h"
#include "FormInfo.h"
#include "LocalFiles.h"

#include <cmath>

using namespace MainWindow;

// Fills the column after a picture change: place 1 takes the picture shown, places 2 to 4 the
// pictures that follow it (after the last picture the column goes on with the first). With the
// last picture of a list of three or more current, NCount becomes -1 and the list is left without
// a selection: that pair stands for the last picture until the next picture change.
void FormMain::DoThumbs()
{
    if (CheckThumb->value() != 1 || SplashTime <= 14)
        return;
    FormFiles *files = Forms::FormFiles.get();
    FileListBox *list = files->File1;
    const int i = list->ListIndex();
    // The picture object itself: no file is read.
    ImageThumb1->showContentOf(Imagemain);
    // Filled out of sight, shown together.
    for (int p = 2; p <= 4; ++p)
        thumb(p)->setVisible(false);
    const int L = list->ListCount();
    if (L < 5)
        enableControls({CmdFwdOne, CmdEnd, CmdFwdFour, CmdBackOne, CmdHome, CmdBackFour}, false);
    // A file that is not a picture leaves its place empty. The neighbours are decoded ahead at
    // the size they would be shown at, which serves their thumbnails too.
    const auto load = [files](ImageBox *place) {
        place->showFile(files->selectedFilePath());
        prepareFitted(place->picture());
    };
    if (L > 2) {
        if (i == L - 1)
            NCount = -1;
        for (int k = 2; k <= 4; ++k) {
            int p = NCount + k - 1;
            if (p >= L)
                p -= L;
            if (list->setListIndex(p))
                load(thumb(k));
        }
    }
    if (L == 2 && list->setListIndex(i == 0 ? 1 : 0))
        load(ImageThumb2);
    list->setListIndex(NCount);
    for (int p = 2; p <= 4; ++p) {
        thumb(p)->setVisible(true);
        thumb(p)->prepare();
    }
    setCursor(Qt::ArrowCursor);
}

// A folder has been chosen: show its picture (the one selected in the browser when it is past the
// first, else the first), or show the browser again when the folder holds none.
void FormMain::DoFilePrep()
{
    FormFiles *files = Forms::FormFiles.get();
    FileListBox *list = files->File1;
    if (list->ListCount() > 0) {
        files->hide();
        setCursor(Qt::WaitCursor);
        if (list->ListIndex() < 1) {
            list->setListIndex(0);
            NCount = 0;
        } else {
            NCount = list->ListIndex();
        }
        parkThumbnails();
        ListIndexStore = list->ListIndex();
        DoSelectPicture();
    } else {
        for (int n = 2; n <= 4; ++n)
            thumb(n)->setVisible(false);
        SplashTime = 30;
        if (CmdSize->text() == kRestore)
            fittedViewAgain();
        Forms::FormInfo.unload();
        files->showAtWorkingSize();
        setCursor(Qt::ArrowCursor);
    }
    DoTimer();
}

// Shows the picture at NCount. The button tests before the selection read the index of the
// picture shown so far; those after it the new one.
void FormMain::DoSelectPicture()
{
    FormFiles *files = Forms::FormFiles.get();
    FileListBox *list = files->File1;
    for (int n = 1; n <= 4; ++n)
        thumb(n)->setLeft(kThumbLeft);
    if (list->ListIndex() < 2)
        enableControls({CmdBackOne, CmdHome}, false);
    else
        enableControls({CmdBackOne, CmdHome, remoteBack()}, true);
    // The remote control in its expanded size keeps its step buttons disabled.
    if (remoteHeightTwips() > 1000)
        enableControls({remoteBack()}, false);
    enableControls({CmdFwdOne, CmdEnd}, list->ListIndex() < list->ListCount() - 5);
    CmdFwdFour->setEnabled(!(list->ListIndex() > list->ListCount() - 9));
    // Below -1 (four back from one of the first pictures): the last picture. At or past the end (a
    // type filter shrank the list since): the first, or none in an empty list.
    if (NCount < -1)
        NCount = list->ListCount() - 1;
    else if (NCount >= list->ListCount())
        NCount = list->ListCount() > 0 ? 0 : -1;
    CmdBackFour->setEnabled(!(list->ListIndex() < 9));
    if (NCount == list->ListCount() - 1)
        enableControls({CmdBackOne, CmdHome, remoteBack(), CmdBackFour}, false);
    // Selecting runs the browser's file-click handling (its preview and caption) first.
    if (list->ListCount() > 0)
        list->setListIndex(NCount);
    // Two independent loads of the file (the pixels come from one decode, made when drawn). A
    // file that is not a picture shows nothing under its name, never the picture before. With no
    // selection there is no file: both boxes keep what they show. The viewing area is out of
    // sight until its box is fitted, so that nothing is decoded for the box of the picture before.
    const bool viewingShown = Imagemain->Visible();
    Imagemain->setVisible(false);
    if (list->ListIndex() >= 0) {
        Imagemain->showFile(files->selectedFilePath());
        PictureScale->showFile(files->selectedFilePath());
    }
    ListIndexStore = list->ListIndex();
    if (list->ListIndex() == list->ListCount() - 1 && list->ListCount() > 4)
        enableControls({CmdBackOne, CmdHome}, true);
    if (list->ListIndex() == list->ListCount() - 1 && list->ListCount() > 9)
        CmdBackFour->setEnabled(true);
    // A file shown (this one or an earlier one, a picture or not) is fitted: a picture one pixel
    // wide like any other, a file that is not a picture as nothing under its name.
    if (!PictureScale->File().isEmpty())
        DoScale();
    else
        Imagemain->setVisible(viewingShown);
    prepareNextPicture();
    DoTimer();
}

void FormMain::prepareNextPicture()
{
    FileListBox *list = Forms::FormFiles->File1;
    const int count = list->ListCount();
    // The last picture current with the column filled leaves the list without a selection.
    const int index = list->ListIndex() >= 0 ? list->ListIndex() : ListIndexStore;
    // With the column filled the three pictures after this one are being decoded for it already:
    // the one after them is prepared.
    const int ahead = CheckThumb->value() == 1 && SplashTime > 14 ? 4 : 1;
    if (count <= ahead || index < 0 || index >= count)
        return;
    prepareFitted(Picture::load(Forms::FormFiles->filePath((index + ahead) % count)));
}

QString FormMain::shownFileName() const
{
    return LocalFiles::displayName(Forms::FormFiles->File1->FileName());
}

QString FormMain::zoomCaption() const
{
    return QStringLiteral("Vistello  -  ") + shownFileName() + QStringLiteral("     Zoom: ")
           + QString::number(qint64(ZoomValue)) + QStringLiteral("%");
}

QString FormMain::hundredCaption() const
{
    return QStringLiteral("Vistello  -  ") + shownFileName() + QStringLiteral("     Zoom: 100%");
}

// The viewing area is hidden while its box changes, so that only the final box is drawn. A
// picture is fitted with its proportions kept: by its width, or by its height when it is taller
// in proportion than the area; one smaller than the area is offered at actual size.
void FormMain::fitViewingArea()
{
    Imagemain->setVisible(false);
    coverViewingArea(Imagemain);
    const double W = PictureScale->Width();
    const double H = PictureScale->Height();
    if (PictureScale->picture().isNull() || W < 1 || H < 1) {
        // Nothing to fit and no zoom to give: the caption names the file alone.
        const QString name = shownFileName();
        setWindowTitle(name.isEmpty() ? QStringLiteral("Vistello") : QStringLiteral("Vistello  -  ") + name);
        if (CmdSize->text() != kRestore)
            CmdSize->setEnabled(false);
        return;
    }
    // Fitted with its proportions kept and centred, by the one rule every fitted picture follows.
    const QRectF fitted = PictureFit::fitted(QSizeF(W, H), kViewingArea);
    Imagemain->Move(fitted.left(), fitted.top(), fitted.width(), fitted.height());
    // Width over height for a portrait or square picture, height over width for a landscape one.
    Ratio = W <= H ? float(W) / float(H) : float(H) / float(W);
    const bool byWidth = fitted.width() >= kViewingArea.width();
    ZoomValue = float(std::floor((byWidth ? kViewingArea.width() / W : kViewingArea.height() / H) * 100 + 0.5));
    setWindowTitle(zoomCaption());
    const bool small = H < kViewingArea.height() && W < kViewingArea.width();
    if (small && CmdSize->text() != kRestore) {
        CmdSize->setEnabled(true);
        CmdSize->setText(kActualSize);
    } else if (CmdSize->text() != kRestore) {
        CmdSize->setEnabled(false);
        setWindowTitle(hundredCaption());
    }
    if (small && CmdSize->text() == kRestore) {
        // The actual-size view outlasts a change of picture: the picture at its own size, centred.
        CmdSize->setEnabled(true);
        Imagemain->setStretch(false);
        centreOnViewingArea(Imagemain);
        setWindowTitle(hundredCaption());
    }
    if (H > kViewingArea.height() || W > kViewingArea.width()) {
        Imagemain->setStretch(true);
        CmdSize->setEnabled(false);
        setWindowTitle(zoomCaption());
    }
}

void FormMain::DoScale()
{
    fitViewingArea();
    Imagemain->setVisible(true);
    // Decoded on a worker at the fitted size while the thumbnails are filled.
    Imagemain->prepare();
    if (!StopThumb)
        DoThumbs();
    StopThumb = false;
    setCursor(Qt::ArrowCursor);
    Forms::FormFiles->setCursor(Qt::ArrowCursor);
}

// The fitting of a picture taken from a thumbnail; the column stays as it is.
void FormMain::DoThumbScale()
{
    fitViewingArea();
    Imagemain->setVisible(true);
    Imagemain->prepare();
    setCursor(Qt::ArrowCursor);
    Forms::FormFiles->setCursor(Qt::ArrowCursor);
}

// Between the fitted view and the picture at its own size. The button's caption turns to
// "&Restore" on the timer's next tick, not here.
void FormMain::DoActual()
{
    if (HelpActive)
        return;
    if (CmdSize->text() != kRestore) {
        Imagemain->setStretch(false);
        centreOnViewingArea(Imagemain);
        setWindowTitle(hundredCaption());
    } else {
        fittedViewAgain();
    }
}

bool FormMain::offerRestore()
{
    if (Imagemain->Stretch())
        return false;
    CmdSize->setText(kRestore);
    return true;
}

void FormMain::fittedViewAgain()
{
    Imagemain->setStretch(true);
    CmdSize->setText(kActualSize);
    CmdSize->setEnabled(true);
    StopThumb = true;
    DoScale();
}

void FormMain::CmdSize_Click()
{
    DoActual();
}
