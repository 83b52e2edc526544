#include "FormMain.h"

#include "AllForms.h"
#include "Artwork.h"
#include "FileLists.h"
#include "FormFiles.h"
#include "Keys.h"
#include "Messages.h"
#include "ProgramFolder.h"
#include "ScreenMetrics.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "SmallForms.h"
#include "WindowGeometry.h"

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <cmath>

namespace {

const QString kApp = QStringLiteral("Vistello");
const QString kSection = QStringLiteral("Startup");
// Folders are this platform's: the root of the system is the default folder.
const QString kRootFolder = QStringLiteral("/");

constexpr int kParked = 32000;
constexpr int kThumbLeft = 643;
const QString kActualSize = QStringLiteral("&Actual Size");
const QString kRestore = QStringLiteral("&Restore");
constexpr int kWindowWidth = 762;   // pixels, frame included
constexpr int kWindowHeight = 558;
constexpr int kCheckThumbWidthTwips = 1455;
constexpr int kCheckThumbHeightTwips = 255;

// The box a picture of the given true size is fitted into (fractional pixels).
QSizeF fittedSize(const QSize &size)
{
    const double w = size.width(), h = size.height();
    if (w > h && 620.0 * h / w <= 490)
        return {620, 620.0 * h / w};
    return {490.0 * w / h, 490};
}

// Starts decoding the picture on a worker thread at the size the viewing area would fit it to.
void prepareFitted(const Picture &picture)
{
    if (picture.isNull())
        return;
    const QSizeF box = fittedSize(picture.size());
    picture.prepare(QSize(int(std::ceil(box.width() - 1e-6)), int(std::ceil(box.height() - 1e-6))));
}

// Enables or disables the controls, in the order given; a control not there is passed over.
void enableControls(std::initializer_list<QWidget *> controls, bool enabled)
{
    for (QWidget *c : controls)
        if (c)
            c->setEnabled(enabled);
}

QString defaultCaption(int slot)
{
    return QStringLiteral("Retrieve Location &%1").arg(slot);
}

// A text read as a whole number the way the check box's value takes it: blanks around allowed,
// decimals rounded half to even; false when it is no number.
bool toWholeNumber(const QString &text, int &out)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > 1e9)
        return false;
    out = int(std::nearbyint(d));
    return true;
}

} // namespace

