// The folder browser at work: the keys that close it, drives (before and after the splash period,
// not available, each with its own current folder), folders that cannot be opened, a click on a
// folder, copying the preview, the retrieve buttons with the message for a stored folder that is
// gone and where the two windows stand around it, and the pointer over the background.
#include "AsOtherUser.h"
#include "AllForms.h"
#include "Drives.h"
#include "FileLists.h"
#include "FolderListing.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "GalleryTest.h"
#include "PictureFolders.h"
#include "ScreenMetrics.h"
#include "FormBlowUp.h"
#include "FormInfo.h"
#include "FormNote.h"
#include "FormRemote.h"
#include "FormSave.h"
#include "WindowGeometry.h"

#include <QClipboard>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QDir>
#include <QListView>
#include <QMimeData>

using namespace GalleryTest;

namespace {

// The row of the folder list that shows the subfolder of the given name.
int folderRow(DirListBox *dirs, const QString &name)
{
    const QAbstractItemModel *model = dirs->view()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, 0).data().toString().trimmed() == name)
            return row;
    return -1;
}

QPoint rowCentre(QListView *view, int row)
{
    return view->visualRect(view->model()->index(row, 0)).center();
}

} // namespace

class TestFolderBrowser : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_case.init();
        m_pictures = std::make_unique<PictureFolder>(PictureFolder::numbered(6, {300, 200}));
        m_main = startAt(m_pictures->path());
        QVERIFY(m_main);
        m_files = Forms::FormFiles.loaded();
        QVERIFY(m_files);
    }
    void cleanup()
    {
        m_case.cleanup();
        m_pictures.reset();
    }

    // Esc and numeric-pad minus close the browser whatever the modifiers, the list having the
    // focus; the picture becomes clickable as "&Close" makes it. Other keys do nothing.
    void keysThatClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier) << true;
        QTest::newRow("Shift+Esc") << int(Qt::Key_Escape) << int(Qt::ShiftModifier) << true;
        QTest::newRow("pad minus") << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << true;
        QTest::newRow("Ctrl+pad minus") << int(Qt::Key_Minus) << int(Qt::KeypadModifier | Qt::ControlModifier)
                                        << true;
        QTest::newRow("Alt+pad minus") << int(Qt::Key_Minus) << int(Qt::KeypadModifier | Qt::AltModifier) << true;
        QTest::newRow("minus") << int(Qt::Key_Minus) << int(Qt::NoModifier) << false;
        QTest::newRow("pad plus") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << false;
        QTest::newRow("A") << int(Qt::Key_A) << int(Qt::NoModifier) << false;
        QTest::newRow("Ctrl+Shift+X") << int(Qt::Key_X) << int(Qt::ControlModifier | Qt::ShiftModifier) << false;
    }
    void keysThatClose()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        // Opened during the splash period, while the picture is not clickable.
        m_main->CmdFiles->click();
        QVERIFY(m_files->isVisible());
        QVERIFY(!m_main->Imagemain->isEnabled());
        clickFileRow(3);
        m_files->File1->view()->setFocus();
        QTest::keyClick(m_files->File1->view(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_files->isVisible(), !closes);
        QCOMPARE(m_main->Imagemain->isEnabled(), closes);
        if (closes) {
            // No first-file rule here: the file clicked is shown.
            QCOMPARE(m_main->NCount, 3);
            QCOMPARE(m_main->windowTitle(), QStringLiteral("Vistello  -  pic04.jpg     Zoom: 207%"));
        } else {
            QCOMPARE(m_main->NCount, -1);
            QCOMPARE(m_main->windowTitle(), QStringLiteral("Vistello"));
        }
    }

    // The close box closes the browser as Esc does, and never unloads it.
    void closeBox()
    {
        m_main->CmdFiles->click();
        m_files->close();
        flushDeletes();
        QCOMPARE(Forms::FormFiles.loaded(), m_files);
        QVERIFY(!m_files->isVisible());
        QCOMPARE(m_main->NCount, 0);
        QVERIFY(m_main->Imagemain->isEnabled());
    }

    // Each drive keeps its own current folder. During the splash period a change of drive only
    // forgets the chosen picture; after it the main window is emptied and shows the splash picture.
    void driveChange_data()
    {
        QTest::addColumn<bool>("afterSplash");
        QTest::newRow("during the splash period") << false;
        QTest::newRow("after the splash period") << true;
    }
    void driveChange()
    {
        QFETCH(bool, afterSplash);
        QTemporaryDir driveA, driveB;
        QVERIFY(QDir(driveB.path()).mkpath("deep/er"));
        Drives::setRootsForTesting({"/", driveA.path(), driveB.path()});
        if (afterSplash) {
            endSplash(m_main);
            QCOMPARE(m_main->windowTitle(), QStringLiteral("Vistello  -  pic01.jpg     Zoom: 207%"));
        }
        const QString captionBefore = m_main->windowTitle();
        const Picture pictureBefore = m_main->Imagemain->picture();
        const Picture previewBefore = m_files->ImageFile->picture();

        QVERIFY(m_files->Drive1->setDrive(driveB.path()));
        QCOMPARE(m_files->Dir1->Path(), driveB.path());
        QCOMPARE(m_files->File1->Path(), driveB.path());
        QCOMPARE(m_main->NCount, -1);
        QVERIFY(m_files->LabelAppear);
        if (afterSplash) {
            QCOMPARE(m_main->windowTitle(), QStringLiteral("Vistello"));
            QCOMPARE(box(m_main->Imagemain), QRectF(7, 3, 620, 490));
            QVERIFY(m_main->Imagemain->Stretch());
            QCOMPARE(QFileInfo(m_main->Imagemain->picture().path()).fileName(), QStringLiteral("splash.fig"));
            QCOMPARE(m_files->ImageFile->picture().size(), QSize(40, 30)); // the placeholder
            for (int n = 1; n <= 4; ++n)
                QCOMPARE(m_main->thumb(n)->Left(), 32000.0);
            QVERIFY(!m_files->CmdClose->isEnabled());
        } else {
            QCOMPARE(m_main->windowTitle(), captionBefore);
            QCOMPARE(m_main->Imagemain->picture(), pictureBefore);
            QCOMPARE(m_files->ImageFile->picture(), previewBefore);
            QVERIFY(m_files->CmdClose->isEnabled());
        }

        // Back and forth: the drive comes back at the folder it was left in.
        QVERIFY(m_files->Dir1->setPath(driveB.path() + "/deep/er"));
        QVERIFY(m_files->Drive1->setDrive(driveA.path()));
        QCOMPARE(m_files->Dir1->Path(), driveA.path());
        QVERIFY(m_files->Drive1->setDrive(driveB.path()));
        QCOMPARE(m_files->Dir1->Path(), driveB.path() + "/deep/er");
        QCOMPARE(m_files->File1->Path(), driveB.path() + "/deep/er");
    }

    // A drive without a medium: both lists hidden behind the notice, "&Close" and the first four
    // store buttons disabled; the lists keep the former folder. The next drive that can be read
    // brings everything back.
    void driveNotAvailable()
    {
        QTemporaryDir driveA;
        const QString missing = driveA.path() + "-missing";
        Drives::setRootsForTesting({"/", driveA.path(), missing});
        endSplash(m_main);
        m_main->CmdFiles->click();
        const QString folderBefore = m_files->Dir1->Path();
        m_main->NCount = 2;

        QVERIFY(!m_files->Drive1->setDrive(missing));
        QCOMPARE(m_files->Drive1->Drive(), missing);
        QVERIFY(m_files->Dir1->isHidden());
        QVERIFY(m_files->File1->isHidden());
        const QPoint notice = m_files->LabelNoDrive->geometry().center();
        QCOMPARE(m_files->childAt(notice), m_files->LabelNoDrive);
        QCOMPARE(m_files->LabelNoDrive->text(), QStringLiteral("The selected drive is not currently available. "));
        QVERIFY(!m_files->CmdClose->isEnabled());
        for (int n = 1; n <= 4; ++n)
            QVERIFY(!m_files->storeButton(n)->isEnabled());
        QVERIFY(m_files->CmdStore5->isEnabled());
        QVERIFY(m_files->CmdStore6->isEnabled());
        QVERIFY(!m_files->LabelAppear);
        QCOMPARE(m_files->windowTitle(), QStringLiteral("Find Files"));
        QCOMPARE(m_files->Dir1->Path(), folderBefore);
        QCOMPARE(m_files->File1->ListCount(), 6);
        QCOMPARE(m_main->NCount, 2);

        QVERIFY(m_files->Drive1->setDrive(driveA.path()));
        QVERIFY(m_files->LabelAppear);
        QVERIFY(m_files->Dir1->isVisible());
        QVERIFY(m_files->File1->isVisible());
        QVERIFY(m_files->Dir1->isAncestorOf(m_files->childAt(notice))); // the list covers the notice
        for (int n = 1; n <= 4; ++n)
            QVERIFY(m_files->storeButton(n)->isEnabled());
        QCOMPARE(m_files->Dir1->Path(), driveA.path());
    }

    // A folder that can no longer be opened is refused: the browser stays where it was.
    void folderThatCannotBeOpened_data()
    {
        QTest::addColumn<bool>("removed"); // else: no rights to read it
        QTest::newRow("removed since it was listed") << true;
        QTest::newRow("not readable") << false;
    }
    void folderThatCannotBeOpened()
    {
        QFETCH(bool, removed);
        if (!removed)
            RUN_AS_OTHER_USER_WHEN_ROOT();
        QTemporaryDir parent;
        QVERIFY(QDir(parent.path()).mkdir("inner"));
        const QString inner = parent.filePath("inner");
        QVERIFY(writePicture(inner + "/x.jpg", {30, 20}));
        if (!removed) {
            QFile::setPermissions(inner, QFileDevice::Permissions());
            QVERIFY(!FolderListing::canList(inner));
        }
        endSplash(m_main);
        m_main->CmdFiles->click();
        QVERIFY(m_files->Dir1->setPath(parent.path()));
        m_main->NCount = 4;
        const int row = folderRow(m_files->Dir1, "inner");
        QVERIFY(row >= 0);
        if (removed)
            QVERIFY(QDir(inner).removeRecursively());
        // A double click: its first press selects, its second opens.
        QTest::mouseClick(m_files->Dir1->view()->viewport(), Qt::LeftButton, {}, rowCentre(m_files->Dir1->view(), row));
        QTest::mouseDClick(m_files->Dir1->view()->viewport(), Qt::LeftButton, {}, rowCentre(m_files->Dir1->view(), row));
        QCOMPARE(m_files->Dir1->Path(), parent.path());
        QCOMPARE(m_files->File1->Path(), parent.path());
        QVERIFY(m_files->isVisible());
        // The single click before the double click forgot the chosen picture.
        QCOMPARE(m_main->NCount, -1);
        if (!removed)
            QFile::setPermissions(inner, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // A single click on a folder forgets the chosen picture and nothing else.
    void folderClick()
    {
        QTemporaryDir parent;
        QVERIFY(QDir(parent.path()).mkdir("inner"));
        endSplash(m_main);
        m_main->CmdFiles->click();
        QVERIFY(m_files->Dir1->setPath(parent.path()));
        m_main->NCount = 3;
        m_main->setWindowTitle("kept");
        const int row = folderRow(m_files->Dir1, "inner");
        QTest::mouseClick(m_files->Dir1->view()->viewport(), Qt::LeftButton, {}, rowCentre(m_files->Dir1->view(), row));
        QCOMPARE(m_main->NCount, -1);
        QCOMPARE(m_files->Dir1->Path(), parent.path());
        QCOMPARE(m_main->windowTitle(), QStringLiteral("kept"));
    }

    // "C&opy" puts the preview's picture on the clipboard as a picture; with none it leaves the
    // clipboard alone. A save dialog that is not shown stays hidden.
    void copyThePreview()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        // The first black picture.
        m_files->CmdCopy_Click();
        QCOMPARE(clipboard->image().size(), QSize(2, 2));
        // A clicked file.
        m_main->CmdFiles->click();
        clickFileRow(1);
        m_files->CmdCopy->setEnabled(true);
        m_files->CmdCopy->click();
        QCOMPARE(clipboard->image().size(), QSize(300, 200));
        QVERIFY(!clipboard->mimeData()->hasUrls());
        QVERIFY(Forms::FormSave.isLoaded());
        QVERIFY(!Forms::FormSave->isVisible());
        // Nothing to copy.
        clipboard->setText("kept");
        m_files->ImageFile->setPicture(Picture());
        m_files->CmdCopy->click();
        QCOMPARE(clipboard->text(), QStringLiteral("kept"));
    }

    // A stored folder that is gone: the message names it, both windows are off every screen while
    // it is up and come back centred across the screen at their former heights.
    void retrieveOfAFolderThatIsGone()
    {
        const QString gone = m_pictures->path() + "-gone";
        m_main->Save3Dir = gone;
        m_main->CmdFiles->click();
        const QString folderBefore = m_files->Dir1->Path();
        WindowGeometry::setOuterPos(m_files, 30, 40);
        WindowGeometry::setOuterPos(m_main, 50, 20);
        const int mainTop = WindowGeometry::outer(m_main).top();
        const int filesTop = WindowGeometry::outer(m_files).top();
        QList<Messages::Message> shown;
        bool offScreen = false;
        Messages::setAnswerer([&](const Messages::Message &m) {
            shown << m;
            offScreen = WindowGeometry::isOffEveryScreen(m_main) && WindowGeometry::isOffEveryScreen(m_files);
            return Messages::Ok;
        });
        m_files->CmdRetrieve3->click();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Retrieve Location Not Found"));
        QCOMPARE(shown[0].text, "The folder:\r\n" + gone
                                    + "\r\ncannot be located. It may have been re-named, moved\r\n"
                                      "or is currently unavailable.");
        QCOMPARE(shown[0].icon, Messages::Icon::Critical);
        QCOMPARE(shown[0].buttons, int(Messages::Ok));
        QVERIFY(offScreen);
        QCOMPARE(m_files->Path, gone);
        QCOMPARE(m_files->Dir1->Path(), folderBefore);
        QVERIFY(m_files->isVisible());

        const int tpp = ScreenMetrics::twipsPerPixel();
        const int screenTwips = ScreenMetrics::width() * tpp;
        for (QWidget *w : {static_cast<QWidget *>(m_main), static_cast<QWidget *>(m_files)}) {
            const QRect frame = WindowGeometry::outer(w);
            QCOMPARE(frame.left(), WindowGeometry::toPixels((screenTwips - frame.width() * tpp) / 2, tpp));
        }
        QCOMPARE(WindowGeometry::outer(m_main).top(), mainTop);
        QCOMPARE(WindowGeometry::outer(m_files).top(), filesTop);
    }

    // A stored folder whose path is longer than the screen is wide: shortened in the middle, so
    // that the box, shown for real, fits the screen with its button.
    void longFolderShortenedInTheMessage()
    {
        QString gone = m_pictures->path();
        for (int i = 0; i < 300; ++i)
            gone += QStringLiteral("/a-folder-with-a-long-name-%1").arg(i);
        m_main->Save3Dir = gone;
        m_main->CmdFiles->click();
        QRect boxFrame, buttonFrame;
        QString text;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            boxFrame = box->frameGeometry();
            text = box->text();
            QAbstractButton *ok = box->buttons().value(0);
            buttonFrame = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
            ok->click();
        });
        m_files->CmdRetrieve3->click();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(boxFrame), qPrintable(QStringLiteral("%1 x %2").arg(boxFrame.width()).arg(boxFrame.height())));
        QVERIFY(screen.contains(buttonFrame));
        const QStringList lines = text.split("\r\n");
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("The folder:"));
        QVERIFY2(lines[1].startsWith(m_pictures->path().left(8)), qPrintable(lines[1]));
        QVERIFY(lines[1].endsWith("long-name-299"));
        QVERIFY(lines[1].contains(QChar(0x2026)));
        QCOMPARE(m_files->Path, gone); // the stored folder itself is not changed
    }

    // On a screen wider than the old parking place (2133 pixels), both windows still leave it
    // while the message is up.
    void retrieveMessageOnAWideScreen()
    {
        close(m_main); // the child is a program of its own, not a second copy
        const QByteArray out = runOnScreen(3840, 1080, 96, {"retrieveOfAFolderThatIsGone", "longFolderShortenedInTheMessage"});
        QVERIFY2(out.contains("PASS   : TestFolderBrowser::retrieveOfAFolderThatIsGone()")
                     && out.contains("PASS   : TestFolderBrowser::longFolderShortenedInTheMessage()")
                     && out.contains(" 0 failed,"),
                 out.constData());
    }

    // A stored folder: the browser opens it (on its drive) and previews its first file; it stays
    // open, and the main window forgets its picture. An empty slot only resets the caption.
    void retrieveOfAStoredFolder()
    {
        QTemporaryDir driveB;
        QVERIFY(QDir(driveB.path()).mkpath("trip/day1"));
        const QString stored = driveB.path() + "/trip/day1";
        QVERIFY(writePicture(stored + "/b.jpg", {50, 50}));
        QVERIFY(writePicture(stored + "/a.jpg", {40, 30}));
        Drives::setRootsForTesting({"/", driveB.path()});
        MessageRecorder boxes;
        endSplash(m_main);
        m_main->CmdFiles->click();
        m_main->Save2Dir = stored;
        m_files->CmdRetrieve2->click();
        QVERIFY(boxes.messages.isEmpty());
        QCOMPARE(m_files->Drive1->Drive(), driveB.path());
        QCOMPARE(m_files->Dir1->Path(), stored);
        QCOMPARE(m_files->File1->ListIndex(), 0);
        QCOMPARE(m_files->windowTitle(), "Find Files - " + stored + "/a.jpg");
        QCOMPARE(m_files->ImageFile->picture().size(), QSize(40, 30));
        QCOMPARE(m_main->NCount, -1);
        QVERIFY(m_files->isVisible());

        m_main->Save5Dir.clear();
        m_files->setWindowTitle("x");
        m_files->CmdRetrieve5->click();
        QCOMPARE(m_files->windowTitle(), QStringLiteral("Find Files"));
        QCOMPARE(m_files->Dir1->Path(), stored);
        QVERIFY(boxes.messages.isEmpty());
    }

    // The pointer over the browser's background turns "&Actual Size" into "&Restore" while the
    // picture is shown at its own size.
    void pointerOverTheBackground()
    {
        endSplash(m_main);
        m_main->CmdFiles->click();
        const auto move = [this] {
            QMouseEvent event(QEvent::MouseMove, QPointF(5, 5), m_files->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(m_files, &event);
        };
        move();
        QCOMPARE(m_main->CmdSize->text(), QStringLiteral("&Actual Size"));
        m_main->Imagemain->setStretch(false);
        move();
        QCOMPARE(m_main->CmdSize->text(), QStringLiteral("&Restore"));
    }

private:
    void clickFileRow(int row)
    {
        QListView *view = m_files->File1->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, row));
        QCOMPARE(m_files->File1->ListIndex(), row);
    }

    CaseFixture m_case;
    std::unique_ptr<PictureFolder> m_pictures;
    FormMain *m_main = nullptr;
    FormFiles *m_files = nullptr;
};

GALLERY_TEST_MAIN(TestFolderBrowser)
#include "test_folder_browser.moc"
