// The folder browser as start-up and shut-down use it: its controls and captions, the type
// options, and what a change of folder or drive does before and after the splash period.
#include "AllForms.h"
#include "FileLists.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "GalleryTest.h"
#include "ScreenMetrics.h"

#include <QDir>
#include <QFile>

using namespace GalleryTest;

class TestFolderBrowserStartup : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_case.init();
        m_main = start();
        QVERIFY(m_main);
        m_files = Forms::FormFiles.loaded();
        QVERIFY(m_files);
    }
    void cleanup() { m_case.cleanup(); }

    void controlsInTwips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        const auto row = [](const char *name, QRect r, const char *caption, const char *tip) {
            QTest::newRow(name) << QString::fromLatin1(name) << r << QString::fromUtf8(caption)
                                << QString::fromLatin1(tip);
        };
        row("Drive1", {36, 1320, 4095, 315}, "", "Select a drive");
        row("Dir1", {36, 1680, 4095, 2340}, "", "Select a folder");
        row("File1", {4320, 36, 4095, 3990}, "", "Select a file (optional) ");
        row("cmdStore1", {36, 4212, 684, 360}, "Store >", "Save current folder location");
        row("CmdStore4", {36, 4212 + 444 * 3, 684, 360}, "Store >", "Save current folder location");
        row("CmdStore6", {36, 4212 + 444 * 5, 684, 360}, "Store >", "");
        row("CmdRetrieve1", {744, 4212, 4125, 360}, "Retrieve Location &1", "Go to stored folder");
        row("CmdRetrieve5", {744, 4212 + 444 * 4, 4125, 360}, "Retrieve Location &5", "");
        row("CmdClose", {6795, 6150, 1350, 360}, "&Close", "Return to main screen");
        row("CmdCopy", {5340, 6150, 1350, 360}, "C&opy", "Copy selected file to clipboard");
        row("OptionAll", {5280, 5040, 615, 372}, "&All", "");
        row("OptionBMP", {5970, 5040, 975, 372}, "&BMP", "");
        row("OptionGIF", {6750, 5040, 735, 372}, "&GIF", "");
        row("OptionJPG", {7440, 5040, 735, 372}, "&JPG", "");
    }
    void controlsInTwips()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        auto *w = m_files->findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        const int tpp = ScreenMetrics::twipsPerPixel();
        const auto px = [tpp](int t) { return qRound(double(t) / tpp); };
        QCOMPARE(w->geometry(), QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));
        QCOMPARE(w->toolTip(), tip);
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            QCOMPARE(b->text(), caption);
    }

    void typeOptions_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("closeEnabledAfterSplash");
        QTest::newRow("all") << "OptionAll" << "*.bmp;*.gif;*.jpg" << true;
        QTest::newRow("bmp") << "OptionBMP" << "*.bmp" << false;
        QTest::newRow("gif") << "OptionGIF" << "*.gif" << false;
        QTest::newRow("jpg") << "OptionJPG" << "*.jpg" << false;
    }
    void typeOptions()
    {
        QFETCH(QString, option);
        QFETCH(QString, pattern);
        QFETCH(bool, closeEnabledAfterSplash);
        auto *o = m_files->findChild<OptionButton *>(option);
        QVERIFY(o);
        // During the splash period a type choice leaves the Close button alone.
        m_files->CmdClose->setEnabled(true);
        m_files->setWindowTitle("x");
        o->click();
        QCOMPARE(m_files->File1->Pattern(), pattern);
        QCOMPARE(m_files->windowTitle(), QStringLiteral("Find Files"));
        QVERIFY(m_files->CmdClose->isEnabled());
        // After it, a single type with no file chosen disables Close.
        m_main->SplashTime = 30;
        m_files->OptionAll->setValue(false);
        o->setValue(true);
        QCOMPARE(m_files->CmdClose->isEnabled(), closeEnabledAfterSplash);
        for (auto *other : m_files->findChildren<OptionButton *>())
            QCOMPARE(other->isChecked(), other == o);
    }

    void folderChangeDuringSplashTouchesOnlyNCount()
    {
        QTemporaryDir dir;
        m_main->NCount = 3;
        m_main->setWindowTitle("Vistello - kept");
        m_main->ImageThumb2->setLeft(643);
        QVERIFY(m_files->Dir1->setPath(dir.path()));
        QCOMPARE(m_files->File1->Path(), dir.path());
        QCOMPARE(m_main->NCount, -1);
        QCOMPARE(m_main->windowTitle(), QStringLiteral("Vistello - kept"));
        QCOMPARE(m_main->ImageThumb2->x(), 643);
        QVERIFY(m_files->CmdClose->isEnabled());
    }

    void folderChangeAfterSplashEmptiesTheMainWindow()
    {
        QTemporaryDir dir;
        m_main->SplashTime = 30;
        m_main->NCount = 2;
        m_main->setWindowTitle("Vistello - a.jpg");
        m_main->Imagemain->Move(40, 20, 300, 200);
        m_main->Imagemain->setStretch(false);
        QVERIFY(m_files->Dir1->setPath(dir.path()));
        QCOMPARE(m_main->NCount, -1);
        QCOMPARE(m_main->windowTitle(), QStringLiteral("Vistello"));
        QCOMPARE(m_main->Imagemain->geometry(), QRect(7, 3, 620, 490));
        QVERIFY(m_main->Imagemain->Stretch());
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(m_main->thumb(n)->x(), 32000);
        QVERIFY(!m_files->CmdClose->isEnabled());
        QCOMPARE(m_files->ImageFile->picture().size(), QSize(40, 30)); // the placeholder picture
    }

    void closeBoxKeepsTheBrowserLoaded()
    {
        QTemporaryDir dir;
        QImage(8, 6, QImage::Format_RGB32).save(dir.filePath("a.bmp"));
        QVERIFY(m_files->Dir1->setPath(dir.path()));
        m_files->show();
        m_files->close();
        QVERIFY(!m_files->isVisible());
        flushDeletes();
        QCOMPARE(Forms::FormFiles.loaded(), m_files);
    }

    void closingTheMainWindowStoresTheBrowsersFolder()
    {
        QTemporaryDir dir;
        QVERIFY(m_files->Dir1->setPath(dir.path()));
        close(m_main);
        QCOMPARE(QString::fromUtf8(settingsBytes()).section('\n', 2, 2), "Dir1value=" + dir.path());
        m_main = nullptr;
    }

private:
    CaseFixture m_case;
    FormMain *m_main = nullptr;
    FormFiles *m_files = nullptr;
};

GALLERY_TEST_MAIN(TestFolderBrowserStartup)
#include "test_folder_browser_startup.moc"