FormMain::FormMain()
    : LoadableForm(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                                | Qt::MSWindowsFixedSizeDialogHint)
    , m_instance(std::make_unique<SingleInstance>(QStringLiteral("Vistello")))
{
    Forms::FormMain = this;
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Vistello"));
    setWindowIcon(Artwork::windowIcon());

    const QCursor viewCursor = Artwork::viewCursor();
    const auto image = [&](const char *name, int l, int t, int w, int h, const QString &tip) {
        auto *box = new ImageBox(this);
        box->setObjectName(QLatin1String(name));
        box->Move(l, t, w, h);
        box->setStretch(true);
        if (!tip.isEmpty())
            box->setToolTip(tip);
        return box;
    };
    Imagemain = image("Imagemain", 7, 3, 620, 490, QStringLiteral("Right click for image data "));
    Imagemain->setCursor(viewCursor);
    ImageThumb1 = image("ImageThumb1", 643, 31, 100, 100, QStringLiteral(" 1 "));
    ImageThumb2 = image("ImageThumb2", 643, 151, 100, 100, QStringLiteral(" 2 "));
    ImageThumb3 = image("ImageThumb3", 643, 272, 100, 100, QStringLiteral(" 3 "));
    ImageThumb4 = image("ImageThumb4", 643, 392, 100, 100, QStringLiteral(" 4 "));
    for (ImageBox *t : {ImageThumb1, ImageThumb2, ImageThumb3, ImageThumb4})
        t->setCursor(viewCursor);

    CheckThumb = new CheckBox(QStringLiteral("&Thumbnails"), this);
    CheckThumb->setObjectName(QStringLiteral("CheckThumb"));
    CheckThumb->setToolTip(QStringLiteral("Turn off thumbnails for greater speed"));
    CheckThumb->setGeometry(643, 6, kCheckThumbWidthTwips / 15, kCheckThumbHeightTwips / 15);

    const auto button = [&](const char *name, const QString &caption, int l, int w, const QString &tip) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(l, 497, w, 30);
        b->setFocusPolicy(Qt::TabFocus);
        if (!tip.isEmpty())
            b->setToolTip(tip);
        return b;
    };
    CmdFiles = button("CmdFiles", QStringLiteral("&Find Files"), 5, 77, QStringLiteral("Locate folders containing image files"));
    CmdSize = button("CmdSize", QStringLiteral("&Actual Size"), 83, 77, {});
    CmdCopy = button("CmdCopy", QStringLiteral("&Copy"), 161, 77, QStringLiteral("Copy image to clipboard"));
    CmdPrint = button("CmdPrint", QStringLiteral("&Print"), 238, 77, QStringLiteral("Launch Print dialogue"));
    CmdHelp = button("CmdHelp", QStringLiteral("&Help"), 316, 77, {});
    CmdNoteShow = button("CmdNoteShow", QStringLiteral("&Note"), 394, 77, {});
    CmdClose = button("CmdClose", QStringLiteral("C&lose"), 473, 77, {});
    CmdHome = button("CmdHome", {}, 553, 31, QStringLiteral("First images"));
    CmdBackFour = button("CmdBackFour", {}, 585, 31, QStringLiteral("Previous four images"));
    CmdBackOne = button("CmdBackOne", {}, 617, 31, QStringLiteral("Previous image"));
    CmdFwdOne = button("CmdFwdOne", {}, 649, 31, QStringLiteral("Next image"));
    CmdFwdFour = button("CmdFwdFour", {}, 681, 31, QStringLiteral("Next four images"));
    CmdEnd = button("CmdEnd", {}, 713, 31, QStringLiteral("Last images"));
    CmdHome->setIcon(Artwork::arrowIcon(Artwork::Arrow::Home));
    CmdBackFour->setIcon(Artwork::arrowIcon(Artwork::Arrow::BackFour));
    CmdBackOne->setIcon(Artwork::arrowIcon(Artwork::Arrow::BackOne));
    CmdFwdOne->setIcon(Artwork::arrowIcon(Artwork::Arrow::FwdOne));
    CmdFwdFour->setIcon(Artwork::arrowIcon(Artwork::Arrow::FwdFour));
    CmdEnd->setIcon(Artwork::arrowIcon(Artwork::Arrow::End));

    // The link area lies over the viewing area, so it is made after it.
    ImageWeb = image("ImageWeb", 162, 390, 318, 40, QStringLiteral(" Web Link "));
    ImageWeb->setCursor(Qt::PointingHandCursor);

    // The true-size box: never visible, its size is the pixel size of the current picture.
    PictureScale = new PictureBox(this);
    PictureScale->setObjectName(QStringLiteral("PictureScale"));
    PictureScale->Move(kParked, 0, 1, 1);
    PictureScale->setVisible(false);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(100);
    connect(Timer2, &QTimer::timeout, this, &FormMain::Timer2_Timer);
    CommonDialog1 = new CommonDialog(QStringLiteral("CommonDialog1"), this);
    CommonDialog2 = new CommonDialog(QStringLiteral("CommonDialog2"), this);

    connect(CmdFiles, &QPushButton::clicked, this, &FormMain::CmdFiles_Click);
    connect(CmdSize, &QPushButton::clicked, this, &FormMain::CmdSize_Click);
    connect(CmdCopy, &QPushButton::clicked, this, &FormMain::CmdCopy_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &FormMain::CmdPrint_Click);
    connect(CmdHelp, &QPushButton::clicked, this, &FormMain::CmdHelp_Click);
    connect(CmdNoteShow, &QPushButton::clicked, this, &FormMain::CmdNoteShow_Click);
    connect(CmdClose, &QPushButton::clicked, this, &FormMain::CmdClose_Click);
    connect(CmdHome, &QPushButton::clicked, this, &FormMain::CmdHome_Click);
    connect(CmdBackFour, &QPushButton::clicked, this, &FormMain::CmdBackFour_Click);
    connect(CmdBackOne, &QPushButton::clicked, this, &FormMain::CmdBackOne_Click);
    connect(CmdFwdOne, &QPushButton::clicked, this, &FormMain::CmdFwdOne_Click);
    connect(CmdFwdFour, &QPushButton::clicked, this, &FormMain::CmdFwdFour_Click);
    connect(CmdEnd, &QPushButton::clicked, this, &FormMain::CmdEnd_Click);
    connect(CheckThumb, &CheckBox::Click, this, &FormMain::CheckThumb_Click);
    connect(ImageThumb1, &ImageBox::Click, this, &FormMain::ImageThumb1_Click);
    connect(ImageThumb2, &ImageBox::Click, this, &FormMain::ImageThumb2_Click);
    connect(ImageThumb3, &ImageBox::Click, this, &FormMain::ImageThumb3_Click);
    connect(ImageThumb4, &ImageBox::Click, this, &FormMain::ImageThumb4_Click);
    connect(ImageThumb1, &ImageBox::DblClick, this, &FormMain::ImageThumb1_DblClick);
    connect(Imagemain, &ImageBox::Click, this, &FormMain::Imagemain_Click);
    connect(Imagemain, &ImageBox::DblClick, this, &FormMain::Imagemain_DblClick);
    connect(Imagemain, &ImageBox::MouseDown, this, &FormMain::Imagemain_MouseDown);
    connect(ImageWeb, &ImageBox::Click, this, &FormMain::ImageWeb_Click);

    Keys::installKeyPreview(this, [this](int key, int shift) { Form_KeyDown(key, shift); });
}

