// The picture list and the choice of picture: which picture the main window starts at when the
// browser hands over, the index rules, folders without pictures, files that are not pictures, the
// list's order whatever the locale, and one decode of each picture.
#include "AllForms.h"
#include "FileLists.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "GalleryTest.h"
#include "PictureCache.h"
#include "PictureFolders.h"
#include "PrintedPdf.h"
#include "ScreenMetrics.h"
#include "FormBlowUp.h"
#include "FormInfo.h"
#include "FormNote.h"
#include "RichTextEdit.h"
#include "FormRemote.h"
#include "FormSave.h"
#include "WindowGeometry.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QListView>
#include <QPainter>
#include <QProcess>
#include <QtEndian>

#include <fcntl.h>
#include <unistd.h>

using namespace GalleryTest;

namespace {

void clickFile(FormFiles *files, int row)
{
    QListView *view = files->File1->view();
    const QRect r = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
}

void doubleClickFile(FormFiles *files, int row)
{
    QListView *view = files->File1->view();
    const QRect r = view->visualRect(view->model()->index(row, 0));
    // Its first press selects, its second opens.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, r.center());
}

// Files named by their bytes, whatever they are.
bool writeRaw(const QByteArray &path, const QByteArray &data)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 && ::write(fd, data.constData(), data.size()) == data.size();
    return ::close(fd) == 0 && written;
}

QByteArray readRaw(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY);
    QByteArray data(4096, '\0');
    const ssize_t n = fd >= 0 ? ::read(fd, data.data(), data.size()) : -1;
    ::close(fd);
    return n < 0 ? QByteArray() : data.left(n);
}

QStringList listed(const FileListBox *list)
{
    QStringList names;
    for (int i = 0; i < list->ListCount(); ++i)
        names << list->List(i);
    return names;
}

const QStringList kOrderNames = {"b.jpg", "img10.jpg", "A.jpg", "img2.jpg", "\u00c1baco.jpg", "abc.JPG", "_x.jpg",
                                 "IMG1.bmp"};
const QStringList kOrderExpected = {"_x.jpg", "A.jpg", "\u00c1baco.jpg", "abc.JPG", "b.jpg", "IMG1.bmp", "img2.jpg",
                                    "img10.jpg"};

// Child: the browser's list and the captions of the pictures in turn, one a line.
int reportOrder(int argc, char **argv)
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    ProgramFolderFixture program;
    FormMain *main = startAt(QString::fromLocal8Bit(argv[2]));
    if (!main)
        return 1;
    endSplash(main);
    QTextStream out(stdout);
    out << listed(Forms::FormFiles->File1).join('|') << Qt::endl;
    for (int n = 0; n < Forms::FormFiles->File1->ListCount(); ++n) {
        main->NCount = n;
        main->DoSelectPicture();
        out << main->windowTitle() << Qt::endl;
    }
    close(main);
    return 0;
}

} // namespace

class TestPictureList : public QObject {
    Q_OBJECT
private slots:
    void init() { m_case.init(); }
    void cleanup() { m_case.cleanup(); }

