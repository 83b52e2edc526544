#include "FormFiles.h"

#include "AllForms.h"
#include "FormMain.h"
#include "FormMainShared.h"
#include "Keys.h"
#include "Messages.h"
#include "ProgramFolder.h"
#include "ScreenMetrics.h"
#include "FormBlowUp.h"
#include "FormInfo.h"
#include "FormNote.h"
#include "FormRemote.h"
#include "FormSave.h"
#include "LocalFiles.h"
#include "WindowGeometry.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

namespace {
const QString kCaption = QStringLiteral("Find Files");
// Working size of the window in twips, frame included.
constexpr int kWidthTwips = 8600;
constexpr int kHeightTwips = 7170;
} // namespace

FormFiles::FormFiles()
    : LoadableForm(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_twips(ScreenMetrics::twipsPerPixel())
{
    setObjectName(QStringLiteral("FormFiles"));
    setWindowTitle(kCaption);
    const auto px = [this](int twips) { return WindowGeometry::toPixels(twips, m_twips); };
    const auto place = [&](QWidget *w, const char *name, int l, int t, int wd, int ht) {
        w->setObjectName(QLatin1String(name));
        w->setGeometry(px(l), px(t), px(wd), px(ht));
    };
    setFixedSize(px(8460), px(6840));

    // Notices first: the lists cover them while shown.
    LabelNoDrive = new QLabel(QStringLiteral("The selected drive is not currently available. "), this);
    place(LabelNoDrive, "LabelNoDrive", 1305, 2040, 1692, 612);
    LabelNoDrive->setWordWrap(true);
    LabelNoFile = new QLabel(
        QStringLiteral("There are no image files of the required type(s) in the currently selected folder. "), this);
    place(LabelNoFile, "LabelNoFile", 4905, 1320, 2892, 1092);
    LabelNoFile->setWordWrap(true);

    Drive1 = new DriveListBox(this);
    place(Drive1, "Drive1", 36, 1320, 4095, 315);
    Drive1->setToolTip(QStringLiteral("Select a drive"));
    Dir1 = new DirListBox(this);
    place(Dir1, "Dir1", 36, 1680, 4095, 2340);
    Dir1->setToolTip(QStringLiteral("Select a folder"));
    File1 = new FileListBox(this);
    place(File1, "File1", 4320, 36, 4095, 3990);
    File1->setToolTip(QStringLiteral("Select a file (optional) "));
    File1->setPattern(QStringLiteral("*.bmp;*.jpg;*.gif"));

    Frame1 = new QGroupBox(QStringLiteral("File Type"), this);
    place(Frame1, "Frame1", 5160, 4800, 3135, 732);

    QPushButton **stores[] = {&cmdStore1, &CmdStore2, &CmdStore3, &CmdStore4, &CmdStore5, &CmdStore6};
    QPushButton **retrieves[] = {&CmdRetrieve1, &CmdRetrieve2, &CmdRetrieve3,
                                 &CmdRetrieve4, &CmdRetrieve5, &CmdRetrieve6};
    for (int i = 0; i < 6; ++i) {
        const int top = 4212 + 444 * i;
        auto *store = new QPushButton(QStringLiteral("Store >"), this);
        place(store, i == 0 ? "cmdStore1" : qPrintable(QStringLiteral("CmdStore%1").arg(i + 1)), 36, top, 684, 360);
        auto *retrieve = new QPushButton(this);
        place(retrieve, qPrintable(QStringLiteral("CmdRetrieve%1").arg(i + 1)), 744, top, 4125, 360);
        if (i < 4) {
            store->setToolTip(QStringLiteral("Save current folder location"));
            retrieve->setToolTip(QStringLiteral("Go to stored folder"));
        }
        *stores[i] = store;
        *retrieves[i] = retrieve;
    }

    CmdClose = new QPushButton(QStringLiteral("&Close"), this);
    place(CmdClose, "CmdClose", 6795, 6150, 1350, 360);
    CmdClose->setToolTip(QStringLiteral("Return to main screen"));
    CmdClose->setDefault(true);
    CmdCopy = new QPushButton(QStringLiteral("C&opy"), this);
    place(CmdCopy, "CmdCopy", 5340, 6150, 1350, 360);
    CmdCopy->setToolTip(QStringLiteral("Copy selected file to clipboard"));

    OptionAll = new OptionButton(QStringLiteral("&All"), this);
    place(OptionAll, "OptionAll", 5280, 5040, 615, 372);
    OptionBMP = new OptionButton(QStringLiteral("&BMP"), this);
    place(OptionBMP, "OptionBMP", 5970, 5040, 975, 372);
    OptionGIF = new OptionButton(QStringLiteral("&GIF"), this);
    place(OptionGIF, "OptionGIF", 6750, 5040, 735, 372);
    OptionJPG = new OptionButton(QStringLiteral("&JPG"), this);
    place(OptionJPG, "OptionJPG", 7440, 5040, 735, 372);

    ImageFile = new ImageBox(this);
    ImageFile->setObjectName(QStringLiteral("ImageFile"));
    ImageFile->setStretch(true);
    ImageFile->Move(px(1485), px(60), px(1200), px(1200));
    ImageFile->setToolTip(QStringLiteral("Selected file"));
    {
        QImage black(2, 2, QImage::Format_RGB32);
        black.fill(Qt::black);
        ImageFile->setPicture(Picture::fromImage(black));
    }

    // Tab order as designed: lists, frame, store and retrieve buttons, close, copy, options.
    QWidget *order[] = {Drive1, Dir1, File1, Frame1, cmdStore1, CmdStore2, CmdStore3, CmdStore4,
                        CmdStore5, CmdStore6, CmdRetrieve1, CmdRetrieve2, CmdRetrieve3, CmdRetrieve4,
                        CmdRetrieve5, CmdRetrieve6, CmdClose, CmdCopy, OptionAll, OptionBMP, OptionGIF, OptionJPG};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(Drive1, &DriveListBox::Change, this, &FormFiles::Drive1_Change);
    connect(Dir1, &DirListBox::Change, this, &FormFiles::Dir1_Change);
    connect(Dir1, &DirListBox::Click, this, &FormFiles::Dir1_Click);
    connect(File1, &FileListBox::Click, this, &FormFiles::File1_Click);
    connect(File1, &FileListBox::DblClick, this, &FormFiles::File1_DblClick);
    connect(CmdClose, &QPushButton::clicked, this, &FormFiles::CmdClose_Click);
    connect(CmdCopy, &QPushButton::clicked, this, &FormFiles::CmdCopy_Click);
    connect(ImageFile, &ImageBox::Click, this, &FormFiles::ImageFile_Click);
    connect(ImageFile, &ImageBox::DblClick, this, &FormFiles::ImageFile_DblClick);
    for (int n = 1; n <= 6; ++n) {
        connect(storeButton(n), &QPushButton::clicked, this, [this, n] { CmdStore_Click(n); });
        connect(retrieveButton(n), &QPushButton::clicked, this, [this, n] { CmdRetrieve_Click(n); });
    }
    connect(OptionAll, &OptionButton::Click, this, &FormFiles::OptionAll_Click);
    connect(OptionBMP, &OptionButton::Click, this, &FormFiles::OptionBMP_Click);
    connect(OptionGIF, &OptionButton::Click, this, &FormFiles::OptionGIF_Click);
    connect(OptionJPG, &OptionButton::Click, this, &FormFiles::OptionJPG_Click);
    Frame1->installEventFilter(this);

    // Key preview: the window's key handler sees every key before the control with the focus.
    Keys::installKeyPreview(this, [this](int key, int shift) { Form_KeyDown(key, shift); });
    // The pointer over the background is followed (the actual-size caption of the main window).
    setMouseTracking(true);
}

QPushButton *FormFiles::storeButton(int n) const
{
    QPushButton *const b[] = {cmdStore1, CmdStore2, CmdStore3, CmdStore4, CmdStore5, CmdStore6};
    return n >= 1 && n <= 6 ? b[n - 1] : nullptr;
}

QPushButton *FormFiles::retrieveButton(int n) const
{
    QPushButton *const b[] = {CmdRetrieve1, CmdRetrieve2, CmdRetrieve3, CmdRetrieve4, CmdRetrieve5, CmdRetrieve6};
    return n >= 1 && n <= 6 ? b[n - 1] : nullptr;
}


QString FormFiles::filePath(int index) const
{
    const QString separator = File1->Path().endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/");
    return Dir1->Path() + separator + File1->List(index);
}

void FormFiles::showAtWorkingSize()
{
    const auto px = [this](int twips) { return WindowGeometry::toPixels(twips, m_twips); };
    WindowGeometry::setOuterSize(this, px(kWidthTwips), px(kHeightTwips));
    show();
    raise();
    activateWindow();
}

void FormFiles::saveDialogToFront()
{
    // Referring to the dialog loads it, hidden; a dialog that is not shown stays hidden.
    QWidget *save = Forms::FormSave.get();
    if (save->isVisible())
        save->raise();
}

void FormFiles::Form_Load()
{
    // The folder list starts in the current folder of the current drive.
    Dir1->setPathToDrive(Drive1->Drive());
    LabelAppear = true;
}

// The main window's empty state after a change of folder or drive, once the splash period is over.
void FormFiles::resetMainWindowToEmpty()
{
    FormMain *main = Forms::FormMain;
    if (!main)
        return;
    MainWindow::coverViewingArea(main->Imagemain);
    main->Imagemain->setStretch(true);
    main->setWindowTitle(QStringLiteral("Vistello"));
}

void FormFiles::Drive1_Change()
{
    setWindowTitle(kCaption);
    LabelAppear = true;
    Dir1->setVisible(true);
    File1->setVisible(true);
    for (QPushButton *b : {CmdClose, cmdStore1, CmdStore2, CmdStore3, CmdStore4})
        b->setEnabled(true);
    // Opening the drive runs the folder-change handling to its end first.
    if (!Dir1->setPathToDrive(Drive1->Drive()) || !File1->setPath(Dir1->Path())) {
        // The drive cannot be read: the lists keep their former folder, hidden behind the notice.
        Dir1->setVisible(false);
        File1->setVisible(false);
        for (QPushButton *b : {CmdClose, cmdStore1, CmdStore2, CmdStore3, CmdStore4})
            b->setEnabled(false);
        LabelAppear = false;
        setWindowTitle(kCaption);
        return;
    }
    FormMain *main = Forms::FormMain;
    if (main)
        main->NCount = -1;
    if (File1->ListIndex() == -1 && main && main->SplashTime > 14) {
        // A support picture that cannot be loaded leaves its box as it was.
        ImageFile->loadPicture(ProgramFolder::file(QStringLiteral("bluck2zn.big")));
        resetMainWindowToEmpty();
        main->parkThumbnails();
        main->Imagemain->loadPicture(ProgramFolder::file(QStringLiteral("splash.fig")));
    }
}

void FormFiles::Dir1_Change()
{
    setWindowTitle(kCaption);
    CmdClose->setEnabled(true);
    File1->setPath(Dir1->Path());
    FormMain *main = Forms::FormMain;
    if (main)
        main->NCount = -1;
    if (File1->ListIndex() == -1 && main && main->SplashTime > 14) {
        CmdClose->setEnabled(false);
        resetMainWindowToEmpty();
        ImageFile->loadPicture(ProgramFolder::file(QStringLiteral("bluck2zn.big")));
        main->parkThumbnails();
    }
}

void FormFiles::Dir1_Click()
{
    if (FormMain *main = Forms::FormMain)
        main->NCount = -1;
}

// Also run by every selection the program makes, while the browser is hidden too: the preview
// takes the picture (decoded only when it is drawn) and the caption its path.
void FormFiles::File1_Click()
{
    saveDialogToFront();
    const QString path = selectedFilePath();
    // A file that is not a picture leaves the preview as it was.
    ImageFile->loadPicture(path);
    setWindowTitle(kCaption + QStringLiteral(" - ") + LocalFiles::displayName(path));
}

void FormFiles::File1_DblClick()
{
    saveDialogToFront();
    CmdClose_Click();
}

// In a folder of one to four pictures the main window starts at the first; in a larger one at the
// file selected here (or the first). The main window hides the browser, or shows it again for a
// folder without pictures.
void FormFiles::CmdClose_Click()
{
    // In an empty list there is no first file: nothing is selected.
    if (File1->ListCount() < 5)
        File1->setListIndex(0);
    FormMain *main = Forms::FormMain;
    if (!main)
        return;
    main->Imagemain->setEnabled(true);
    main->DoFilePrep();
}

// Closing without the first-file rule. The viewing area is made clickable as "&Close" does, so that
// a browser opened during the splash period does not leave the picture unclickable.
void FormFiles::closeToMainWindow()
{
    hide();
    FormMain *main = Forms::FormMain;
    if (!main)
        return;
    main->Imagemain->setEnabled(true);
    main->DoFilePrep();
}

void FormFiles::Form_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if ((KeyCode == Keys::Esc || KeyCode == Keys::PadMinus) && isVisible())
        closeToMainWindow();
}