FormMain::~FormMain()
{
    if (Forms::FormMain == this)
        Forms::FormMain = nullptr;
}

ImageBox *FormMain::thumb(int n) const
{
    ImageBox *const t[] = {ImageThumb1, ImageThumb2, ImageThumb3, ImageThumb4};
    return n >= 1 && n <= 4 ? t[n - 1] : nullptr;
}

void FormMain::parkThumbnails()
{
    for (int n = 1; n <= 4; ++n)
        thumb(n)->setLeft(kParked);
}

QString &FormMain::saveDir(int slot)
{
    QString *const d[] = {&Save1Dir, &Save2Dir, &Save3Dir, &Save4Dir, &Save5Dir, &Save6Dir};
    return *d[qBound(1, slot, 6) - 1];
}

QString &FormMain::saveCaption(int slot)
{
    QString *const c[] = {&Save1Caption, &Save2Caption, &Save3Caption, &Save4Caption, &Save5Caption, &Save6Caption};
    return *c[qBound(1, slot, 6) - 1];
}

void FormMain::readSettings()
{
    const auto get = [](const char *key, const QString &def) {
        return Settings::GetSetting(kApp, kSection, QLatin1String(key), def);
    };
    CheckThumbValue = get("CheckThumbValue", QStringLiteral("1"));
    ListIntervalValue = get("ListIntervalValue", QStringLiteral("5"));
    Dir1Value = get("Dir1Value", kRootFolder);
    for (int slot = 1; slot <= 6; ++slot) {
        saveCaption(slot) = Settings::GetSetting(kApp, kSection, QStringLiteral("Save%1Caption").arg(slot),
                                                 defaultCaption(slot));
        saveDir(slot) = Settings::GetSetting(kApp, kSection, QStringLiteral("Save%1Dir").arg(slot), kRootFolder);
    }
    TextNoteFontName = get("TextNoteFontName", QStringLiteral("Arial"));
    TextNoteFontSize = get("TextNoteFontSize", QStringLiteral("12"));
    TextNoteFontItalic = get("TextNoteFontItalic", QStringLiteral("False"));
    TextNoteFontBold = get("TextNoteFontBold", QStringLiteral("True"));
}

void FormMain::writeSettings()
{
    // All 19 in their write order, in one replacement of the file.
    QList<std::pair<QString, QString>> values;
    const auto put = [&values](const QString &key, const QString &value) { values.append({key, value}); };
    put(QStringLiteral("CheckThumbValue"), CheckThumbValue);
    put(QStringLiteral("Dir1value"), Dir1Value);
    for (int slot = 1; slot <= 6; ++slot) {
        put(QStringLiteral("Save%1Dir").arg(slot), saveDir(slot));
        put(QStringLiteral("Save%1Caption").arg(slot), saveCaption(slot));
    }
    put(QStringLiteral("ListIntervalValue"), ListIntervalValue);
    put(QStringLiteral("TextNoteFontName"), TextNoteFontName);
    put(QStringLiteral("TextNoteFontSize"), TextNoteFontSize);
    put(QStringLiteral("TextNoteFontItalic"), TextNoteFontItalic);
    put(QStringLiteral("TextNoteFontBold"), TextNoteFontBold);
    Settings::SaveSettings(kApp, kSection, values);
}

