// The main window's timer, driven tick by tick: the end of the splash period on the 14th tick (and
// never once "&Find Files" has cut it short), the counters' wrap, the controls of the main window and
// of the folder browser following which windows are open, the actual-size caption, the remote
// control's blinking caption, the windows its reads load, and a tick inside a message box.
#include "AllForms.h"
#include "FileLists.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "GalleryTest.h"
#include "PictureFolders.h"
#include "FormBlowUp.h"
#include "FormInfo.h"
#include "FormNote.h"
#include "FormRemote.h"
#include "FormSave.h"
#include "WindowGeometry.h"

#include <QDir>

using namespace GalleryTest;

namespace {

// The main-window controls the timer sets, by short name, when enabled.
QString enabledControls(FormMain *main)
{
    const std::pair<QWidget *, const char *> controls[] = {
        {main->CheckThumb, "Check"}, {main->CmdFiles, "Files"},     {main->CmdHelp, "Help"},
        {main->CmdPrint, "Print"},   {main->CmdCopy, "Copy"},       {main->CmdSize, "Size"},
        {main->CmdNoteShow, "Note"}, {main->CmdHome, "H"},          {main->CmdBackFour, "b4"},
        {main->CmdBackOne, "b1"},    {main->CmdFwdOne, "f1"},       {main->CmdFwdFour, "f4"},
        {main->CmdEnd, "E"},         {main->ImageThumb1, "t1"},     {main->ImageThumb2, "t2"},
        {main->ImageThumb3, "t3"},   {main->ImageThumb4, "t4"}};
    QStringList on;
    for (auto [c, name] : controls)
        if (c->isEnabled())
            on << name;
    return on.join(' ');
}

} // namespace

class TestMainTimer : public QObject {
    Q_OBJECT
private slots:
    void init() { m_case.init(); }
    void cleanup() { m_case.cleanup(); }

    // The splash shows for 13 ticks; the 14th shows the saved folder's first picture, makes the
    // picture clickable and the link area inert, once. "&Find Files" before it ends the splash
    // period without it (the link area goes inert at the next tick): the pictures come when the
    // browser closes.
    void splashEndsOnThe14thTick_data()
    {
        QTest::addColumn<int>("findFilesAt"); // tick after which "&Find Files" is pressed; 0: never
        QTest::newRow("pictures") << 0;
        QTest::newRow("Find Files after 3 ticks") << 3;
        QTest::newRow("Find Files after 13 ticks") << 13;
    }
    void splashEndsOnThe14thTick()
    {
        QFETCH(int, findFilesAt);
        PictureFolder folder(PictureFolder::numbered(5));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        const Picture splash = main->Imagemain->picture();
        QVERIFY(!splash.isNull());
        for (int tick = 1; tick <= 20; ++tick) {
            main->Timer2_Timer();
            if (tick == findFilesAt)
                main->CmdFiles->click();
            const bool ended = findFilesAt == 0 && tick >= 14;
            const bool cutShort = findFilesAt && tick > findFilesAt;
            QCOMPARE(main->SplashTime, findFilesAt && tick >= findFilesAt ? 30 + tick - findFilesAt : tick + 1);
            QCOMPARE(main->Imagemain->isEnabled(), ended);
            QCOMPARE(main->ImageWeb->isEnabled(), !ended && !cutShort);
            if (ended)
                QCOMPARE(main->Imagemain->picture().path(), folder.file("pic01.jpg"));
            else
                QCOMPARE(main->Imagemain->picture(), splash);
        }
        if (findFilesAt) {
            QVERIFY(Forms::FormFiles->isVisible());
            Forms::FormFiles->CmdClose->click();
            QCOMPARE(main->Imagemain->picture().path(), folder.file("pic01.jpg"));
            QVERIFY(main->Imagemain->isEnabled());
        }
        // Once only: a picture chosen since stays through later ticks.
        main->ImageThumb2_Click();
        for (int tick = 0; tick < 20; ++tick)
            main->Timer2_Timer();
        QCOMPARE(main->Imagemain->picture().path(), folder.file("pic02.jpg"));
        QCOMPARE(main->Tick, 40);
        // The link area stays usable while help is on.
        main->ImageWeb->setEnabled(true);
        main->HelpActive = true;
        main->Timer2_Timer();
        QVERIFY(main->ImageWeb->isEnabled());
        main->HelpActive = false;
        main->Timer2_Timer();
        QVERIFY(!main->ImageWeb->isEnabled());
    }