    // "&Close": in a folder of up to four pictures the first; in a larger one the file clicked.
    void closeStartsAtTheRightPicture_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("clicked"); // -1: none
        QTest::addColumn<int>("shown");
        QTest::newRow("3, third clicked") << 3 << 2 << 0;
        QTest::newRow("3, none clicked") << 3 << -1 << 0;
        QTest::newRow("4, last clicked") << 4 << 3 << 0;
        QTest::newRow("1, none clicked") << 1 << -1 << 0;
        QTest::newRow("5, fifth clicked") << 5 << 4 << 4;
        QTest::newRow("7, third clicked") << 7 << 2 << 2;
        QTest::newRow("7, first clicked") << 7 << 0 << 0;
        QTest::newRow("7, none clicked") << 7 << -1 << 0;
        QTest::newRow("10, fourth clicked") << 10 << 3 << 3;
    }
    void closeStartsAtTheRightPicture()
    {
        QFETCH(int, count);
        QFETCH(int, clicked);
        QFETCH(int, shown);
        PictureFolder folder(PictureFolder::numbered(count));
        FormMain *main = startAt(folder.path(), false);
        QVERIFY(main);
        // The browser opened during the splash period, at the saved folder.
        main->CmdFiles->click();
        FormFiles *files = Forms::FormFiles.loaded();
        QVERIFY(files->isVisible());
        QVERIFY(!main->Imagemain->isEnabled());
        QCOMPARE(files->File1->ListIndex(), -1);
        if (clicked >= 0) {
            clickFile(files, clicked);
            QCOMPARE(files->File1->ListIndex(), clicked);
        }
        files->CmdClose->click();
        QVERIFY(!files->isVisible());
        const QString name = QStringLiteral("pic%1.jpg").arg(shown + 1, 2, 10, QLatin1Char('0'));
        QCOMPARE(main->NCount, shown);
        QCOMPARE(main->ListIndexStore, shown);
        QCOMPARE(files->File1->FileName(), name);
        QCOMPARE(main->windowTitle(), QStringLiteral("Vistello  -  %1     Zoom: 1033%").arg(name));
        QCOMPARE(main->Imagemain->picture().path(), folder.file(name));
        QCOMPARE(main->PictureScale->picture().path(), folder.file(name));
        QVERIFY(main->Imagemain->isEnabled());
        QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(files->cursor().shape(), Qt::ArrowCursor);
    }

    // Enter and a double click on a file close the browser as "&Close" does; Enter on another
    // button presses that button.
    void enterAndDoubleClickClose()
    {
        PictureFolder folder(PictureFolder::numbered(7));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        FormFiles *files = Forms::FormFiles.loaded();

        main->CmdFiles->click();
        doubleClickFile(files, 5);
        QVERIFY(!files->isVisible());
        QCOMPARE(main->NCount, 5);

        main->CmdFiles->click();
        clickFile(files, 2);
        QTest::keyClick(files->File1->view(), Qt::Key_Return);
        QVERIFY(!files->isVisible());
        QCOMPARE(main->NCount, 2);

        main->CmdFiles->click();
        files->CmdCopy->setFocus();
        QTest::keyClick(files->CmdCopy, Qt::Key_Return);
        QVERIFY(files->isVisible());
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(60, 40));
    }

    void indexRules_data()
    {
        QTest::addColumn<int>("ncount");
        QTest::addColumn<int>("shown");
        QTest::newRow("3") << 3 << 3;
        QTest::newRow("last") << 9 << 9;
        QTest::newRow("-2 gives the last") << -2 << 9;
        QTest::newRow("-3 gives the last") << -3 << 9;
        QTest::newRow("-4 gives the last") << -4 << 9;
        QTest::newRow("at the end wraps to the first") << 10 << 0;
        QTest::newRow("past the end wraps to the first") << 13 << 0;
    }
    void indexRules()
    {
        QFETCH(int, ncount);
        QFETCH(int, shown);
        PictureFolder folder(PictureFolder::numbered(10));
        FormMain *main = startAt(folder.path(), false);
        QVERIFY(main);
        endSplash(main);
        main->NCount = ncount;
        main->DoSelectPicture();
        QCOMPARE(main->NCount, shown);
        QCOMPARE(Forms::FormFiles->File1->ListIndex(), shown);
        QCOMPARE(main->ListIndexStore, shown);
        const QString name = QStringLiteral("pic%1.jpg").arg(shown + 1, 2, 10, QLatin1Char('0'));
        QCOMPARE(main->Imagemain->picture().path(), folder.file(name));
        QVERIFY(main->windowTitle().startsWith("Vistello  -  " + name));
    }

    // A type filter shrinks the list under a picture near its end: the next step shows the first.
    void filterShrinksTheListUnderThePicture()
    {
        PictureFolder folder({{"a1.jpg", {60, 40}}, {"a2.jpg", {60, 40}}, {"a3.jpg", {60, 40}},
                              {"b1.bmp", {60, 40}}, {"b2.bmp", {60, 40}}});
        FormMain *main = startAt(folder.path(), false);
        QVERIFY(main);
        endSplash(main);
        main->NCount = 4;
        main->DoSelectPicture();
        QCOMPARE(Forms::FormFiles->File1->FileName(), QStringLiteral("b2.bmp"));
        main->CmdFiles->click();
        Forms::FormFiles->OptionJPG->click();
        QCOMPARE(Forms::FormFiles->File1->ListCount(), 3);
        QCOMPARE(main->NCount, 4); // the filter leaves it
        main->DoSelectPicture();
        QCOMPARE(main->NCount, 0);
        QCOMPARE(Forms::FormFiles->File1->FileName(), QStringLiteral("a1.jpg"));
        QCOMPARE(main->Imagemain->picture().path(), folder.file("a1.jpg"));
    }

    void emptyListSelectsAndLoadsNothing()
    {
        PictureFolder pictures(PictureFolder::numbered(2));
        PictureFolder empty;
        FormMain *main = startAt(pictures.path());
        QVERIFY(main);
        endSplash(main);
        const Picture shownBefore = main->Imagemain->picture();
        QVERIFY(Forms::FormFiles->Dir1->setPath(empty.path()));
        for (int n : {0, 3, -1}) {
            main->NCount = n;
            main->DoSelectPicture();
            QCOMPARE(main->NCount, -1);
            QCOMPARE(Forms::FormFiles->File1->ListIndex(), -1);
            QCOMPARE(main->ListIndexStore, -1);
            QCOMPARE(main->Imagemain->picture(), shownBefore);
            QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
        }
    }

    // A folder without pictures: the browser comes back, at its working size, in front.
    void folderWithoutPicturesShowsTheBrowserAgain_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("end of the splash") << 0;
        QTest::newRow("Esc in the browser") << 1;
        QTest::newRow("the browser's close box") << 2;
    }
    void folderWithoutPicturesShowsTheBrowserAgain()
    {
        QFETCH(int, how);
        PictureFolder empty({{"notes.txt", {1, 1}}});
        FormMain *main = startAt(empty.path());
        QVERIFY(main);
        FormFiles *files = Forms::FormFiles.loaded();
        if (how > 0) {
            main->CmdFiles->click();
            QVERIFY(Forms::FormInfo.get());
            if (how == 1)
                QTest::keyClick(files->File1->view(), Qt::Key_Escape);
            else
                QVERIFY(!files->close());
            flushDeletes();
            QCOMPARE(Forms::FormFiles.loaded(), files);
        } else {
            QVERIFY(Forms::FormInfo.get());
            endSplash(main);
        }
        QVERIFY(files->isVisible());
        QCOMPARE(main->SplashTime, 30);
        QVERIFY(!Forms::FormInfo.isLoaded());
        for (int n = 2; n <= 4; ++n)
            QVERIFY(!main->thumb(n)->isVisible());
        QVERIFY(main->ImageThumb1->isVisible());
        const int tpp = ScreenMetrics::twipsPerPixel();
        const QRect frame = WindowGeometry::outer(files);
        QCOMPARE(frame.size(), QSize(WindowGeometry::toPixels(8600, tpp), WindowGeometry::toPixels(7170, tpp)));
        QCOMPARE(main->windowTitle(), QStringLiteral("Vistello"));
        QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!files->CmdCopy->isEnabled());
    }

    // A folder of a picture, a file that is no picture and another picture, stepped through: the
    // file that is none shows nothing under its own name (the caption without a zoom), and the
    // information, "&Print" and "&Copy" take it for no picture; the steps go on, and no message is
    // shown. The browser's preview keeps its picture while its caption names the file.
    void fileThatIsNotAPicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text named .jpg") << "b.jpg" << QByteArray("this is no picture");
        QTest::newRow("empty bitmap") << "b.bmp" << QByteArray("");
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImage(300, 200, QImage::Format_RGB32).save(&buffer, "JPG");
        QTest::newRow("JPEG cut in its header") << "b.jpg" << jpeg.left(100);
        // A PNG header claiming 60000 x 60000 pixels, then the start of its data.
        QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
        png += QByteArray("\0\0\xea\x60\0\0\xea\x60\x08\x02\0\0\0\x0f\xb0\xe2\x15", 17);
        png += QByteArray("\0\0\0\x28IDAT", 8) + QByteArray(40, '\x7f');
        QTest::newRow("60000 x 60000") << "b.jpg" << png;
    }
    void fileThatIsNotAPicture()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        PictureFolder folder({{"a.jpg", {300, 200}}, {"c.jpg", {200, 300}}});
        folder.addText(name, content);
        MessageRecorder boxes;
        FormMain *main = startAt(folder.path(), false);
        QVERIFY(main);
        endSplash(main);
        FormFiles *files = Forms::FormFiles.loaded();
        QClipboard *clipboard = QGuiApplication::clipboard();
        QTemporaryDir out;
        const QStringList names = {"a.jpg", name, "c.jpg", "a.jpg"};
        const QStringList captions = {"a.jpg     Zoom: 207%", name, "c.jpg     Zoom: 163%", "a.jpg     Zoom: 207%"};
        const QList<QSize> sizes = {{300, 200}, {0, 0}, {200, 300}, {300, 200}};
        for (int n = 0; n < names.size(); ++n) {
            const QString step = QStringLiteral("at %1 (step %2)").arg(names[n]).arg(n);
            if (n > 0) {
                QVERIFY2(main->CmdFwdOne->isEnabled(), qPrintable(step));
                main->CmdFwdOne->click();
            }
            const bool picture = !sizes[n].isEmpty();
            QCOMPARE(main->windowTitle(), "Vistello  -  " + captions[n]);
            QCOMPARE(main->Imagemain->picture().path(), picture ? folder.file(names[n]) : QString());
            QCOMPARE(QSizeF(main->PictureScale->Width(), main->PictureScale->Height()), QSizeF(sizes[n]));
            QCOMPARE(files->windowTitle(), "Find Files - " + folder.file(names[n]));
            QCOMPARE(files->ImageFile->picture().path(), folder.file(picture ? names[n] : names[n - 1]));
            QCOMPARE(main->ListIndexStore, n % 3);
            if (!picture)
                QVERIFY(near(box(main->Imagemain), {7, 3, 620, 490}));

            QTest::mousePress(main->Imagemain, Qt::RightButton, {}, main->Imagemain->rect().center());
            QCOMPARE(Forms::FormInfo.isLoaded(), picture);
            if (picture)
                QVERIFY(Forms::FormInfo->Lblinfo->text().contains("File name:  " + names[n] + "\r\n"));
            Forms::FormInfo.unload();

            clipboard->setText(QStringLiteral("before"));
            main->CmdCopy->click();
            QCOMPARE(clipboard->image().size(), sizes[n]);
            if (!picture)
                QCOMPARE(clipboard->text(), QStringLiteral("before"));

            const QString pdf = out.filePath(QStringLiteral("%1.pdf").arg(n));
            const auto answered = PrintedPdf::answerPrintDialog(pdf);
            main->CmdPrint->click();
            QCoreApplication::processEvents();
            QCOMPARE(*answered, picture);
            QCOMPARE(QFile::exists(pdf), picture);
            if (picture)
                QCOMPARE(PrintedPdf::read(pdf).images.value(0).pixels, sizes[n]);
        }
        QVERIFY(boxes.messages.isEmpty());
        QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
    }

    // Every picture file of a folder is shown: a bitmap stored top row first, and a name that is
    // not valid UTF-8, kept byte for byte from the list to the picture and to its note.
    void everyPictureFileShown_data()
    {
        QTest::addColumn<QByteArray>("name"); // the file's own bytes
        QTest::addColumn<QString>("shown");   // the name as the list and the captions show it
        QTest::newRow("top-down bitmap") << QByteArray("down.bmp") << "down.bmp";
        QTest::newRow("name not UTF-8") << QByteArray("caf\xe9 \xff.jpg") << QString::fromUtf8("caf\ufffd \ufffd.jpg");
    }
    void everyPictureFileShown()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        PictureFolder folder;
        const QByteArray path = QFile::encodeName(folder.path()) + '/' + name;
        // 80 x 60, its top-left quarter darker.
        QImage image(80, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).fillRect(0, 0, 40, 30, Qt::black);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (name.endsWith(".bmp")) {
            // Stored top row first: the rows in that order and the height negative.
            QVERIFY(image.mirrored().save(&buffer, "BMP"));
            qToLittleEndian<qint32>(-60, bytes.data() + 22);
        } else {
            QVERIFY(image.save(&buffer, "JPG", 95));
        }
        QVERIFY(writeRaw(path, bytes));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        const FileListBox *list = Forms::FormFiles->File1;
        QCOMPARE(list->ListCount(), 1);
        QCOMPARE(list->view()->model()->index(0, 0).data().toString(), shown);
        QCOMPARE(main->windowTitle(), "Vistello  -  " + shown + "     Zoom: 775%");
        QCOMPARE(Forms::FormFiles->windowTitle(), "Find Files - " + folder.file(shown));
        QCOMPARE(QSizeF(main->PictureScale->Width(), main->PictureScale->Height()), QSizeF(80, 60));
        const QImage drawn = main->Imagemain->drawnImage();
        QVERIFY(qGray(drawn.pixel(10, 10)) < 60 && qGray(drawn.pixel(610, 450)) > 200);

        main->CmdNoteShow->click();
        QCOMPARE(Forms::FormNote->windowTitle(), " Note - " + shown);
        QTest::keyClicks(Forms::FormNote->TextNote, "mine");
        Forms::FormNote->CmdNoteSave->click();
        QCOMPARE(readRaw(path.chopped(4) + ".txt"), QByteArray("mine\r\n"));
        main->CmdNoteShow->click();
        QCOMPARE(Forms::FormNote->text(), QStringLiteral("mine\r\n"));
    }

    // A picture cut short after its header: shown at its header's size, no message, no crash.
    void truncatedPicture()
    {
        PictureFolder folder;
        QVERIFY(writePicture(folder.file("cut.jpg"), {800, 600}));
        QFile f(folder.file("cut.jpg"));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.resize(f.size() / 3));
        f.close();
        MessageRecorder boxes;
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        QCOMPARE(main->windowTitle(), QStringLiteral("Vistello  -  cut.jpg     Zoom: 78%"));
        main->Imagemain->drawnImage();
        QVERIFY(boxes.messages.isEmpty());
    }

    // The list's order is its own (case and accents aside, numbers by value), whatever the locale.
    void orderUnderTheCLocale()
    {
        PictureFolder folder;
        for (const QString &name : kOrderNames)
            QVERIFY(writePicture(folder.file(name), {40, 30}));
        QVERIFY(writePicture(folder.file(".hidden.jpg"), {40, 30}));
        QVERIFY(QDir(folder.path()).mkdir("folder.jpg"));
        folder.addText("notes.txt", "x");

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LANG", "C.UTF-8");
        env.insert("LC_ALL", "C.UTF-8");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--report-order", folder.path()});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + kOrderExpected.size());
        QCOMPARE(lines.first().split('|'), kOrderExpected);
        for (int i = 0; i < kOrderExpected.size(); ++i)
            QCOMPARE(lines[i + 1], QStringLiteral("Vistello  -  %1     Zoom: 1550%").arg(kOrderExpected[i]));

        // And the same here, in this process's own locale.
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        QCOMPARE(listed(Forms::FormFiles->File1), kOrderExpected);
    }

    // Each picture is decoded once: the viewing area, the pictures after it (prepared ahead for the
    // thumbnail column), the thumbnails and the preview all draw from that decode; the preview of
    // a hidden browser is not decoded until the browser is shown, while its caption follows every
    // selection.
    void oneDecodePerPicture()
    {
        PictureFolder folder(PictureFolder::numbered(3, {1600, 1200}));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        PictureCache &cache = PictureCache::instance();
        cache.waitForPrepared();
        cache.clear();
        cache.resetStats();
        endSplash(main);
        main->Imagemain->drawnImage();
        main->ImageThumb1->drawnImage();
        cache.waitForPrepared();
        QCOMPARE(cache.stats().decodes, 3); // the first picture and, in the column, the other two

        FormFiles *files = Forms::FormFiles.loaded();
        QVERIFY(!files->isVisible());
        files->File1->setListIndex(2);
        QCOMPARE(files->windowTitle(), "Find Files - " + folder.file("pic03.jpg"));
        QCOMPARE(files->ImageFile->picture().path(), folder.file("pic03.jpg"));
        cache.waitForPrepared();
        QCOMPARE(cache.stats().decodes, 3);

        // Through the three pictures and back to the first: each was decoded once.
        for (int n : {1, 2, 0}) {
            main->Imagemain->setStretch(true);
            main->NCount = n;
            main->DoSelectPicture();
            QCOMPARE(main->Imagemain->drawnImage().size(), QSize(620, 465));
            main->ImageThumb1->drawnImage();
        }
        cache.waitForPrepared();
        QCOMPARE(cache.stats().decodes, 3);

        main->CmdFiles->click();
        QCOMPARE(files->ImageFile->drawnImage().isNull(), false);
        cache.waitForPrepared();
        QCOMPARE(cache.stats().decodes, 3);
    }

private:
    CaseFixture m_case;
};

int main(int argc, char **argv)
{
    if (argc > 2 && QByteArray(argv[1]) == "--report-order")
        return reportOrder(argc, argv);
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    TestPictureList test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_picture_list.moc"