// Window size and place in twips, as the screen gives them: 762 x 558 pixels, centred, or 4
// pixels below the top on a screen exactly 800 pixels wide.
void FormMain::placeWindow()
{
    const int ps = twips();
    const int heightTwips = ps * kWindowHeight;
    const int widthTwips = ps * kWindowWidth;
    int topTwips;
    if (iHorzRes == 800)
        topTwips = ps * 4;
    else
        topTwips = (iVertRes * ps - heightTwips) / 2;
    const int leftTwips = (iHorzRes * ps - widthTwips) / 2;
    m_outer = QRect(WindowGeometry::toPixels(leftTwips, ps), WindowGeometry::toPixels(topTwips, ps),
                    WindowGeometry::toPixels(widthTwips, ps), WindowGeometry::toPixels(heightTwips, ps));
    applyOuterGeometry();
}

// The frame is known only once the window exists; the outer size stays what start-up gave it.
void FormMain::applyOuterGeometry()
{
    if (m_outer.isNull())
        return;
    winId();
    WindowGeometry::setOuterSize(this, m_outer.width(), m_outer.height());
    setFixedSize(size());
    WindowGeometry::setOuterPos(this, m_outer.left(), m_outer.top());
}

void FormMain::showEvent(QShowEvent *event)
{
    LoadableForm::showEvent(event);
    if (!m_outer.isNull() && frameGeometry() != m_outer)
        applyOuterGeometry();
}

void FormMain::layOutControls()
{
    Imagemain->setHeight(490);
    Imagemain->setWidth(620);
    // The check box keeps its design size in twips where it fits beside the viewing area.
    const int ps = twips();
    CheckThumb->setGeometry(643, 6, qMin(WindowGeometry::toPixels(kCheckThumbWidthTwips, ps), 100),
                            qMin(WindowGeometry::toPixels(kCheckThumbHeightTwips, ps), 24));
    const int thumbTops[] = {31, 151, 272, 392};
    for (int n = 1; n <= 4; ++n) {
        thumb(n)->setHeight(100);
        thumb(n)->setWidth(100);
    }
    for (int n = 1; n <= 4; ++n)
        thumb(n)->setTop(thumbTops[n - 1]);
    for (int n = 1; n <= 4; ++n)
        thumb(n)->setLeft(643);
    const std::pair<QPushButton *, int> captioned[] = {{CmdFiles, 5},   {CmdSize, 83},     {CmdCopy, 161},
                                                       {CmdPrint, 238}, {CmdHelp, 316},    {CmdNoteShow, 394},
                                                       {CmdClose, 473}};
    for (auto [b, left] : captioned)
        b->setGeometry(left, 497, 77, 30);
    const std::pair<QPushButton *, int> pictured[] = {{CmdHome, 553},  {CmdBackFour, 585}, {CmdBackOne, 617},
                                                      {CmdFwdOne, 649}, {CmdFwdFour, 681},  {CmdEnd, 713}};
    for (auto [b, left] : pictured)
        b->setGeometry(left, 497, 31, 30);
    ImageWeb->Move(162, 390, 318, 40);
}

