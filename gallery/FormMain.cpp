#include "FormMain.h"

#include "AllForms.h"
#include "Artwork.h"
#include "FileLists.h"
#include "FormFiles.h"
#include "FormBlowUp.h"
#include "FormInfo.h"
#include "FormMainShared.h"
#include "FormNote.h"
#include "FormRemote.h"
#include "FormSave.h"
#include "KeyPreview.h"
#include "LocalFiles.h"
#include "Messages.h"
#include "ProgramFolder.h"
#include "ScreenMetrics.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "WindowGeometry.h"

#include <QApplication>
#include <QFileInfo>
#include <cmath>

using namespace MainWindow;

namespace {

const QString kApp = QStringLiteral("Vistello");
const QString kSection = QStringLiteral("Startup");
// Folders are this platform's: the root of the system is the default folder.
const QString kRootFolder = QStringLiteral("/");

constexpr int kWindowWidth = 762;   // pixels, frame included
constexpr int kWindowHeight = 558;
constexpr int kCheckThumbWidthTwips = 1455;
constexpr int kCheckThumbHeightTwips = 255;


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
    const auto image = [&](const char *name, const QRectF &place, const QString &tip) {
        auto *box = new ImageBox(this);
        box->setObjectName(QLatin1String(name));
        box->Move(place.left(), place.top(), place.width(), place.height());
        box->setStretch(true);
        if (!tip.isEmpty())
            box->setToolTip(tip);
        return box;
    };
    Imagemain = image("Imagemain", kViewingArea, QStringLiteral("Right click for image data "));
    Imagemain->setCursor(viewCursor);
    ImageThumb1 = image("ImageThumb1", {643, 31, 100, 100}, QStringLiteral(" 1 "));
    ImageThumb2 = image("ImageThumb2", {643, 151, 100, 100}, QStringLiteral(" 2 "));
    ImageThumb3 = image("ImageThumb3", {643, 272, 100, 100}, QStringLiteral(" 3 "));
    ImageThumb4 = image("ImageThumb4", {643, 392, 100, 100}, QStringLiteral(" 4 "));
    for (ImageBox *t : {ImageThumb1, ImageThumb2, ImageThumb3, ImageThumb4}) {
        t->setCursor(viewCursor);
        // Each picture fitted into its place and centred, as the viewing area shows it.
        t->setKeepProportions(true);
    }

    CheckThumb = new CheckBox(QStringLiteral("&Thumbnails"), this);
    CheckThumb->setObjectName(QStringLiteral("CheckThumb"));
    CheckThumb->setToolTip(QStringLiteral("Turn off thumbnails for greater speed"));
    CheckThumb->setGeometry(643, 6, kCheckThumbWidthTwips / 15, kCheckThumbHeightTwips / 15);

    const auto button = [&](const char *name, const QString &caption, int l, int w, const QString &tip) {
        auto *b = new CommandButton(caption, this);
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
    ImageWeb = image("ImageWeb", {162, 390, 318, 40}, QStringLiteral(" Web Link "));
    ImageWeb->setCursor(Qt::PointingHandCursor);
    linkAreaFollowsEnabled();

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
    // The file is read once, whatever else it holds.
    const Settings::SectionValues stored = Settings::GetAllSettings(kApp, kSection);
    const auto get = [&stored](const QString &key, const QString &def) { return stored.value(key, def); };
    CheckThumbValue = get(QStringLiteral("CheckThumbValue"), QStringLiteral("1"));
    ListIntervalValue = get(QStringLiteral("ListIntervalValue"), QStringLiteral("5"));
    Dir1Value = get(QStringLiteral("Dir1Value"), kRootFolder);
    for (int slot = 1; slot <= 6; ++slot) {
        saveCaption(slot) = get(QStringLiteral("Save%1Caption").arg(slot), FormSave::defaultCaption(slot));
        saveDir(slot) = get(QStringLiteral("Save%1Dir").arg(slot), kRootFolder);
    }
    TextNoteFontName = get(QStringLiteral("TextNoteFontName"), QStringLiteral("Arial"));
    TextNoteFontSize = get(QStringLiteral("TextNoteFontSize"), QStringLiteral("12"));
    TextNoteFontItalic = get(QStringLiteral("TextNoteFontItalic"), QStringLiteral("False"));
    TextNoteFontBold = get(QStringLiteral("TextNoteFontBold"), QStringLiteral("True"));
    // A size that is no number and flags other than "True" or "False" give way to the defaults.
    if (!NoteFont::isSize(TextNoteFontSize))
        TextNoteFontSize = QStringLiteral("12");
    if (!NoteFont::isFlag(TextNoteFontItalic))
        TextNoteFontItalic = QStringLiteral("False");
    if (!NoteFont::isFlag(TextNoteFontBold))
        TextNoteFontBold = QStringLiteral("True");
}

bool FormMain::writeSettings(QString *error)
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
    return Settings::SaveSettings(kApp, kSection, values, error);
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
    const auto px = [ps](int t) { return WindowGeometry::toPixels(t, ps); };
    const QRect outer(px(leftTwips), px(topTwips), px(widthTwips), px(heightTwips));
    // The user cannot resize the window; the frame's share comes off once it is known.
    setFixedSize(outer.size());
    WindowGeometry::setOuter(this, outer);
}

void FormMain::layOutControls()
{
    coverViewingArea(Imagemain);
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
    const std::pair<CommandButton *, int> captioned[] = {{CmdFiles, 5},   {CmdSize, 83},     {CmdCopy, 161},
                                                       {CmdPrint, 238}, {CmdHelp, 316},    {CmdNoteShow, 394},
                                                       {CmdClose, 473}};
    for (auto [b, left] : captioned)
        b->setGeometry(left, 497, 77, 30);
    const std::pair<CommandButton *, int> pictured[] = {{CmdHome, 553},  {CmdBackFour, 585}, {CmdBackOne, 617},
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
    // An open note is written first; one that cannot be written keeps the program open unless
    // the user gives it up.
    if (FormNote *note = Forms::FormNote.loaded(); note && !note->closeWithProgram(this)) {
        cancel = 1;
        return;
    }
    Timer2->stop();
    // A second copy leaves the settings as it found them: the first copy's values stand. Settings
    // that cannot be written are lost with this run, and the user is told so.
    if (!m_secondCopy) {
        Dir1Value = Forms::FormFiles->Dir1->Path();
        QString why;
        if (!writeSettings(&why)) {
            const QString crlf = QStringLiteral("\r\n");
            Messages::critical(this, QStringLiteral("Vistello"),
                               QStringLiteral("The settings file:") + crlf
                                   + LocalFiles::displayName(Settings::filePath(kApp)) + crlf
                                   + QStringLiteral("cannot be written (%1).").arg(why) + crlf + crlf
                                   + QStringLiteral("The settings of this session are not kept."));
        }
    }
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

// The windows, reached through their accessors.
namespace Forms {
::FormMain *FormMain = nullptr;
FormOnReference<::FormFiles> FormFiles;
FormOnReference<::FormBlowUp> FormBlowUp;
FormOnReference<::FormRemote> FormRemote;
FormOnReference<::FormSave> FormSave;
FormOnReference<::FormInfo> FormInfo;
FormOnReference<::FormNote> FormNote;
} // namespace Forms
