// The picture information window: its nineteen lines for bitmaps, GIF and JPEG files of known
// sizes (around 1024 bytes among them, one emptied and one no longer readable once shown) and any
// click closing it; the picture shown described from its own file also when the list has no
// selection or lists another folder, the list's selection left as it is; the figures on their own.
#include "AllForms.h"
#include "AsOtherUser.h"
#include "FileLists.h"
#include "FormFiles.h"
#include "FormInfo.h"
#include "FormMain.h"
#include "GalleryTest.h"
#include "PictureFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

using namespace GalleryTest;

namespace {

// The window's text for the given lines 3 to 19 (file name, size, type, ratio line, folder,
// width and height in pixels, print width and height).
QString expectedText(const QStringList &v)
{
    return QStringList{"                      IMAGE DATA", "", "File name:  " + v[0], "", "Size:  " + v[1], "",
                       "Type:  " + v[2], "", v[3], "", "Location:  " + v[4], "", "Image size (pixels):",
                       "    width - " + v[5], "    height - " + v[6], "", "Print size at 200dpi:",
                       "    width - " + v[7], "    height - " + v[8]}
        .join("\r\n");
}

// A picture file of exactly the given number of bytes: trailing bytes after the picture's own
// data, which readers pass over; -1 keeps the file as written.
bool writeSized(const QString &path, QSize size, qint64 bytes)
{
    QFile f(path);
    return writePicture(path, size) && (bytes < 0 || (f.size() <= bytes && f.resize(bytes)));
}

FormInfo *openInfo()
{
    FormInfo *info = Forms::FormInfo.get();
    info->show();
    return info;
}

} // namespace

class TestPictureInfo : public QObject {
    Q_OBJECT
private slots:
    void init() { m_case.init(); }
    void cleanup() { m_case.cleanup(); }

