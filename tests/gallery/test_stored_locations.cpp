// The six stored folder locations: "Store >" and the save dialog (captions from the name typed, a
// dialog turned to another slot, Cancel), the slots kept across a restart, and the retrieve of a
// stored folder that is gone by then.
#include "AllForms.h"
#include "FileLists.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "FormSave.h"
#include "GalleryTest.h"
#include "PictureFolders.h"

#include <QDir>

using namespace GalleryTest;

class TestStoredLocations : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_case.init();
        m_pictures = std::make_unique<PictureFolder>(PictureFolder::numbered(3));
        m_trip = m_pictures->file("trip");
        QVERIFY(QDir().mkdir(m_trip) && writePicture(m_trip + "/a.jpg", {40, 30}));
        QVERIFY(startAt(m_pictures->path()));
        openBrowser();
        QVERIFY(m_files->Dir1->setPath(m_trip));
    }
    void cleanup()
    {
        m_case.cleanup();
        m_pictures.reset();
    }

    // Slot 3 and its retrieve button get the caption made of the name as typed (at most 28
    // characters) and the folder open in the browser; no other slot changes.
    void storeCaption_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("caption");
        QTest::newRow("empty") << "" << "Retrieve Location &3";
        QTest::newRow("one blank") << " " << "Retrieve Location &3";
        QTest::newRow("two blanks") << "  " << "Retrieve Location &3";
        QTest::newRow("three blanks") << "   " << "    &3";
        QTest::newRow("leading blank") << " x" << " x &3";
        QTest::newRow("past 28 characters") << "abcdefghijklmnopqrstuvwxyz0123" << "abcdefghijklmnopqrstuvwxyz01 &3";
    }
    void storeCaption()
    {
        QFETCH(QString, typed);
        QFETCH(QString, caption);
        m_files->CmdStore3->click();
        FormSave *save = Forms::FormSave.loaded();
        QVERIFY(save && save->isVisible());
        QCOMPARE(save->windowTitle(), QStringLiteral("Save Folder Location (3)"));
        QVERIFY(save->Label1->text().startsWith("You can save the location of the currently selected folder"));
        QCOMPARE(save->focusWidget(), save->TextSave);
        QTest::keyClicks(save->TextSave, typed);
        QTest::keyClick(save->TextSave, Qt::Key_Return); // acts as OK
        flushDeletes();
        QVERIFY(!Forms::FormSave.loaded());
        QCOMPARE(m_files->CmdRetrieve3->text(), caption);
        QCOMPARE(Forms::FormMain->Save3Caption, caption);
        QCOMPARE(Forms::FormMain->Save3Dir, m_trip);
        for (int slot : {1, 2, 4, 5, 6})
            QVERIFY(Forms::FormMain->saveCaption(slot) == FormSave::defaultCaption(slot)
                    && Forms::FormMain->saveDir(slot) == "/");
    }

    // Store 1, then Store 4 with the dialog open: slot 4 gets the name typed so far. Cancel stores
    // nothing, and the dialog opens next time with an empty name. After a restart the retrieve
    // button reads "Trip &4" and opens the folder; once the folder is gone it is reported by name.
    void turnedCancelledAndKept()
    {
        m_files->cmdStore1->click();
        QTest::keyClicks(Forms::FormSave->TextSave, "Trip");
        m_files->CmdStore4->click();
        QCOMPARE(Forms::FormSave->windowTitle(), QStringLiteral("Save Folder Location (4)"));
        Forms::FormSave->cmdOK->click();
        m_files->CmdStore2->click();
        QTest::keyClicks(Forms::FormSave->TextSave, "No");
        Forms::FormSave->CmdCancel->click();
        flushDeletes();
        m_files->CmdStore2->click();
        QVERIFY(Forms::FormSave->TextSave->text().isEmpty());
        QCOMPARE(Forms::FormMain->Save1Caption, QStringLiteral("Retrieve Location &1"));
        QCOMPARE(Forms::FormMain->Save2Caption, QStringLiteral("Retrieve Location &2"));

        close(Forms::FormMain);
        QVERIFY(start());
        openBrowser();
        QCOMPARE(m_files->CmdRetrieve4->text(), QStringLiteral("Trip &4"));
        m_files->CmdRetrieve4->click();
        QCOMPARE(m_files->windowTitle(), "Find Files - " + m_trip + "/a.jpg");
        QVERIFY(m_files->Dir1->setPath(m_pictures->path()) && QDir(m_trip).removeRecursively());
        MessageRecorder boxes;
        m_files->CmdRetrieve4->click();
        QCOMPARE(boxes.messages.size(), 1);
        QCOMPARE(boxes.messages[0].title, QStringLiteral("Retrieve Location Not Found"));
        QVERIFY(boxes.messages[0].text.contains("\r\n" + m_trip + "\r\n"));
        QCOMPARE(m_files->Dir1->Path(), m_pictures->path());
    }

private:
    void openBrowser()
    {
        Forms::FormMain->Timer2->stop();
        endSplash(Forms::FormMain);
        Forms::FormMain->CmdFiles->click();
        m_files = Forms::FormFiles.loaded();
    }

    CaseFixture m_case;
    std::unique_ptr<PictureFolder> m_pictures;
    QString m_trip;
    FormFiles *m_files = nullptr;
};

GALLERY_TEST_MAIN(TestStoredLocations)
#include "test_stored_locations.moc"