// Start-up, in a fixed order that the rest of the program relies on: the browser points at the
// saved folder with every picture type and NCount -1 before the first picture is chosen, and the
// splash period counts from the very end.
void FormMain::Form_Load()
{
    // The settings.
    readSettings();
    // Retrieve captions; the first reference loads the folder browser, hidden.
    for (int slot = 1; slot <= 6; ++slot)
        Forms::FormFiles->retrieveButton(slot)->setText(saveCaption(slot));
    // No click on the picture during the splash period.
    Imagemain->setEnabled(false);
    // Screen metrics.
    iHorzRes = ScreenMetrics::width();
    iVertRes = ScreenMetrics::height();
    iLogX = ScreenMetrics::logicalDpiX();
    // From here on a statement that fails is skipped: it leaves its control as it was.
    // The folder browser at the saved folder; a folder that no longer exists is ignored.
    FormFiles *files = Forms::FormFiles.get();
    files->Dir1->setPath(Dir1Value);
    files->Drive1->setDrive(files->Dir1->Path());
    PixelScale = ScreenMetrics::twipsPerPixel(iLogX);
    // The folder browser stays loaded, hidden (its window made, never flashed on the screen);
    // it is shown later at the size its callers give it.
    files->winId();
    files->hide();
    // All picture types.
    files->OptionAll->setValue(true);
    NCount = -1;
    placeWindow();
    layOutControls();
    // Ticking the box runs its click handling.
    int thumbValue = 0;
    if (toWholeNumber(CheckThumbValue, thumbValue))
        CheckThumb->setValue(thumbValue);
    // Park the true-size box.
    PictureScale->setTop(0);
    PictureScale->setWidth(1);
    PictureScale->setLeft(kParked);
    // Navigation waits for a folder to be shown.
    enableControls({CmdFwdOne, CmdEnd, CmdFwdFour, CmdBackOne, CmdHome, CmdBackFour, CmdSize}, false);
    StopThumb = false;
    SlideOn = false;
    Tick = 0;
    // Only the width is tested.
    if (iHorzRes < 800) {
        const QString crlf = QStringLiteral("\r\n");
        Messages::critical(this, QStringLiteral("Display Resolution"),
                           QStringLiteral("Vistello requires a display resolution") + crlf
                               + QStringLiteral("of 800 x 600 pixels or higher. Your current") + crlf
                               + QStringLiteral("display setting is %1 x %2 pixels.").arg(iHorzRes).arg(iVertRes)
                               + crlf + crlf + QStringLiteral("Please consider increasing the display") + crlf
                               + QStringLiteral("resolution using the Windows Display") + crlf
                               + QStringLiteral("Dialogue (Control Panel)."));
    }
    // A missing splash picture leaves the viewing area empty.
    Imagemain->loadPicture(ProgramFolder::file(QStringLiteral("splash.fig")));
    // The splash period is counted from here.
    SplashTime = 1;
    HelpActive = false;
    if (CheckThumb->value() == 0)
        for (int n = 1; n <= 4; ++n)
            thumb(n)->setVisible(false);
    // Another copy runs: this one ends at once, without a message.
    if (m_instance->anotherIsRunning()) {
        m_secondCopy = true;
        Forms::FormFiles.unload();
        Forms::FormNote.unload();
        unloadForm();
    }
}

void FormMain::Form_Unload(int &cancel)
{
    Q_UNUSED(cancel);
    Timer2->stop();
    // A second copy leaves the settings as it found them: the first copy's values stand.
    if (!m_secondCopy) {
        Dir1Value = Forms::FormFiles->Dir1->Path();
        writeSettings();
    }
    // An open note is not saved here.
    Forms::FormNote.unload();
    Forms::FormSave.unload();
    Forms::FormFiles.unload();
    Forms::FormRemote.unload();
    Forms::FormInfo.unload();
    Forms::FormBlowUp.unload();
}

void FormMain::CmdClose_Click()
{
    unloadForm();
}

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
    }
}

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

void FormMain::DoSlide() {}
void FormMain::DoHelp() {}
void FormMain::DoInfo() {}
void FormMain::DoNoteView() {}
void FormMain::DoNote() {}
void FormMain::DoBlowUp() {}

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
    setCursor(Qt::ArrowCursor);
}

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
    ImageThumb1->setPicture(Imagemain->picture());
    // Filled out of sight, shown together.
    for (int p = 2; p <= 4; ++p)
        thumb(p)->setVisible(false);
    const int L = list->ListCount();
    if (L < 5)
        enableControls({CmdFwdOne, CmdEnd, CmdFwdFour, CmdBackOne, CmdHome, CmdBackFour}, false);
    // A file that is not a picture leaves its place's picture as it was. The neighbours are
    // decoded ahead at the size they would be shown at, which serves their thumbnails too.
    const auto load = [files](ImageBox *place) {
        const Picture picture = Picture::load(files->selectedFilePath());
        if (picture.isNull())
            return;
        prepareFitted(picture);
        place->setPicture(picture);
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
    for (int p = 2; p <= 4; ++p)
        thumb(p)->setVisible(true);
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
    // Two independent loads of the file (the pixels come from one decode, made when drawn). With
    // no selection there is no file: both boxes keep their pictures, as a failed load does.
    if (list->ListIndex() >= 0) {
        Imagemain->loadPicture(files->selectedFilePath());
        PictureScale->loadPicture(files->selectedFilePath());
    }
    ListIndexStore = list->ListIndex();
    if (list->ListIndex() == list->ListCount() - 1 && list->ListCount() > 4)
        enableControls({CmdBackOne, CmdHome}, true);
    if (list->ListIndex() == list->ListCount() - 1 && list->ListCount() > 9)
        CmdBackFour->setEnabled(true);
    if (PictureScale->Width() > 1)
        DoScale();
    prepareNextPicture();
    DoTimer();
}

