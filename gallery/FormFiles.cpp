#include "FormFiles.h"

#include "AllForms.h"
#include "FormMain.h"
#include "ProgramFolder.h"
#include "ScreenMetrics.h"
#include "WindowGeometry.h"

#include <QCloseEvent>

namespace {
const QString kCaption = QStringLiteral("Find Files");
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
    connect(OptionAll, &OptionButton::Click, this, &FormFiles::OptionAll_Click);
    connect(OptionBMP, &OptionButton::Click, this, &FormFiles::OptionBMP_Click);
    connect(OptionGIF, &OptionButton::Click, this, &FormFiles::OptionGIF_Click);
    connect(OptionJPG, &OptionButton::Click, this, &FormFiles::OptionJPG_Click);
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

void FormFiles::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (!isVisible())
        return;
    hide();
    if (Forms::FormMain)
        Forms::FormMain->DoFilePrep();
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
    main->Imagemain->setTop(3);
    main->Imagemain->setLeft(7);
    main->Imagemain->setHeight(490);
    main->Imagemain->setWidth(620);
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
    if (!Dir1->setPathToDrive(Drive1->Drive())) {
        // The drive cannot be read: the lists keep their former folder, hidden behind the notice.
        Dir1->setVisible(false);
        File1->setVisible(false);
        for (QPushButton *b : {CmdClose, cmdStore1, CmdStore2, CmdStore3, CmdStore4})
            b->setEnabled(false);
        LabelAppear = false;
        setWindowTitle(kCaption);
        return;
    }
    File1->setPath(Dir1->Path());
    FormMain *main = Forms::FormMain;
    if (main)
        main->NCount = -1;
    if (File1->ListIndex() == -1 && main && main->SplashTime > 14) {
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
    setPattern(QStringLiteral("*.bmp"));
    FormMain *main = Forms::FormMain;
    if (main && main->SplashTime > 14 && File1->ListIndex() == -1)
        CmdClose->setEnabled(false);
}

void FormFiles::OptionGIF_Click()
{
    setPattern(QStringLiteral("*.gif"));
    FormMain *main = Forms::FormMain;
    if (main && main->SplashTime > 14 && File1->ListIndex() == -1)
        CmdClose->setEnabled(false);
}

void FormFiles::OptionJPG_Click()
{
    setPattern(QStringLiteral("*.jpg"));
    FormMain *main = Forms::FormMain;
    if (main && main->SplashTime > 14 && File1->ListIndex() == -1)
        CmdClose->setEnabled(false);
}