    // Both counters stay within 16 bits; SplashTime goes from 10000 back to 30, never through 15.
    void countersWrap()
    {
        PictureFolder folder(PictureFolder::numbered(2));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        main->Tick = 9999;
        main->SplashTime = 9998;
        main->Timer2_Timer();
        QCOMPARE(main->Tick, 10000);
        QCOMPARE(main->SplashTime, 9999);
        main->Timer2_Timer();
        QCOMPARE(main->Tick, 0);
        QCOMPARE(main->SplashTime, 30);
        // The splash period ended without its tick: the saved folder was not shown.
        QVERIFY(!main->Imagemain->isEnabled());
        QCOMPARE(main->NCount, -1);
    }

    // Every tick the main window's controls follow the open windows: the browser open without
    // the save dialog disables thirteen of them; otherwise, help off, six come back (the navigation
    // buttons and "&Actual Size" are left as they are); a note open with the browser hidden
    // disables the four places. The browser is brought to the front without taking the focus.
    void controlStates_data()
    {
        QTest::addColumn<bool>("browser");
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("note");
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("enabled");
        const QString all = "Check Files Help Print Copy Note";
        QTest::newRow("none") << false << false << false << false << all + " f1 f4 E t1 t2 t3 t4";
        QTest::newRow("browser") << true << false << false << false << QString("t1 t2 t3 t4");
        QTest::newRow("browser and save dialog") << true << true << false << false << all + " t1 t2 t3 t4";
        QTest::newRow("note") << false << false << true << false << all + " f1 f4 E";
        QTest::newRow("note and browser") << true << false << true << false << QString("t1 t2 t3 t4");
        QTest::newRow("help, save dialog over the browser") << true << true << false << true << QString("t1 t2 t3 t4");
    }
    void controlStates()
    {
        QFETCH(bool, browser);
        QFETCH(bool, save);
        QFETCH(bool, note);
        QFETCH(bool, help);
        QFETCH(QString, enabled);
        PictureFolder folder(PictureFolder::numbered(6, {700, 500}));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        for (int tick = 0; tick < 14; ++tick)
            main->Timer2_Timer();
        QCOMPARE(main->Imagemain->picture().path(), folder.file("pic01.jpg"));
        if (browser) {
            main->CmdFiles->click();
            main->Timer2_Timer();
        }
        main->HelpActive = help;
        if (save)
            Forms::FormSave->show();
        if (note)
            Forms::FormNote->show();
        main->activateWindow();
        QApplication::setActiveWindow(main);
        main->Timer2_Timer();
        main->Timer2_Timer();
        QCoreApplication::processEvents();
        QCOMPARE(enabledControls(main), enabled);
        QCOMPARE(QApplication::activeWindow(), main);
        QCOMPARE(Forms::FormFiles->isVisible(), browser);
    }

    // The browser's controls follow the number of files listed; on a drive that is not available
    // the no-files notice stays hidden.
    void browserControlsByFileCount_data()
    {
        QTest::addColumn<bool>("pictures");
        QTest::addColumn<bool>("driveAvailable");
        QTest::newRow("pictures") << true << true;
        QTest::newRow("no pictures") << false << true;
        QTest::newRow("no pictures, drive not available") << false << false;
    }
    void browserControlsByFileCount()
    {
        QFETCH(bool, pictures);
        QFETCH(bool, driveAvailable);
        PictureFolder withPictures(PictureFolder::numbered(3));
        PictureFolder empty;
        FormMain *main = startAt(withPictures.path());
        QVERIFY(main);
        endSplash(main);
        main->CmdFiles->click();
        FormFiles *files = Forms::FormFiles.loaded();
        QVERIFY(files->Dir1->setPath(pictures ? withPictures.path() : empty.path()));
        files->LabelAppear = driveAvailable;
        // The opposite of what the tick is to set.
        files->CmdCopy->setEnabled(!pictures);
        files->CmdClose->setEnabled(!pictures);
        files->File1->setVisible(!pictures);
        files->LabelNoFile->setVisible(pictures);
        main->Timer2_Timer();
        QCOMPARE(files->CmdCopy->isEnabled(), pictures);
        QCOMPARE(files->CmdClose->isEnabled(), pictures);
        QCOMPARE(files->File1->isVisible(), pictures);
        QCOMPARE(files->LabelNoFile->isVisible(), !pictures && driveAvailable);
    }