QWidget *FormMain::remoteBack()
{
    return Forms::FormRemote->findChild<QWidget *>(QStringLiteral("CmdRemBack"));
}

QWidget *FormMain::remoteFwd()
{
    return Forms::FormRemote->findChild<QWidget *>(QStringLiteral("CmdRemFwd"));
}

int FormMain::remoteHeightTwips()
{
    return WindowGeometry::toTwips(WindowGeometry::outer(Forms::FormRemote.get()).height(), twips());
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

QString FormMain::zoomCaption() const
{
    return QStringLiteral("Vistello  -  ") + Forms::FormFiles->File1->FileName() + QStringLiteral("     Zoom: ")
           + QString::number(qint64(ZoomValue)) + QStringLiteral("%");
}

QString FormMain::hundredCaption() const
{
    return QStringLiteral("Vistello  -  ") + Forms::FormFiles->File1->FileName() + QStringLiteral("     Zoom: 100%");
}

// The viewing area is hidden while its box changes, so that only the final box is drawn. A
// picture is fitted with its proportions kept: by its width, or by its height when it is taller
// than the area's 620:490; one smaller than the area is offered at actual size.
void FormMain::fitViewingArea()
{
    Imagemain->setVisible(false);
    Imagemain->setHeight(490);
    Imagemain->setWidth(620);
    Imagemain->setLeft(7);
    Imagemain->setTop(3);
    const double W = PictureScale->Width();
    const double H = PictureScale->Height();
    if (PictureScale->picture().isNull() || W < 1 || H < 1) {
        // Nothing to fit and no zoom to give.
        setWindowTitle(QStringLiteral("Vistello"));
        if (CmdSize->text() != kRestore)
            CmdSize->setEnabled(false);
        return;
    }
    // Box arithmetic in single precision, as the ratio is held.
    if (W <= H) {
        Ratio = float(W) / float(H);
        Imagemain->setWidth(float(Imagemain->Height()) * Ratio);
        Imagemain->setLeft(310.0f - float(Imagemain->Width()) / 2 + 7);
        ZoomValue = float(std::floor(490 / H * 100 + 0.5));
    } else {
        Ratio = float(H) / float(W);
        Imagemain->setHeight(float(Imagemain->Width()) * Ratio);
        Imagemain->setTop(245.0f - float(Imagemain->Height()) / 2 + 3);
        ZoomValue = float(std::floor(620 / W * 100 + 0.5));
    }
    setWindowTitle(zoomCaption());
    if (Imagemain->Height() > 490 || Imagemain->Width() > 620) {
        // Too tall when fitted by its width: fitted by its height.
        Imagemain->setTop(3);
        Imagemain->setHeight(490);
        Imagemain->setWidth(490 * W / H);
        Imagemain->setLeft(310 - Imagemain->Width() / 2 + 7);
        ZoomValue = float(std::floor(490 / H * 100 + 0.5));
        setWindowTitle(zoomCaption());
    }
    const bool small = H < 490 && W < 620 && W > 1;
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
        Imagemain->setTop(245 - Imagemain->Height() / 2 + 3);
        Imagemain->setLeft(310 - Imagemain->Width() / 2 + 7);
        setWindowTitle(hundredCaption());
    }
    if (H > 490 || W > 620) {
        Imagemain->setStretch(true);
        CmdSize->setEnabled(false);
        setWindowTitle(zoomCaption());
    }
}

void FormMain::DoScale()
{
    fitViewingArea();
    Imagemain->setVisible(true);
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
    if (PictureScale->picture().isNull() || (PictureScale->Width() == 2 && PictureScale->Height() == 2))
        setWindowTitle(QStringLiteral("Vistello"));
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
        Imagemain->setTop(245 - Imagemain->Height() / 2 + 3);
        Imagemain->setLeft(310 - Imagemain->Width() / 2 + 7);
        setWindowTitle(hundredCaption());
    } else {
        fittedViewAgain();
    }
}

void FormMain::fittedViewAgain()
{
    Imagemain->setStretch(true);
    CmdSize->setText(kActualSize);
    CmdSize->setEnabled(true);
    StopThumb = true;
    DoScale();
}