void FormFiles::closeEvent(QCloseEvent *event)
{
    // Never unloaded here: hidden, and shown again by the main window when the folder is empty.
    event->ignore();
    if (isVisible())
        closeToMainWindow();
}

void FormFiles::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        QPushButton *target = focused && focused->isEnabled() ? focused : CmdClose;
        if (target->isEnabled() && target->isVisible())
            target->click();
        return;
    }
    LoadableForm::keyPressEvent(event);
}

void FormFiles::setPattern(const QString &pattern)
{
    File1->setPattern(pattern);
    setWindowTitle(kCaption);
}

void FormFiles::OptionAll_Click()
{
    setPattern(QStringLiteral("*.bmp;*.gif;*.jpg"));
}

void FormFiles::OptionBMP_Click()
{
    setOneTypePattern(QStringLiteral("*.bmp"));
}

void FormFiles::OptionGIF_Click()
{
    setOneTypePattern(QStringLiteral("*.gif"));
}

void FormFiles::OptionJPG_Click()
{
    setOneTypePattern(QStringLiteral("*.jpg"));
}

// After the splash period, with nothing selected, "&Close" is disabled until the timer's next tick.
void FormFiles::setOneTypePattern(const QString &pattern)
{
    setPattern(pattern);
    FormMain *main = Forms::FormMain;
    if (main && main->SplashTime > 14 && File1->ListIndex() == -1)
        CmdClose->setEnabled(false);
}

