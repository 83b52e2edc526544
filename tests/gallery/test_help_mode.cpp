// Help mode: "&Help" shows the title picture and the four help buttons with every picture control
// disabled, and ticks keep it so; help buttons 1 to 3 show their pages with the link area where
// each page draws its link; help button 4 shows the folder again (or the browser for a folder
// without pictures). The link opens "autolink.html" only while its area is enabled; while it is
// disabled a click goes through to what lies under it. And the help pictures shipped beside the
// program are what the window expects.
#include "AllForms.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "GalleryTest.h"
#include "PictureFolders.h"
#include "Picture.h"
#include "ProgramFolder.h"
#include "ShellOpen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

using namespace GalleryTest;

namespace {

const char *const kButtons[] = {"introclick.fig", "controlsclick.fig", "limitclick.fig", "exitHelp.fig"};
const char *const kPages[] = {"intro.fig", "controls.fig", "limitations.fig"};
const QSize kPageSizes[] = {{620, 490}, {600, 480}, {610, 470}};

// The main-window controls a user can press, by short name, when enabled.
QString enabledControls(FormMain *main)
{
    const std::pair<QWidget *, const char *> controls[] = {
        {main->CheckThumb, "Check"}, {main->CmdFiles, "Files"},   {main->CmdSize, "Size"},
        {main->CmdCopy, "Copy"},     {main->CmdPrint, "Print"},   {main->CmdHelp, "Help"},
        {main->CmdNoteShow, "Note"}, {main->CmdClose, "Close"},   {main->CmdHome, "H"},
        {main->CmdBackFour, "b4"},   {main->CmdBackOne, "b1"},    {main->CmdFwdOne, "f1"},
        {main->CmdFwdFour, "f4"},    {main->CmdEnd, "E"},         {main->Imagemain, "Image"},
        {main->ImageWeb, "Web"}};
    QStringList on;
    for (auto [c, name] : controls)
        if (c->isEnabled())
            on << name;
    return on.join(' ');
}

// Each place: its Top and the file of the picture it holds; "-" when hidden.
QString places(FormMain *main)
{
    QStringList out;
    for (int p = 1; p <= 4; ++p) {
        ImageBox *t = main->thumb(p);
        out << (t->Visible() ? QStringLiteral("%1 %2").arg(t->Top()).arg(QFileInfo(t->picture().path()).fileName())
                             : QStringLiteral("-"));
    }
    return out.join(", ");
}

QString shownFile(FormMain *main)
{
    return QFileInfo(main->Imagemain->picture().path()).fileName();
}

void ticks(FormMain *main, int n)
{
    for (int i = 0; i < n; ++i)
        main->Timer2_Timer();
}

const QString kHelpPlaces = QStringLiteral(
    "31 introclick.fig, 150 controlsclick.fig, 270 limitclick.fig, 389 exitHelp.fig");

} // namespace

