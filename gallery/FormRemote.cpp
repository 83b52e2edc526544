#include "FormRemote.h"

#include "AllForms.h"
#include "Artwork.h"
#include "FileLists.h"
#include "FormBlowUp.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "FormMainShared.h"
#include "Fonts.h"
#include "PictureFit.h"
#include "ScreenMetrics.h"
#include "WindowGeometry.h"

#include <cmath>

namespace {
const QStringList kPeriods = {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "12",
                              "15", "20", "25", "30", "40", "50", "60", "80", "100", "120"};
const QString kDefaultPeriod = QStringLiteral("5");
const QString kSlideShow = QStringLiteral("Slide show");

// The position after the picture shown: after the last the first, and with no selection (the
// last picture current) the first too.
int positionAfter(const FileListBox *list)
{
    const int next = list->ListIndex() + 1;
    return next == list->ListCount() ? 0 : next;
}

// While the show runs, the picture after the one shown is decoded during the period at the size
// the enlarged view will draw it.
void prepareNextSlide()
{
    FormMain *main = Forms::FormMain;
    FormFiles *files = Forms::FormFiles.get();
    const int count = files->File1->ListCount();
    if (!main || count < 2)
        return;
    const Picture picture = Picture::load(files->filePath(positionAfter(files->File1)));
    if (picture.isNull())
        return;
    const QRectF box = FormBlowUp::pictureBox(QSizeF(picture.size()), main->iHorzRes, main->iVertRes);
    picture.prepare(PictureFit::drawnPixels(box.size(), Forms::FormBlowUp->devicePixelRatioF()));
}
} // namespace