// The preview as shown (the clicked file, the placeholder or the first black picture) goes to the
// clipboard as a picture. With no picture to copy the clipboard keeps what it holds.
void FormFiles::CmdCopy_Click()
{
    saveDialogToFront();
    const QImage image = ImageFile->picture().fullImage();
    if (image.isNull())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(image);
}

void FormFiles::Form_Click()
{
    saveDialogToFront();
}

void FormFiles::Form_DblClick()
{
    saveDialogToFront();
}

void FormFiles::Frame1_Click()
{
    saveDialogToFront();
}

void FormFiles::Frame1_DblClick()
{
    saveDialogToFront();
}

void FormFiles::ImageFile_Click()
{
    saveDialogToFront();
}

void FormFiles::ImageFile_DblClick()
{
    saveDialogToFront();
}

void FormFiles::Form_MouseMove()
{
    if (FormMain *main = Forms::FormMain)
        main->offerRestore();
}

void FormFiles::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
    LoadableForm::mouseReleaseEvent(event);
}

void FormFiles::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Form_DblClick();
    LoadableForm::mouseDoubleClickEvent(event);
}

void FormFiles::mouseMoveEvent(QMouseEvent *event)
{
    Form_MouseMove();
    LoadableForm::mouseMoveEvent(event);
}