class TestHelpMode : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_case.init();
        // Stand-ins for the help pictures, each page of its own size.
        for (const char *name : kButtons)
            QVERIFY(writePicture(ProgramFolder::file(name), {100, 100}));
        for (int i = 0; i < 3; ++i)
            QVERIFY(writePicture(ProgramFolder::file(kPages[i]), kPageSizes[i]));
    }
    void cleanup()
    {
        ShellOpen::setHook({});
        m_case.cleanup();
    }

    // From the splash period or a folder, thumbnails on or off, help holds through the ticks: only
    // "&Help" and "C&lose" of the row, the title picture, the help buttons at their own size, the
    // link area at Top 390. Pages 1, 2, 1, 3 move the link area (page 2 disables it). Help button 4
    // brings back the folder, or the browser for a folder without pictures.
    void helpModeHoldsThroughTicks_data()
    {
        QTest::addColumn<int>("pictures");
        QTest::addColumn<int>("ticksBefore");
        QTest::addColumn<bool>("thumbnails");
        QTest::addColumn<QString>("placesAfter");
        QTest::addColumn<QString>("enabledAfter"); // at the tick after leaving help
        const QString fourPlaces = "31 pic01.jpg, 150 pic02.jpg, 270 pic03.jpg, 389 pic04.jpg";
        const QString all = "Check Files Copy Print Help Note Close f1 f4 E Image";
        QTest::newRow("during the splash period") << 6 << 3 << true << fourPlaces << all;
        QTest::newRow("folder shown") << 6 << 14 << true << fourPlaces << all;
        // Without the column "Previous image" reaches the last picture from the first.
        QTest::newRow("folder shown, thumbnails off")
            << 6 << 14 << false << "-, -, -, -" << "Check Files Copy Print Help Note Close b1 f1 f4 E Image";
        QTest::newRow("folder without pictures") << 0 << 3 << false << "-, -, -, -" << "Close Image";
    }
    void helpModeHoldsThroughTicks()
    {
        QFETCH(int, pictures);
        QFETCH(int, ticksBefore);
        QFETCH(bool, thumbnails);
        QFETCH(QString, placesAfter);
        QFETCH(QString, enabledAfter);
        PictureFolder folder(PictureFolder::numbered(pictures, {700, 500}));
        FormMain *main = startAt(folder.path(), thumbnails);
        QVERIFY(main);
        ticks(main, ticksBefore);
        main->CmdHelp->click();
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(main->windowTitle(), QStringLiteral("Vistello - Help"));
            QCOMPARE(enabledControls(main), QStringLiteral("Help Close Web"));
            QCOMPARE(main->CheckThumb->value(), thumbnails ? 1 : 0);
            QCOMPARE(shownFile(main), QStringLiteral("splash.fig"));
            QCOMPARE(box(main->Imagemain), QRectF(7, 3, 620, 490));
            QCOMPARE(places(main), kHelpPlaces);
            QCOMPARE(box(main->ImageThumb3), QRectF(643, 270, 100, 100));
            QCOMPARE(main->ImageWeb->Top(), 390.0);
            ticks(main, 20);
        }
        const struct {
            int place;
            double webTop;
            const char *enabled;
        } pages[] = {{1, 450, "Help Close Web"}, {2, 450, "Help Close"}, {1, 450, "Help Close Web"},
                     {3, 340, "Help Close Web"}};
        for (const auto &page : pages) {
            main->thumb(page.place)->Click();
            ticks(main, 3);
            QCOMPARE(shownFile(main), QString::fromLatin1(kPages[page.place - 1]));
            QCOMPARE(box(main->Imagemain), QRectF(QPointF(7, 3), kPageSizes[page.place - 1]));
            QCOMPARE(main->ImageWeb->Top(), page.webTop);
            QCOMPARE(enabledControls(main), QString::fromLatin1(page.enabled));
        }
        main->ImageThumb4->Click();
        QVERIFY(!main->HelpActive);
        QCOMPARE(Forms::FormFiles->isVisible(), pictures == 0);
        if (pictures)
            QCOMPARE(shownFile(main), QStringLiteral("pic01.jpg"));
        QCOMPARE(places(main), placesAfter);
        main->Timer2_Timer();
        QCOMPARE(enabledControls(main), enabledAfter);
    }

    // A help picture that cannot be loaded is skipped: the place keeps the folder's picture, cut
    // off at its 100 x 100 place; a missing page leaves the title picture.
    void missingHelpPictures()
    {
        QVERIFY(QFile::remove(ProgramFolder::file("controlsclick.fig")));
        QVERIFY(QFile::remove(ProgramFolder::file("controls.fig")));
        PictureFolder folder(PictureFolder::numbered(6, {700, 500}));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        main->CmdHelp->click();
        main->ImageThumb2->Click();
        QCOMPARE(places(main).section(", ", 1, 1), QStringLiteral("150 pic02.jpg"));
        QCOMPARE(box(main->ImageThumb2), QRectF(643, 150, 100, 100));
        QCOMPARE(shownFile(main), QStringLiteral("splash.fig"));
    }

    // The link opens the page beside the program while its area is enabled (the splash period,
    // the title picture, pages 1 and 3); while it is disabled the click reaches the viewing area
    // under it, and nothing is opened. No page beside the program: nothing is opened either.
    void linkOnlyWhileEnabled()
    {
        QFile page(ProgramFolder::file("autolink.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        PictureFolder folder(PictureFolder::numbered(3));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        QSignalSpy viewClicks(main->Imagemain, &ImageBox::Click);
        const QString expected = QFileInfo(page.fileName()).absoluteFilePath();
        QStringList opened;
        ShellOpen::setHook([&opened](const QUrl &url) {
            opened << url.toLocalFile();
            return true;
        });
        const auto clickLink = [&](int top) {
            opened.clear();
            // As the window system delivers it: to whatever control lies there and takes the mouse.
            QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {}, QPoint(300, top + 20));
            return opened;
        };
        QCOMPARE(clickLink(390), QStringList{expected});
        ticks(main, 14);
        QCOMPARE(clickLink(390), QStringList());
        QCOMPARE(viewClicks.count(), 1);
        main->CmdHelp->click();
        QCOMPARE(clickLink(390), QStringList{expected});
        main->ImageThumb2->Click();
        QCOMPARE(clickLink(390), QStringList());
        main->ImageThumb3->Click();
        QCOMPARE(clickLink(340), QStringList{expected});
        QVERIFY(page.remove());
        QCOMPARE(clickLink(340), QStringList());
        QCOMPARE(viewClicks.count(), 1);
    }

    // What the build puts beside the program: pages that fit the viewing area, buttons that fit
    // their places, and the page.
    void shippedHelpPictures()
    {
        const QDir beside(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
        for (const char *name : kButtons)
            QCOMPARE(Picture::load(beside.filePath(name)).size(), QSize(100, 100));
        for (const char *name : kPages)
            QVERIFY2(QRect(0, 0, 620, 490).contains(QRect(QPoint(), Picture::load(beside.filePath(name)).size())), name);
        QVERIFY(QFileInfo(beside.filePath("autolink.html")).size() > 0);
    }

private:
    CaseFixture m_case;
};

GALLERY_TEST_MAIN(TestHelpMode)
#include "test_help_mode.moc"