FormRemote::FormRemote()
    : LoadableForm(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_twips(ScreenMetrics::twipsPerPixel())
{
    setObjectName(QStringLiteral("FormRemote"));
    const auto px = [this](int twips) { return WindowGeometry::toPixels(twips, m_twips); };
    const auto place = [&](QWidget *w, const char *name, int l, int t, int wd, int ht) {
        w->setObjectName(QLatin1String(name));
        w->setGeometry(px(l), px(t), px(wd), px(ht));
    };
    const auto pictureButton = [&](const char *name, Artwork::Remote kind, int l, int w) {
        auto *b = new QPushButton(this);
        place(b, name, l, 24, w, 360);
        b->setIcon(Artwork::remoteIcon(kind));
        return b;
    };
    CmdRemBack = pictureButton("CmdRemBack", Artwork::Remote::Back, 12, 360);
    CmdRemFwd = pictureButton("CmdRemFwd", Artwork::Remote::Fwd, 396, 360);
    CmdExpand = pictureButton("CmdExpand", Artwork::Remote::Expand, 780, 300);
    CmdExpand->setToolTip(kSlideShow);

    LabelSlide = new QLabel(QStringLiteral("Timed picture change (slide show)"), this);
    place(LabelSlide, "LabelSlide", 120, 525, 3735, 375);
    LabelSlide->setFont(Fonts::sansSerif(8.25, true));
    ListInterval = new QListWidget(this);
    place(ListInterval, "ListInterval", 360, 840, 735, 1035);
    LabelInterval = new QLabel(QStringLiteral(" < Display period (seconds). "), this);
    place(LabelInterval, "LabelInterval", 1200, 1275, 2175, 375);
    CmdSlide = new QPushButton(QStringLiteral("&Run slide show"), this);
    place(CmdSlide, "CmdSlide", 120, 2250, 1800, 360);
    CmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    place(CmdCancel, "CmdCancel", 2160, 2250, 1095, 375);

    connect(CmdRemBack, &QPushButton::clicked, this, &FormRemote::CmdRemBack_Click);
    connect(CmdRemFwd, &QPushButton::clicked, this, &FormRemote::CmdRemFwd_Click);
    connect(CmdExpand, &QPushButton::clicked, this, &FormRemote::CmdExpand_Click);
    connect(CmdSlide, &QPushButton::clicked, this, &FormRemote::CmdSlide_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FormRemote::CmdCancel_Click);
}

QString FormRemote::listText() const
{
    const QList<QListWidgetItem *> selected = ListInterval->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

bool FormRemote::setListText(const QString &text)
{
    const QList<QListWidgetItem *> found = ListInterval->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    ListInterval->setCurrentItem(found.first());
    return true;
}

void FormRemote::placeOuter(double leftTwips, double topTwips, int widthTwips, int heightTwips)
{
    const auto px = [this](double twips) { return WindowGeometry::toPixels(int(std::lround(twips)), m_twips); };
    m_heightTwips = heightTwips;
    setFixedSize(px(widthTwips), px(heightTwips));
    WindowGeometry::setOuter(this, QRect(px(leftTwips), px(topTwips), px(widthTwips), px(heightTwips)));
}

// Near the lower right corner of the screen. The screen in twips is a whole number of any size.
void FormRemote::compact()
{
    const FormMain *main = Forms::FormMain;
    const int ps = main->PixelScale;
    placeOuter(0.85 * (main->iHorzRes * ps), 0.85 * (main->iVertRes * ps), 1150, 720);
}

void FormRemote::expanded()
{
    const FormMain *main = Forms::FormMain;
    const int ps = main->PixelScale;
    placeOuter(0.65 * (main->iHorzRes * ps), 0.60 * (main->iVertRes * ps), 3460, 3015);
}

void FormRemote::Form_Load()
{
    compact();
    MainWindow::enableControls({CmdExpand, CmdRemBack, CmdRemFwd}, true);
    ListInterval->addItems(kPeriods);
    // A stored period that is none of the list's is taken as the usual five seconds.
    if (!setListText(Forms::FormMain->ListIntervalValue))
        setListText(kDefaultPeriod);
    if (Forms::FormMain->SlideOn)
        CmdCancel->setText(QStringLiteral("&Stop"));
}

void FormRemote::CmdExpand_Click()
{
    expanded();
    MainWindow::enableControls({CmdExpand, CmdRemBack, CmdRemFwd}, false);
}

void FormRemote::CmdSlide_Click()
{
    FormMain *main = Forms::FormMain;
    if (listText().isEmpty())
        setListText(kDefaultPeriod);
    main->SlideOn = true;
    CmdCancel->setText(QStringLiteral("&Stop"));
    main->ListIntervalValue = listText();
    main->Interval = int(std::lround(listText().toDouble() * 10));
    main->Tick = 0;
    MainWindow::enableControls({CmdExpand, CmdRemBack, CmdRemFwd}, true);
    compact();
    setWindowTitle(kSlideShow);
    prepareNextSlide();
}

void FormRemote::CmdCancel_Click()
{
    Forms::FormMain->SlideOn = false;
    CmdCancel->setText(QStringLiteral("&Cancel"));
    MainWindow::enableControls({CmdExpand, CmdRemBack, CmdRemFwd}, true);
    compact();
    setWindowTitle(QString());
}

// A manual step starts the period again.
void FormRemote::step(int position)
{
    FormMain *main = Forms::FormMain;
    main->Tick = 0;
    setCursor(Qt::WaitCursor);
    main->Imagemain->setStretch(true);
    main->NCount = position;
    main->DoSelectPicture();
    main->DoBlowUp();
    if (main->SlideOn)
        prepareNextSlide();
}

void FormRemote::CmdRemBack_Click()
{
    const FileListBox *list = Forms::FormFiles->File1;
    // The last picture current leaves the list without a selection: the picture before it. With
    // none chosen at all this gives -2, the last picture.
    const int shown = Forms::FormMain->lastPictureCurrent() ? list->ListCount() - 1 : list->ListIndex();
    const int before = shown - 1;
    step(before == -1 ? list->ListCount() - 1 : before);
}

void FormRemote::CmdRemFwd_Click()
{
    FormMain *main = Forms::FormMain;
    MainWindow::enableControls({main->CmdBackOne, main->CmdHome, CmdRemBack}, true);
    step(positionAfter(Forms::FormFiles->File1));
}

// One step of the slide show, from the timer.
void FormMain::DoSlide()
{
    setCursor(Qt::WaitCursor);
    Imagemain->setStretch(true);
    NCount = positionAfter(Forms::FormFiles->File1);
    CmdBackOne->setEnabled(true);
    CmdHome->setEnabled(true);
    DoSelectPicture();
    DoBlowUp();
    if (Tick >= Interval)
        Tick = 0;
    // The expanded remote control keeps its step buttons disabled.
    if (remoteHeightTwips() < 1000)
        MainWindow::enableControls({remoteBack()}, true);
    prepareNextSlide();
}