    // Each row: the file, its size in pixels and bytes (-1: as written), what becomes of it once
    // it is shown (emptied, or no longer readable), then the lines for size, type, ratio and print
    // width and height.
    void text_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("afterShown");
        QTest::addColumn<QStringList>("lines");
        const QString na = "Compression ratio: not applicable", small = "0.2 inches (5mm)|0.2 inches (4mm)";
        const auto row = [](const char *tag, const char *name, QSize pixels, qint64 bytes, const QString &lines,
                            const char *afterShown = "") {
            QTest::newRow(tag) << QString(name) << pixels << bytes << QString(afterShown) << lines.split('|');
        };
        const QString print = "0.5 inches (13mm)|0.3 inches (8mm)";
        row("24-bit bitmap", "a.bmp", {100, 60}, -1, "18 KB|Windows bitmap|24 bit color|" + print);
        row("24-bit bitmap, rows padded", "b.bmp", {101, 60}, -1, "18 KB|Windows bitmap|" + na + '|' + print);
        row("indexed bitmap", "c.bmp", {200, 200}, -1,
            "40 KB|Windows bitmap|Indexed color|1 inches (25mm)|1 inches (25mm)");
        row("GIF, 1023 bytes", "d.gif", {40, 30}, 1023, "1023 Bytes|CompuServe GIF|" + na + '|' + small);
        row("JPEG, 1024 bytes", "e.jpg", {40, 30}, 1024, "1 KB|JPEG|Compression ratio:   3.5 : 1|" + small);
        row("JPEG, 1535 bytes", "f.jpg", {40, 30}, 1535, "1 KB|JPEG|Compression ratio:   2.3 : 1|" + small);
        row("JPEG, 1536 bytes", "g.jpg", {40, 30}, 1536, "2 KB|JPEG|Compression ratio:   2.3 : 1|" + small);
        row("JPEG, 45000 bytes", "h.jpg", {640, 480}, 45000,
            "44 KB|JPEG|Compression ratio:   20.5 : 1|3.2 inches (81mm)|2.4 inches (61mm)");
        row("JPEG emptied", "i.jpg", {40, 30}, -1, "0 Bytes|JPEG|" + na + '|' + small, "emptied");
        row("JPEG unreadable", "j.jpg", {640, 480}, -1,
            "Not available|JPEG|" + na + "|3.2 inches (81mm)|2.4 inches (61mm)", "unreadable");
        // The browser lists another folder by now; the picture shown is still described.
        row("another folder opened", "k.jpg", {640, 480}, 45000,
            "44 KB|JPEG|Compression ratio:   20.5 : 1|3.2 inches (81mm)|2.4 inches (61mm)", "another folder");
    }
    // Then any click closes the window.
    void text()
    {
        QFETCH(QString, name);
        QFETCH(QSize, pixels);
        QFETCH(qint64, bytes);
        QFETCH(QString, afterShown);
        QFETCH(QStringList, lines);
        if (afterShown == "unreadable")
            RUN_AS_OTHER_USER_WHEN_ROOT();
        PictureFolder folder;
        const QString path = folder.file(name);
        if (name == "c.bmp") {
            QImage indexed(pixels, QImage::Format_Indexed8);
            indexed.setColorCount(256);
            indexed.fill(0);
            QVERIFY(indexed.save(path, "BMP"));
            QCOMPARE(QFileInfo(path).size(), 54 + 1024 + 40000);
        } else {
            QVERIFY(writeSized(path, pixels, bytes));
        }
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        PictureFolder other({{"a.jpg", {60, 40}}, {"b.jpg", {60, 40}}});
        if (afterShown == "emptied")
            QVERIFY(QFile(path).resize(0));
        else if (afterShown == "unreadable")
            QVERIFY(QFile::setPermissions(path, {}));
        else if (afterShown == "another folder")
            QVERIFY(Forms::FormFiles->Dir1->setPath(other.path()) && Forms::FormFiles->File1->setListIndex(1));
        const int selected = Forms::FormFiles->File1->ListIndex();
        FormInfo *info = openInfo();
        QCOMPARE(Forms::FormFiles->File1->ListIndex(), selected); // the browser's selection stays
        QCOMPARE(info->Lblinfo->text(),
                 expectedText({name, lines[0], lines[1], lines[2], folder.path(), QString::number(pixels.width()),
                               QString::number(pixels.height()), lines[3], lines[4]}));
        QVERIFY(info->isVisible() && info->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(info->frameGeometry().size(), QSize(400, 470));
        QCOMPARE(info->frameGeometry().center(), info->screen()->geometry().center());
        QCOMPARE(info->Lblinfo->geometry(), QRect(50, 4, 300, 430));
        QTest::mouseClick(info->windowHandle(), Qt::LeftButton, {}, QPoint(100, 60));
        QVERIFY(!Forms::FormInfo.isLoaded());
    }

    // The last picture of a list with its thumbnails filled leaves the list without a selection:
    // the window still describes it, and leaves the list as it is.
    void lastPictureShown()
    {
        PictureFolder folder(PictureFolder::numbered(3, {40, 30}));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        main->NCount = 2;
        main->DoSelectPicture();
        QCOMPARE(Forms::FormFiles->File1->ListIndex(), -1);
        const QString size = QString::number(QFileInfo(folder.file("pic03.jpg")).size());
        const QString text = openInfo()->Lblinfo->text();
        QVERIFY2(text.contains("File name:  pic03.jpg\r\n\r\nSize:  " + size + " Bytes\r\n"), qPrintable(text));
        QCOMPARE(Forms::FormFiles->File1->ListIndex(), -1);
    }

    // The figures where no shown picture leads: sizes past 2 GB whole, a name ending in ".jpeg",
    // and print sizes without a decimal.
    void figures()
    {
        PictureInfo::Figures f = PictureInfo::figures("/p/x.jpg", qint64(3) << 30, {20000, 20000});
        QCOMPARE(f.iFileDisp + f.KbByte, QStringLiteral("3145728 KB"));
        QCOMPARE(f.CompRatio, 0.4f);
        f = PictureInfo::figures("/p/dune.jpeg", 45000, {640, 480});
        QCOMPARE(f.CompRatio, 0.f);
        const QStringList lines = PictureInfo::lines("dune.jpeg", "/p", f, {1000, 333}).split("\r\n");
        QCOMPARE(lines.mid(6, 3) + lines.mid(17),
                 QStringList({"Type:  ", "", "Compression ratio: not applicable", "    width - 5 inches (127mm)",
                              "    height - 1.7 inches (42mm)"}));
    }

private:
    CaseFixture m_case;
};

GALLERY_TEST_MAIN(TestPictureInfo)
#include "test_picture_info.moc"
