// The main window's mouse commands: clicks and the right-button press on the viewing area, the
// background click, "&Find Files", "&Copy" (the clipboard's picture) and "&Print" with Ctrl+P (the
// PDF file printed to, and Cancel).
#include "AllForms.h"
#include "AsOtherUser.h"
#include "FileLists.h"
#include "FormBlowUp.h"
#include "FormFiles.h"
#include "FormInfo.h"
#include "FormMain.h"
#include "FormNote.h"
#include "GalleryTest.h"
#include "PictureFolders.h"
#include "PrintedPdf.h"
#include "Printer.h"
#include "WindowGeometry.h"

#include <QClipboard>
#include <QFile>
#include <QPrinter>

using namespace GalleryTest;

namespace {

template<class T>
bool shown(const FormOnReference<T> &form)
{
    return form.loaded() && form.loaded()->isVisible();
}

// Where a window stands when put at the given twips from the main window's corner.
QPoint besideMain(FormMain *main, int belowTwips, int rightTwips)
{
    const int ps = main->PixelScale;
    const QRect frame = WindowGeometry::outer(main);
    return {WindowGeometry::toPixels(WindowGeometry::toTwips(frame.left(), ps) + rightTwips, ps),
            WindowGeometry::toPixels(WindowGeometry::toTwips(frame.top(), ps) + belowTwips, ps)};
}

QPoint centre(ImageBox *box)
{
    return box->rect().center();
}

} // namespace

class TestMouseCommands : public QObject {
    Q_OBJECT

    // The program at a folder holding one picture of that size, its splash period over.
    FormMain *startWith(QSize size, std::unique_ptr<PictureFolder> &folder)
    {
        folder = std::make_unique<PictureFolder>(QList<PictureFile>{{"a.jpg", size}, {"b.jpg", {50, 40}}});
        FormMain *main = startAt(folder->path());
        if (main)
            endSplash(main);
        return main;
    }

private slots:
    void init() { m_case.init(); }
    void cleanup() { m_case.cleanup(); }

