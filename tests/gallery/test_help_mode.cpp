// Help mode: "&Help" shows the title picture and the four help buttons with every picture control
// disabled, and ticks keep it so; help buttons 1 to 3 show their pages with the link area where
// each page draws its link; help button 4 shows the folder again (or the browser for a folder
// without pictures). The link opens "autolink.html" only while its area is enabled; while it is
// disabled a click goes through to what lies under it. And the help pictures shipped beside the
// program are what the window expects.
#include "AllForms.h"
#include "FileLists.h"
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

// A left click at a point of the main window, delivered as the window system delivers it (to
// whatever control lies there and takes the mouse).
void clickAt(FormMain *main, QPoint at)
{
    QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {}, at);
}

const QString kHelpPlaces = QStringLiteral(
    "31 introclick.fig, 150 controlsclick.fig, 270 limitclick.fig, 389 exitHelp.fig");

} // namespace

class TestHelpMode : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        startFresh();
        m_program = std::make_unique<ProgramFolderFixture>();
        // Stand-ins for the help pictures, each page of its own size.
        for (const char *name : kButtons)
            QVERIFY(writePicture(QDir(m_program->path()).filePath(name), {100, 100}));
        for (int i = 0; i < 3; ++i)
            QVERIFY(writePicture(QDir(m_program->path()).filePath(kPages[i]), kPageSizes[i]));
        ShellOpen::setHook([this](const QUrl &url) {
            m_opened << url.toLocalFile();
            return true;
        });
    }
    void cleanup()
    {
        ShellOpen::setHook({});
        m_opened.clear();
        if (Forms::FormMain)
            close(Forms::FormMain);
        m_program.reset();
    }

    // From the splash period or a folder, thumbnails on or off, help holds its state through the
    // ticks: only "&Help" and "C&lose" of the row, the title picture, the four help buttons at their
    // own size and the link area at Top 390. Pages 1, 2, 1, 3 move the link area (page 2 disables
    // it); help button 4 brings back the folder, and the link area goes inert at the next tick.
    void helpModeHoldsThroughTicks_data()
    {
        QTest::addColumn<bool>("splashOver");
        QTest::addColumn<bool>("thumbnails");
        QTest::newRow("during the splash period") << false << true;
        QTest::newRow("folder shown") << true << true;
        QTest::newRow("folder shown, thumbnails off") << true << false;
    }
    void helpModeHoldsThroughTicks()
    {
        QFETCH(bool, splashOver);
        QFETCH(bool, thumbnails);
        PictureFolder folder(PictureFolder::numbered(6, {700, 500}));
        FormMain *main = startAt(folder.path(), thumbnails);
        QVERIFY(main);
        ticks(main, splashOver ? 14 : 3);
        main->CmdHelp->click();
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(main->windowTitle(), QStringLiteral("Vistello - Help"));
            QCOMPARE(enabledControls(main), QStringLiteral("Help Close Web"));
            QCOMPARE(main->CheckThumb->value(), thumbnails ? 1 : 0);
            QCOMPARE(shownFile(main), QStringLiteral("splash.fig"));
            QCOMPARE(box(main->Imagemain), QRectF(7, 3, 620, 490));
            QCOMPARE(places(main), kHelpPlaces);
            QCOMPARE(box(main->ImageThumb3), QRectF(643, 270, 100, 100));
            QVERIFY(!main->ImageThumb3->Stretch());
            QCOMPARE(main->ImageWeb->Top(), 390.0);
            ticks(main, 20);
        }
        QVERIFY(main->SplashTime > 30);
        const struct {
            int place;
            double webTop;
            bool webEnabled;
        } pages[] = {{1, 450, true}, {2, 450, false}, {1, 450, true}, {3, 340, true}};
        for (const auto &page : pages) {
            main->thumb(page.place)->Click();
            ticks(main, 3);
            QCOMPARE(shownFile(main), QString::fromLatin1(kPages[page.place - 1]));
            QCOMPARE(box(main->Imagemain), QRectF(QPointF(7, 3), kPageSizes[page.place - 1]));
            QCOMPARE(main->ImageWeb->Top(), page.webTop);
            QCOMPARE(enabledControls(main),
                     page.webEnabled ? QStringLiteral("Help Close Web") : QStringLiteral("Help Close"));
            QCOMPARE(places(main), kHelpPlaces);
        }
        main->ImageThumb4->Click();
        QVERIFY(!main->HelpActive);
        QCOMPARE(shownFile(main), QStringLiteral("pic01.jpg"));
        QVERIFY(main->Imagemain->Stretch() && main->ImageThumb1->Stretch());
        QCOMPARE(places(main), thumbnails ? QStringLiteral("31 pic01.jpg, 150 pic02.jpg, 270 pic03.jpg, 389 pic04.jpg")
                                          : QStringLiteral("-, -, -, -"));
        main->Timer2_Timer();
        QCOMPARE(enabledControls(main), QStringLiteral("Check Files Copy Print Help Note Close f1 f4 E Image"));
        QVERIFY(main->windowTitle().startsWith(QStringLiteral("Vistello  -  pic01.jpg")));
    }

    // Leaving help with a folder without pictures opens the folder browser; help is off.
    void leavingHelpWithAnEmptyFolder()
    {
        PictureFolder empty;
        FormMain *main = startAt(empty.path());
        QVERIFY(main);
        main->CmdHelp->click();
        QVERIFY(!Forms::FormFiles->isVisible());
        main->ImageThumb4->Click();
        QVERIFY(!main->HelpActive);
        QVERIFY(Forms::FormFiles->isVisible());
        QVERIFY(main->Imagemain->isEnabled());
        main->Timer2_Timer();
        QVERIFY(!main->ImageWeb->isEnabled());
        QCOMPARE(main->SplashTime, 31);
    }

    // A help picture that cannot be loaded is skipped: the place keeps the folder's picture, cut
    // off at its 100 x 100 place, and a missing page leaves the title picture.
    void missingHelpPictures()
    {
        QFile::remove(QDir(m_program->path()).filePath("controlsclick.fig"));
        QFile::remove(QDir(m_program->path()).filePath("controls.fig"));
        PictureFolder folder(PictureFolder::numbered(6, {700, 500}));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        main->CmdHelp->click();
        QCOMPARE(places(main), QStringLiteral("31 introclick.fig, 150 pic02.jpg, 270 limitclick.fig, 389 exitHelp.fig"));
        QCOMPARE(box(main->ImageThumb2), QRectF(643, 150, 100, 100));
        main->ImageThumb2->Click();
        QCOMPARE(shownFile(main), QStringLiteral("splash.fig"));
        QCOMPARE(box(main->Imagemain), QRectF(7, 3, 620, 490));
    }

    // The link opens the page beside the program while its area is enabled (the splash period,
    // the title picture, pages 1 and 3); while it is disabled the click reaches the viewing area
    // under it, and nothing is opened. No page beside the program: nothing is opened either.
    void linkOnlyWhileEnabled()
    {
        QFile page(QDir(m_program->path()).filePath("autolink.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        PictureFolder folder(PictureFolder::numbered(3));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        QSignalSpy viewClicks(main->Imagemain, &ImageBox::Click);
        const QString expected = QFileInfo(page.fileName()).absoluteFilePath();
        const auto clickLink = [&](int top) {
            m_opened.clear();
            clickAt(main, QPoint(300, top + 20));
            return m_opened;
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

    // What the build puts beside the program: the pages fit the viewing area, the buttons their
    // places, and the page is there.
    void shippedHelpPictures()
    {
        const QDir beside(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
        for (const char *name : kButtons)
            QCOMPARE(Picture::load(beside.filePath(name)).size(), QSize(100, 100));
        for (const char *name : kPages) {
            const QSize size = Picture::load(beside.filePath(name)).size();
            QVERIFY2(!size.isEmpty() && size.width() <= 620 && size.height() <= 490, name);
        }
        QCOMPARE(Picture::load(beside.filePath("splash.fig")).size(), QSize(620, 490));
        QVERIFY(QFileInfo(beside.filePath("autolink.html")).size() > 0);
    }

private:
    std::unique_ptr<ProgramFolderFixture> m_program;
    QStringList m_opened;
};

GALLERY_TEST_MAIN(TestHelpMode)
#include "test_help_mode.moc"