    // The picture at its own size: every tick ends with "&Restore" and "&Note" disabled, outside
    // help mode.
    void actualSizeView()
    {
        PictureFolder folder(PictureFolder::numbered(2, {300, 200}));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        main->CmdSize->click();
        QCOMPARE(main->CmdSize->text(), QStringLiteral("&Actual Size"));
        main->Timer2_Timer();
        QCOMPARE(main->CmdSize->text(), QStringLiteral("&Restore"));
        QVERIFY(!main->CmdNoteShow->isEnabled());
        main->CmdSize->click();
        main->Timer2_Timer();
        QCOMPARE(main->CmdSize->text(), QStringLiteral("&Actual Size"));
        QVERIFY(main->CmdNoteShow->isEnabled());
        main->HelpActive = true;
        main->Imagemain->setStretch(false);
        main->Timer2_Timer();
        QCOMPARE(main->CmdSize->text(), QStringLiteral("&Actual Size"));
    }

    // Reading the visibility of the enlarged view, the save dialog and the note window loads them,
    // hidden, within one tick after they close; the remote control only while the slide show runs,
    // its caption showing for ticks ending in 0 to 4 and empty for 5 to 9.
    void windowsTheTickLoads()
    {
        PictureFolder folder(PictureFolder::numbered(2));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        Forms::FormSave->show();
        for (auto unload : {+[] { Forms::FormBlowUp.unload(); }, +[] { Forms::FormSave.unload(); },
                            +[] { Forms::FormNote.unload(); }, +[] { Forms::FormInfo.unload(); },
                            +[] { Forms::FormRemote.unload(); }})
            unload();
        flushDeletes();
        main->Timer2_Timer();
        QVERIFY(Forms::FormBlowUp.isLoaded() && !Forms::FormBlowUp->isVisible());
        QVERIFY(Forms::FormSave.isLoaded() && !Forms::FormSave->isVisible());
        QVERIFY(Forms::FormNote.isLoaded() && !Forms::FormNote->isVisible());
        QVERIFY(!Forms::FormInfo.isLoaded());
        QVERIFY(!Forms::FormRemote.isLoaded());
        main->SlideOn = true;
        main->Tick = 0;
        QString seen;
        for (int tick = 1; tick <= 12; ++tick) {
            main->Timer2_Timer();
            seen += Forms::FormRemote->windowTitle().isEmpty() ? '.' : 'S';
        }
        QCOMPARE(seen, QStringLiteral("SSSS.....SSS"));
        QVERIFY(!Forms::FormRemote->isVisible());
    }

    // Ticks go on while a message box is up: inside the box for a stored folder that is gone they
    // keep the browser's state and leave both windows where the box put them.
    void ticksInsideAMessageBox()
    {
        PictureFolder folder(PictureFolder::numbered(5));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        main->CmdFiles->click();
        FormFiles *files = Forms::FormFiles.loaded();
        main->Save3Dir = QDir(folder.path()).filePath("gone");
        const QRect mainBefore = WindowGeometry::outer(main);
        int boxes = 0;
        bool offScreenInside = false;
        QString controlsInside;
        Messages::setAnswerer([&](const Messages::Message &) {
            ++boxes;
            for (int tick = 0; tick < 3; ++tick)
                main->Timer2_Timer();
            offScreenInside = WindowGeometry::isOffEveryScreen(main) && WindowGeometry::isOffEveryScreen(files);
            controlsInside = enabledControls(main);
            return Messages::Ok;
        });
        files->CmdRetrieve3->click();
        QCOMPARE(boxes, 1);
        QVERIFY(offScreenInside);
        QCOMPARE(controlsInside, QStringLiteral("t1 t2 t3 t4"));
        QVERIFY(!WindowGeometry::isOffEveryScreen(main));
        QCOMPARE(WindowGeometry::outer(main).top(), mainBefore.top());
        QVERIFY(files->isVisible());
        QCOMPARE(main->Imagemain->picture().path(), folder.file("pic01.jpg"));
    }

private:
    CaseFixture m_case;
};

GALLERY_TEST_MAIN(TestMainTimer)
#include "test_main_timer.moc"
