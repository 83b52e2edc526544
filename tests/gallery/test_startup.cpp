// Start-up and shut-down of the main window on the standard test screen: every control's place and
// start state, the settings read with their defaults and all 19 written back at close, values that
// survive a restart, the thumbnail box from its setting, the splash picture, and a second copy.
#include "AllForms.h"
#include "AsOtherUser.h"
#include "FormFiles.h"
#include "FileLists.h"
#include "FormMain.h"
#include "GalleryTest.h"
#include "LocalFiles.h"
#include "ScreenMetrics.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "FormBlowUp.h"
#include "FormInfo.h"
#include "FormNote.h"
#include "FormRemote.h"
#include "FormSave.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScopeGuard>
#include <QPushButton>

#include <sys/stat.h>

using namespace GalleryTest;

namespace {

const QByteArray kDefaultsWritten = "[Startup]\n"
                                    "CheckThumbValue=1\n"
                                    "Dir1value=%DIR%\n"
                                    "Save1Dir=/\n"
                                    "Save1Caption=Retrieve Location &1\n"
                                    "Save2Dir=/\n"
                                    "Save2Caption=Retrieve Location &2\n"
                                    "Save3Dir=/\n"
                                    "Save3Caption=Retrieve Location &3\n"
                                    "Save4Dir=/\n"
                                    "Save4Caption=Retrieve Location &4\n"
                                    "Save5Dir=/\n"
                                    "Save5Caption=Retrieve Location &5\n"
                                    "Save6Dir=/\n"
                                    "Save6Caption=Retrieve Location &6\n"
                                    "ListIntervalValue=5\n"
                                    "TextNoteFontName=Arial\n"
                                    "TextNoteFontSize=12\n"
                                    "TextNoteFontItalic=False\n"
                                    "TextNoteFontBold=True\n";

QString get(const QString &key)
{
    return Settings::GetSetting("Vistello", "Startup", key, "<absent>");
}

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> shown;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown << w;
    return shown;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_case.init();
        QDir::setCurrent(m_cwd.path());
    }
    void cleanup()
    {
        m_case.cleanup();
        QVERIFY(!Forms::FormMain);
        QVERIFY(!Forms::FormFiles.isLoaded());
    }

    void controlsAtStart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("visible");
        const auto row = [](const char *name, QRect r, const char *caption, const char *tip, bool enabled,
                            bool visible = true) {
            QTest::newRow(name) << QString::fromLatin1(name) << r << QString::fromLatin1(caption)
                                << QString::fromLatin1(tip) << enabled << visible;
        };
        row("Imagemain", {7, 3, 620, 490}, "", "Right click for image data ", false);
        row("ImageThumb1", {643, 31, 100, 100}, "", " 1 ", true);
        row("ImageThumb2", {643, 151, 100, 100}, "", " 2 ", true);
        row("ImageThumb3", {643, 272, 100, 100}, "", " 3 ", true);
        row("ImageThumb4", {643, 392, 100, 100}, "", " 4 ", true);
        row("CheckThumb", {643, 6, 97, 17}, "&Thumbnails", "Turn off thumbnails for greater speed", true);
        row("CmdFiles", {5, 497, 77, 30}, "&Find Files", "Locate folders containing image files", true);
        row("CmdSize", {83, 497, 77, 30}, "&Actual Size", "", false);
        row("CmdCopy", {161, 497, 77, 30}, "&Copy", "Copy image to clipboard", true);
        row("CmdPrint", {238, 497, 77, 30}, "&Print", "Launch Print dialogue", true);
        row("CmdHelp", {316, 497, 77, 30}, "&Help", "", true);
        row("CmdNoteShow", {394, 497, 77, 30}, "&Note", "", true);
        row("CmdClose", {473, 497, 77, 30}, "C&lose", "", true);
        row("CmdHome", {553, 497, 31, 30}, "", "First images", false);
        row("CmdBackFour", {585, 497, 31, 30}, "", "Previous four images", false);
        row("CmdBackOne", {617, 497, 31, 30}, "", "Previous image", false);
        row("CmdFwdOne", {649, 497, 31, 30}, "", "Next image", false);
        row("CmdFwdFour", {681, 497, 31, 30}, "", "Next four images", false);
        row("CmdEnd", {713, 497, 31, 30}, "", "Last images", false);
        row("ImageWeb", {162, 390, 318, 40}, "", " Web Link ", true);
    }
    void controlsAtStart()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        QFETCH(bool, enabled);
        QFETCH(bool, visible);
        ProgramFolderFixture folder;
        FormMain *main = start();
        QVERIFY(main);
        auto *w = main->findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->geometry(), place);
        QCOMPARE(w->toolTip(), tip);
        QCOMPARE(w->isEnabled(), enabled);
        QCOMPARE(w->isVisible(), visible);
        if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            QCOMPARE(b->text(), caption);
            QCOMPARE(b->icon().isNull(), !caption.isEmpty()); // the picture buttons carry pictures
        }
    }

    void windowAndStateAtStart()
    {
        ProgramFolderFixture folder;
        MessageRecorder boxes;
        FormMain *main = start();
        QVERIFY(main);
        QVERIFY(main->isVisible());
        QVERIFY(boxes.messages.isEmpty());
        QCOMPARE(main->windowTitle(), QStringLiteral("Vistello"));
        QCOMPARE(main->frameGeometry().size(), QSize(762, 558));
        QCOMPARE(main->minimumSize(), main->maximumSize());
        QVERIFY(!(main->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(main->PixelScale, ScreenMetrics::twipsPerPixel());
        QCOMPARE(main->iHorzRes, ScreenMetrics::width());
        QCOMPARE(main->iVertRes, ScreenMetrics::height());
        QCOMPARE(main->NCount, -1);
        QCOMPARE(main->SplashTime, 1);
        QCOMPARE(main->HelpActive, false);
        QCOMPARE(main->SlideOn, false);
        QCOMPARE(main->StopThumb, false);
        QCOMPARE(main->Tick, 0);
        QCOMPARE(main->property("NCount").toInt(), -1);
        QVERIFY(main->setProperty("Tick", 7));
        QCOMPARE(main->Tick, 7);
        QVERIFY(main->Timer2->isActive());
        QCOMPARE(main->Timer2->interval(), 100);
        QCOMPARE(main->Timer2->objectName(), QStringLiteral("Timer2"));
        QVERIFY(main->findChild<CommonDialog *>(QStringLiteral("CommonDialog1")));
        QVERIFY(main->findChild<CommonDialog *>(QStringLiteral("CommonDialog2")));
        // The true-size box is parked and never seen.
        QCOMPARE(main->PictureScale->x(), 32000);
        QCOMPARE(main->PictureScale->y(), 0);
        QCOMPARE(main->PictureScale->width(), 1);
        QVERIFY(!main->PictureScale->isVisible());
        // The splash picture, drawn in the viewing area.
        QCOMPARE(main->Imagemain->picture().size(), QSize(620, 490));
        QCOMPARE(main->CheckThumb->isChecked(), true);
        // The folder browser: loaded, hidden, all picture types, the saved captions.
        FormFiles *files = Forms::FormFiles.loaded();
        QVERIFY(files);
        QVERIFY(!files->isVisible());
        QCOMPARE(files->windowTitle(), QStringLiteral("Find Files"));
        QVERIFY(files->OptionAll->isChecked());
        QCOMPARE(files->File1->Pattern(), QStringLiteral("*.bmp;*.gif;*.jpg"));
        QCOMPARE(files->LabelAppear, true);
        for (int n = 1; n <= 6; ++n)
            QCOMPARE(files->retrieveButton(n)->text(), QStringLiteral("Retrieve Location &%1").arg(n));
        QCOMPARE(files->Dir1->Path(), QStringLiteral("/"));
        // The other windows wait for their first reference; the picture selection that ticking the
        // thumbnail box runs reads the remote control's height, which loads it, hidden.
        QVERIFY(!Forms::FormBlowUp.isLoaded());
        QVERIFY(Forms::FormRemote.isLoaded());
        QVERIFY(!Forms::FormRemote->isVisible());
        QVERIFY(!Forms::FormSave.isLoaded());
        QVERIFY(!Forms::FormInfo.isLoaded());
        QVERIFY(!Forms::FormNote.isLoaded());
    }

    void firstRunUsesDefaultsThenWritesAll19()
    {
        ProgramFolderFixture folder;
        FormMain *main = start();
        QVERIFY(main);
        QCOMPARE(main->CheckThumbValue, QStringLiteral("1"));
        QCOMPARE(main->ListIntervalValue, QStringLiteral("5"));
        QCOMPARE(main->Dir1Value, QStringLiteral("/"));
        QCOMPARE(main->Save3Dir, QStringLiteral("/"));
        QCOMPARE(main->Save6Caption, QStringLiteral("Retrieve Location &6"));
        QCOMPARE(main->TextNoteFontName, QStringLiteral("Arial"));
        QCOMPARE(main->TextNoteFontSize, QStringLiteral("12"));
        QCOMPARE(main->TextNoteFontItalic, QStringLiteral("False"));
        QCOMPARE(main->TextNoteFontBold, QStringLiteral("True"));
        QVERIFY(settingsBytes().isEmpty()); // nothing is written during the run
        close(main);
        QByteArray expected = kDefaultsWritten;
        expected.replace("%DIR%", "/");
        QCOMPARE(settingsBytes(), expected);
    }

    void valuesSurviveARestart()
    {
        ProgramFolderFixture folder;
        QTemporaryDir a, b;
        FormMain *main = start();
        QVERIFY(main);
        main->CheckThumbValue = "0";
        main->ListIntervalValue = "12";
        main->Save2Dir = a.path();
        main->Save2Caption = "Holidays";
        main->Save6Caption = " spaced ";
        main->TextNoteFontName = "DejaVu Sans";
        main->TextNoteFontSize = "14";
        main->TextNoteFontItalic = "True";
        main->TextNoteFontBold = "False";
        QVERIFY(Forms::FormFiles->Dir1->setPath(b.path()));
        close(main);

        main = start();
        QVERIFY(main);
        QCOMPARE(main->CheckThumbValue, QStringLiteral("0"));
        QCOMPARE(main->ListIntervalValue, QStringLiteral("12"));
        QCOMPARE(main->Dir1Value, b.path());
        QCOMPARE(Forms::FormFiles->Dir1->Path(), b.path());
        QCOMPARE(main->Save2Dir, a.path());
        QCOMPARE(main->Save2Caption, QStringLiteral("Holidays"));
        QCOMPARE(Forms::FormFiles->CmdRetrieve2->text(), QStringLiteral("Holidays"));
        QCOMPARE(Forms::FormFiles->CmdRetrieve6->text(), QStringLiteral(" spaced "));
        QCOMPARE(main->TextNoteFontName, QStringLiteral("DejaVu Sans"));
        QCOMPARE(main->TextNoteFontSize, QStringLiteral("14"));
        QCOMPARE(main->TextNoteFontItalic, QStringLiteral("True"));
        QCOMPARE(main->TextNoteFontBold, QStringLiteral("False"));
        QVERIFY(!main->CheckThumb->isChecked());
    }

    void lastFolderFoundUnderEitherSpelling_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("subfolder"); // its name's bytes; empty for the folder itself
        QTest::newRow("as written at close") << QByteArray("Dir1value") << QByteArray();
        QTest::newRow("as read at start") << QByteArray("Dir1Value") << QByteArray();
        QTest::newRow("other case") << QByteArray("DIR1VALUE") << QByteArray();
        QTest::newRow("named by bytes that are not UTF-8") << QByteArray("Dir1value") << QByteArray("f\xe9tes\xff");
    }
    void lastFolderFoundUnderEitherSpelling()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, subfolder);
        ProgramFolderFixture folder;
        QTemporaryDir temporary;
        const QByteArray saved = temporary.path().toUtf8() + (subfolder.isEmpty() ? "" : "/" + subfolder);
        if (!subfolder.isEmpty())
            QVERIFY(::mkdir(saved.constData(), 0700) == 0);
        const QString path = LocalFiles::decodeName(saved);
        writeSettings("[Startup]\n" + key + "=" + saved + "\n");
        FormMain *main = start();
        QVERIFY(main);
        QCOMPARE(main->Dir1Value, path);
        QCOMPARE(Forms::FormFiles->Dir1->Path(), path);
        close(main);
        const QByteArray text = settingsBytes();
        QCOMPARE(QString::fromUtf8(text).count("dir1value", Qt::CaseInsensitive), 1);
        QVERIFY(text.contains("Dir1value=" + saved + "\n"));
    }

    void missingSavedFolderIsIgnored()
    {
        ProgramFolderFixture folder;
        writeSettings("[Startup]\nDir1Value=/no/such/folder\n");
        MessageRecorder boxes;
        FormMain *main = start();
        QVERIFY(main);
        QVERIFY(boxes.messages.isEmpty());
        QCOMPARE(main->Dir1Value, QStringLiteral("/no/such/folder"));
        // The browser stays at its own start folder, which is what the close stores.
        QCOMPARE(Forms::FormFiles->Dir1->Path(), QDir::currentPath());
        close(main);
        QCOMPARE(get("Dir1Value"), QDir::currentPath());
    }

    void thumbnailBoxFromItsSetting_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("written");
        QTest::newRow("1") << QByteArray("1") << true << "1";
        QTest::newRow("0") << QByteArray("0") << false << "0";
        QTest::newRow("not a number") << QByteArray("x") << false << "x";
        QTest::newRow("refused by the box") << QByteArray("5") << false << "5";
        QTest::newRow("blanks around 1") << QByteArray("\" 1 \"") << true << "1";
        QTest::newRow("settings that cannot be written") << QByteArray("0") << false << "0";
    }
    void thumbnailBoxFromItsSetting()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, ticked);
        QFETCH(QString, written);
        const bool unwritable = QByteArray(QTest::currentDataTag()) == "settings that cannot be written";
        if (unwritable)
            RUN_AS_OTHER_USER_WHEN_ROOT();
        ProgramFolderFixture folder;
        writeSettings("[Startup]\nCheckThumbValue=" + stored + "\n");
        // The settings' folder takes no new file: the file cannot be replaced.
        const QString settingsFolder = QFileInfo(settingsPath()).path();
        const auto writable = qScopeGuard([&] {
            QFile::setPermissions(settingsFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QVERIFY(!unwritable || QFile::setPermissions(settingsFolder, QFile::ReadOwner | QFile::ExeOwner));
        MessageRecorder boxes;
        FormMain *main = start();
        QVERIFY(main);
        QCOMPARE(main->CheckThumb->isChecked(), ticked);
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(main->thumb(n)->isVisible(), ticked);
        QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
        close(main);
        QCOMPARE(get("CheckThumbValue"), written);
        QCOMPARE(boxes.messages.size(), unwritable ? 1 : 0);
        if (unwritable) {
            const Messages::Message &m = boxes.messages[0];
            QCOMPARE(m.title, QStringLiteral("Vistello"));
            QCOMPARE(m.icon, Messages::Icon::Critical);
            QVERIFY2(m.text.startsWith("The settings file:\r\n" + settingsPath() + "\r\ncannot be written (")
                         && m.text.endsWith(").\r\n\r\nThe settings of this session are not kept."),
                     qPrintable(m.text));
            QCOMPARE(settingsBytes(), "[Startup]\nCheckThumbValue=" + stored + "\n");
        }
    }

    void clickingTheBoxStoresItsValue()
    {
        ProgramFolderFixture folder;
        FormMain *main = start();
        QVERIFY(main);
        Forms::FormInfo->show();
        main->CheckThumb->click();
        QVERIFY(!Forms::FormInfo.isLoaded()); // the information window closes first
        QCOMPARE(main->CheckThumbValue, QStringLiteral("0"));
        for (int n = 1; n <= 4; ++n)
            QVERIFY(!main->thumb(n)->isVisible());
        main->CheckThumb->click();
        QCOMPARE(main->CheckThumbValue, QStringLiteral("1"));
        QVERIFY(main->ImageThumb1->isVisible());
        main->CheckThumb->click();
        close(main);
        QCOMPARE(get("CheckThumbValue"), QStringLiteral("0"));
    }

    void missingSplashLeavesTheViewingAreaEmpty()
    {
        ProgramFolderFixture folder(false);
        MessageRecorder boxes;
        FormMain *main = start();
        QVERIFY(main);
        QVERIFY(main->isVisible());
        QVERIFY(boxes.messages.isEmpty());
        QVERIFY(main->Imagemain->picture().isNull());
        QCOMPARE(main->SplashTime, 1);
    }

    void splashIsReadByContent()
    {
        ProgramFolderFixture folder;
        // A PNG under the splash name loads as well as the JPEG.
        QImage png(300, 200, QImage::Format_ARGB32);
        png.fill(Qt::red);
        QVERIFY(png.save(folder.path() + "/splash.fig", "PNG"));
        FormMain *main = start();
        QVERIFY(main);
        QCOMPARE(main->Imagemain->picture().size(), QSize(300, 200));
    }

    void secondCopyEndsAtOnceAndLeavesTheSettings()
    {
        ProgramFolderFixture folder;
        QTemporaryDir saved;
        writeSettings("[Startup]\nDir1value=" + saved.path().toUtf8() + "\nCheckThumbValue=0\n");
        const QByteArray before = settingsBytes();
        const QDateTime stamp = QFileInfo(settingsPath()).lastModified();
        SingleInstance firstCopy("Vistello");
        QVERIFY(!firstCopy.anotherIsRunning());
        MessageRecorder boxes;
        QPointer<FormMain> main = start();
        QVERIFY(!main);
        QVERIFY(boxes.messages.isEmpty());
        QVERIFY(visibleWindows().isEmpty());
        QVERIFY(!Forms::FormFiles.isLoaded());
        QVERIFY(!Forms::FormNote.isLoaded());
        flushDeletes();
        QVERIFY(!Forms::FormMain);
        QCOMPARE(settingsBytes(), before);
        QCOMPARE(QFileInfo(settingsPath()).lastModified(), stamp);
    }

    void aCloseDeliveredTwiceWritesOnce()
    {
        ProgramFolderFixture folder;
        FormMain *main = start();
        QVERIFY(main);
        QPointer<FormMain> guard = main;
        main->CmdClose->click();
        QVERIFY(!main->isVisible());
        QCOMPARE(get("ListIntervalValue"), QStringLiteral("5"));
        Settings::SaveSetting("Vistello", "Startup", "ListIntervalValue", "99");
        QVERIFY(guard);
        main->close();
        flushDeletes();
        QVERIFY(!guard);
        QCOMPARE(get("ListIntervalValue"), QStringLiteral("99"));
    }

    void closingUnloadsEveryOtherWindowWithoutSavingANote()
    {
        ProgramFolderFixture folder;
        FormMain *main = start();
        QVERIFY(main);
        Forms::FormNote->show();
        Forms::FormSave->show();
        Forms::FormRemote.get();
        Forms::FormInfo.get();
        Forms::FormBlowUp.get();
        Forms::FormFiles->show();
        close(main);
        QVERIFY(!Forms::FormNote.isLoaded());
        QVERIFY(!Forms::FormSave.isLoaded());
        QVERIFY(!Forms::FormFiles.isLoaded());
        QVERIFY(!Forms::FormRemote.isLoaded());
        QVERIFY(!Forms::FormInfo.isLoaded());
        QVERIFY(!Forms::FormBlowUp.isLoaded());
        QVERIFY(visibleWindows().isEmpty());
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList());
    }

private:
    CaseFixture m_case;
    QTemporaryDir m_cwd;
};

GALLERY_TEST_MAIN(TestStartup)
#include "test_startup.moc"