    // More than 4 square pixels with a side over 2 pixels counts as a picture.
    void rightPressShowsTheInformation_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("shows");
        QTest::newRow("2 x 3") << QSize(2, 3) << false << true;
        QTest::newRow("1 x 5") << QSize(1, 5) << false << true;
        QTest::newRow("2 x 2") << QSize(2, 2) << false << false;
        QTest::newRow("1 x 4") << QSize(1, 4) << false << false;
        QTest::newRow("help mode") << QSize(60, 40) << true << false;
    }
    void rightPressShowsTheInformation()
    {
        QFETCH(QSize, size);
        QFETCH(bool, help);
        QFETCH(bool, shows);
        std::unique_ptr<PictureFolder> folder;
        FormMain *main = startWith(size, folder);
        QVERIFY(main);
        QCOMPARE(main->PictureScale->Width(), double(size.width()));
        main->HelpActive = help; // the handler's own test: the area stays enabled here
        QTest::mousePress(main->Imagemain, Qt::LeftButton, {}, centre(main->Imagemain));
        QTest::mouseRelease(main->Imagemain, Qt::LeftButton, {}, centre(main->Imagemain));
        Forms::FormBlowUp.unload();
        QVERIFY(!shown(Forms::FormInfo)); // the left button does not
        QTest::mousePress(main->Imagemain, Qt::RightButton, {}, centre(main->Imagemain));
        QCOMPARE(shown(Forms::FormInfo), shows);
        QVERIFY(!shown(Forms::FormBlowUp));
    }

    // A left click closes the note (written) and opens the enlarged view of a picture, outside help
    // mode and with the browser closed; with the browser open it brings that beside the main window.
    void leftClickOnTheViewingArea_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("open"); // "note", "browser", "help" or nothing
        QTest::addColumn<bool>("enlarged");
        QTest::newRow("a picture") << QSize(60, 40) << QString() << true;
        QTest::newRow("the note open") << QSize(60, 40) << "note" << true;
        QTest::newRow("the browser open") << QSize(60, 40) << "browser" << false;
        QTest::newRow("help mode") << QSize(60, 40) << "help" << false;
        QTest::newRow("no picture (2 x 2)") << QSize(2, 2) << QString() << false;
    }
    void leftClickOnTheViewingArea()
    {
        QFETCH(QSize, size);
        QFETCH(QString, open);
        QFETCH(bool, enlarged);
        std::unique_ptr<PictureFolder> folder;
        FormMain *main = startWith(size, folder);
        QVERIFY(main);
        if (open == "browser") {
            main->CmdFiles->click();
            WindowGeometry::setOuterPos(Forms::FormFiles.get(), 0, 0);
        }
        if (open == "note")
            Forms::FormNote->show();
        Forms::FormInfo->show();
        main->HelpActive = open == "help"; // the handler's own test: the area stays enabled here
        QTest::mouseClick(main->Imagemain, Qt::LeftButton, {}, centre(main->Imagemain));
        QCOMPARE(shown(Forms::FormBlowUp), enlarged);
        if (enlarged)
            QCOMPARE(Forms::FormBlowUp->ImageBlowUp->picture(), main->Imagemain->picture());
        QCOMPARE(shown(Forms::FormInfo), !enlarged);
        QVERIFY(!shown(Forms::FormNote));
        if (open == "browser") {
            QVERIFY(Forms::FormFiles->isVisible());
            QCOMPARE(WindowGeometry::outer(Forms::FormFiles.get()).topLeft(), besideMain(main, 300, 400));
        }
    }

    void doubleClickClosesTheNote()
    {
        std::unique_ptr<PictureFolder> folder;
        FormMain *main = startWith({60, 40}, folder);
        QVERIFY(main);
        Forms::FormNote->show();
        main->Imagemain_DblClick();
        QVERIFY(!Forms::FormNote.isLoaded());
    }

    // A click or double click on the background closes the information window and brings the
    // browser and the note window beside the main window, each at its own offset.
    void backgroundClickTidiesTheWindows_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("click") << false;
        QTest::newRow("double click") << true;
    }
    void backgroundClickTidiesTheWindows()
    {
        QFETCH(bool, doubleClick);
        std::unique_ptr<PictureFolder> folder;
        FormMain *main = startWith({60, 40}, folder);
        QVERIFY(main);
        main->show();
        main->CmdFiles->click();
        Forms::FormNote->show();
        Forms::FormInfo->show();
        WindowGeometry::setOuterPos(Forms::FormFiles.get(), 0, 0);
        WindowGeometry::setOuterPos(Forms::FormNote.get(), 0, 0);
        const QPoint background(635, 300);
        QVERIFY(main->childAt(background) == nullptr);
        if (doubleClick)
            QTest::mouseDClick(main, Qt::LeftButton, {}, background);
        else
            QTest::mouseClick(main, Qt::LeftButton, {}, background);
        QVERIFY(!shown(Forms::FormInfo));
        QCOMPARE(WindowGeometry::outer(Forms::FormFiles.get()).topLeft(), besideMain(main, 600, 1405));
        QCOMPARE(WindowGeometry::outer(Forms::FormNote.get()).topLeft(), besideMain(main, 1395, 1760));
        QVERIFY(Forms::FormFiles->isVisible() && Forms::FormNote->isVisible());
    }

    // "&Find Files" chooses every picture type only when no type is chosen.
    void findFilesKeepsTheTypeChosen()
    {
        std::unique_ptr<PictureFolder> folder;
        FormMain *main = startWith({60, 40}, folder);
        QVERIFY(main);
        FormFiles *files = Forms::FormFiles.get();
        files->OptionAll->setValue(false);
        main->CmdFiles->click();
        QVERIFY(files->OptionAll->value());
        files->hide();
        files->OptionJPG->setValue(true);
        main->CmdFiles->click();
        QVERIFY(files->OptionJPG->value() && !files->OptionAll->value());
        QCOMPARE(files->File1->Pattern(), QStringLiteral("*.jpg"));
    }

    // The clipboard gets the picture at its own size (the viewing area shows it fitted); without a
    // picture the clipboard is left as it was.
    void copyPutsThePictureOnTheClipboard()
    {
        std::unique_ptr<PictureFolder> folder;
        folder = std::make_unique<PictureFolder>(QList<PictureFile>{{"a.jpg", {1600, 1200}}});
        FormMain *main = startAt(folder->path());
        QVERIFY(main);
        QClipboard *clipboard = QApplication::clipboard();
        clipboard->setText(QStringLiteral("before"));
        MessageRecorder messages;
        main->CmdCopy->click(); // the splash period: no picture yet
        QCOMPARE(clipboard->text(), QStringLiteral("before"));
        endSplash(main);
        Forms::FormNote->show();
        main->CmdCopy->click();
        const QImage copied = clipboard->image();
        QCOMPARE(copied.size(), QSize(1600, 1200));
        QCOMPARE(copied.pixelColor(1200, 900), QImage(folder->file("a.jpg")).pixelColor(1200, 900));
        QVERIFY(!Forms::FormNote.isLoaded());
        QVERIFY(messages.messages.isEmpty());
    }

    // "&Print" and Ctrl+P print the true-size picture 700 twips from the printable area's corner at
    // its size on the screen, or, larger than the printable area, made smaller to fit it with its
    // proportions kept, from its own pixels; Cancel prints nothing and says nothing; a print that
    // cannot be written says so; without a picture there is no dialog.
    void printToAPdfFile_data()
    {
        QTest::addColumn<QString>("how"); // "button", "Ctrl+P", "cancel", "no picture", "unwritable"
        QTest::addColumn<QSize>("size");
        QTest::newRow("print button") << "button" << QSize(160, 120);
        QTest::newRow("Ctrl+P") << "Ctrl+P" << QSize(160, 120);
        QTest::newRow("cancel") << "cancel" << QSize(160, 120);
        QTest::newRow("no picture") << "no picture" << QSize(160, 120);
        QTest::newRow("larger than the page") << "button" << QSize(6000, 4000);
        QTest::newRow("taller than the page") << "button" << QSize(700, 1500);
        QTest::newRow("folder not writable") << "unwritable" << QSize(160, 120);
    }
    void printToAPdfFile()
    {
        QFETCH(QString, how);
        QFETCH(QSize, size);
        if (how == "unwritable")
            RUN_AS_OTHER_USER_WHEN_ROOT();
        std::unique_ptr<PictureFolder> folder;
        folder = std::make_unique<PictureFolder>(QList<PictureFile>{{"a.jpg", size}});
        FormMain *main = startAt(folder->path());
        QVERIFY(main);
        if (how != "no picture")
            endSplash(main);
        QTemporaryDir out;
        const QString pdf = out.filePath("a.pdf");
        if (how == "unwritable")
            QVERIFY(QFile::setPermissions(out.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        MessageRecorder messages;
        const auto answered = PrintedPdf::answerPrintDialog(how == "cancel" ? QString() : pdf);
        if (how == "Ctrl+P")
            QTest::keyClick(main, Qt::Key_P, Qt::ControlModifier);
        else
            main->CmdPrint->click();
        QCoreApplication::processEvents();
        QCOMPARE(*answered, how != "no picture");
        if (how == "unwritable") {
            QCOMPARE(messages.messages.size(), 1);
            QCOMPARE(messages.messages[0].title, QStringLiteral("Picture Not Printed"));
            QVERIFY(messages.messages[0].text.startsWith("The picture:\r\na.jpg\r\ncould not be printed ("));
            QVERIFY(messages.messages[0].icon == Messages::Icon::Critical);
        } else {
            QVERIFY(messages.messages.isEmpty());
        }
        if (how == "cancel" || how == "no picture" || how == "unwritable") {
            QVERIFY(!QFile::exists(pdf));
            return;
        }
        const PrintedPdf::Pdf printed = PrintedPdf::read(pdf);
        QCOMPARE(printed.pages, 1);
        QCOMPARE(printed.images.size(), 1);
        QCOMPARE(printed.images[0].pixels, size);
        const double pointsPerPixel = main->PixelScale / 20.0;
        const QRectF page = Printer::printer().pageRect(QPrinter::Point);
        // The room from the corner 700 twips (35 points) in to the printable area's far edges.
        const QSizeF room = page.size() - QSizeF(35, 35);
        const QSizeF screen = QSizeF(size) * pointsPerPixel;
        const double shrink = std::min({1.0, room.width() / screen.width(), room.height() / screen.height()});
        const QRectF expected(page.topLeft() + QPointF(35, 35), screen * shrink);
        const QRectF drawn = printed.drawn;
        QVERIFY2(qAbs(drawn.x() - expected.x()) <= 1 && qAbs(drawn.y() - expected.y()) <= 1
                     && qAbs(drawn.width() - expected.width()) <= 1 && qAbs(drawn.height() - expected.height()) <= 1,
                 qPrintable(describe(drawn) + " for " + describe(expected)));
    }

private:
    CaseFixture m_case;
};

GALLERY_TEST_MAIN(TestMouseCommands)
#include "test_mouse_commands.moc"