bool FormFiles::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Frame1) {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton && Frame1->rect().contains(mouse->position().toPoint()))
                Frame1_Click();
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                Frame1_DblClick();
            return true;
        }
    }
    return LoadableForm::eventFilter(watched, event);
}

void FormFiles::CmdStore_Click(int n)
{
    if (n < 1 || n > 6)
        return;
    ButtonID = n;
    FormSave *save = Forms::FormSave.get();
    save->showForSlot();
    save->setWindowTitle(QStringLiteral("Save Folder Location (%1)").arg(n));
}

void FormFiles::CmdRetrieve_Click(int n)
{
    FormMain *main = Forms::FormMain;
    if (!main || n < 1 || n > 6)
        return;
    saveDialogToFront();
    Path = main->saveDir(n);
    setWindowTitle(kCaption);
    if (Path.isEmpty())
        return;
    // Opening the folder runs the folder-change handling, the drive the drive-change handling; the
    // drive's current folder is then the stored folder, so the browser ends there.
    if (!Dir1->setPath(Path) || !Drive1->setDrive(Dir1->Path())) {
        DoError();
        return;
    }
    // In an empty folder there is no first file to preview.
    File1->setListIndex(0);
}

// Both windows leave the screen while the message is up, then come back centred horizontally at
// their former heights.
void FormFiles::DoError()
{
    FormMain *main = Forms::FormMain;
    if (main)
        WindowGeometry::parkBeyondScreens(main);
    WindowGeometry::parkBeyondScreens(this);
    const QString crlf = QStringLiteral("\r\n");
    // A folder too long for the screen is shortened in the middle, so that the box fits the screen
    // with its button.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() / 2 : 400;
    const QString folder = QFontMetrics(QApplication::font("QMessageBox")).elidedText(Path, Qt::ElideMiddle, room);
    // No parent: a box centred on a window beyond the screens would be beyond them too.
    Messages::critical(nullptr, QStringLiteral("Retrieve Location Not Found"),
                       QStringLiteral("The folder:") + crlf + folder + crlf
                           + QStringLiteral("cannot be located. It may have been re-named, moved") + crlf
                           + QStringLiteral("or is currently unavailable."));
    const int screenTwips = ScreenMetrics::width() * m_twips;
    const auto centre = [&](QWidget *window) {
        const QRect frame = WindowGeometry::outer(window);
        const int leftTwips = (screenTwips - frame.width() * m_twips) / 2;
        WindowGeometry::setOuterPos(window, WindowGeometry::toPixels(leftTwips, m_twips), frame.top());
    };
    if (main)
        centre(main);
    centre(this);
}