void FormMain::Form_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(KeyCode);
    Q_UNUSED(Shift);
}
void FormMain::Form_Click() {}
void FormMain::Form_DblClick() {}
void FormMain::CmdSize_Click()
{
    DoActual();
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
void FormMain::CmdCopy_Click() {}
void FormMain::CmdPrint_Click() {}
void FormMain::CmdHelp_Click() {}
void FormMain::CmdNoteShow_Click() {}
void FormMain::browserBesideMain()
{
    FormFiles *files = Forms::FormFiles.get();
    files->raise();
    const QRect main = WindowGeometry::outer(this);
    const int ps = twips();
    WindowGeometry::setOuterPos(files, WindowGeometry::toPixels(WindowGeometry::toTwips(main.left(), ps) + 400, ps),
                                WindowGeometry::toPixels(WindowGeometry::toTwips(main.top(), ps) + 300, ps));
}

bool FormMain::lastPictureCurrent()
{
    FormFiles *files = Forms::FormFiles.get();
    const int n = files->File1->ListCount();
    if (NCount != -1 || n < 3 || ImageThumb1->picture().isNull())
        return false;
    return ImageThumb1->picture().path() == QFileInfo(files->filePath(n - 1)).absoluteFilePath();
}

void FormMain::stepStart()
{
    FormFiles *files = Forms::FormFiles.get();
    if (files->isVisible())
        browserBesideMain();
    for (int p = 2; p <= 4; ++p)
        thumb(p)->setVisible(false);
    // An open note closes without being saved.
    Forms::FormNote.unload();
    Forms::FormInfo.unload();
    files->hide();
    setCursor(Qt::WaitCursor);
    Imagemain->setStretch(true);
}

void FormMain::lastPictureStep()
{
    FileListBox *list = Forms::FormFiles->File1;
    if (ImageThumb2->Left() == kParked && ImageThumb3->Left() == kParked && ImageThumb4->Left() == kParked
        && ImageThumb1->Left() < kParked && list->ListCount() > 4) {
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
    NCount = Forms::FormFiles->File1->ListCount() - 4;
    DoSelectPicture();
}

// From the last picture (the last-picture state) this first shows the picture before it, as
// "Previous image" and the Page Down key do; four back from there.
void FormMain::CmdBackFour_Click()
{
    lastPictureStep();
    stepStart();
    NCount = NCount - 4;
    // Below -1: the last picture (DoSelectPicture).
    DoSelectPicture();
}

void FormMain::CmdBackOne_Click()
{
    lastPictureStep();
    stepStart();
    NCount = NCount - 1;
    if (NCount == -1)
        NCount = Forms::FormFiles->File1->ListCount() - 1;
    Forms::FormInfo.unload();
    DoSelectPicture();
}

void FormMain::CmdFwdOne_Click()
{
    stepStart();
    NCount = NCount + 1;
    if (NCount == Forms::FormFiles->File1->ListCount())
        NCount = 0;
    enableControls({CmdBackOne, CmdHome}, true);
    DoSelectPicture();
}

void FormMain::CmdFwdFour_Click()
{
    stepStart();
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
// file again; NCount and the column stay as they are.
void FormMain::showThumb(int place)
{
    ImageBox *t = thumb(place);
    Imagemain->setEnabled(true);
    Imagemain->setStretch(true);
    Imagemain->setPicture(t->picture());
    PictureScale->setPicture(t->picture());
    FileListBox *list = Forms::FormFiles->File1;
    list->setListIndex(thumbPosition(place));
    ListIndexStore = list->ListIndex();
    if (PictureScale->Width() > 1)
        DoThumbScale();
}

void FormMain::thumbClick(int place)
{
    thumbClickWindows(place);
    if (!HelpActive)
        showThumb(place);
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

void FormMain::Imagemain_Click() {}
void FormMain::Imagemain_DblClick() {}
void FormMain::Imagemain_MouseDown(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
}
void FormMain::ImageWeb_Click() {}
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
    if (SlideOn)
        Forms::FormRemote->setWindowTitle(Tick % 10 < 5 ? QStringLiteral("Slide show") : QString());
    if (SplashTime > 15 && !HelpActive)
        ImageWeb->setEnabled(false);
    const bool blowUpVisible = Forms::FormBlowUp->isVisible();
    if (blowUpVisible && SlideOn && Tick == Interval)
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
    if (!HelpActive && !Imagemain->Stretch()) {
        CmdSize->setText(kRestore);
        CmdNoteShow->setEnabled(false);
    }
    m_inTick = false;
}
