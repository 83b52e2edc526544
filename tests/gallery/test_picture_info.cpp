// The picture information window: its nineteen lines for bitmaps, GIF and JPEG files of known
// sizes (sizes around 1024 bytes among them), the picture last shown described also when the list
// has no selection, a file that cannot be read, the figures on their own, and any click closing it.
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
    if (!writePicture(path, size))
        return false;
    QFile f(path);
    if (bytes < 0)
        return true;
    if (!f.open(QIODevice::ReadWrite) || f.size() > bytes)
        return false;
    return f.resize(bytes);
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
    void init()
    {
        startFresh();
        m_program = std::make_unique<ProgramFolderFixture>();
    }
    void cleanup()
    {
        if (Forms::FormMain)
            close(Forms::FormMain);
        m_program.reset();
    }

    void text_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QStringList>("lines"); // size, type, ratio line, print width, print height
        QTest::newRow("24-bit bitmap, rows unpadded")
            << "a.bmp" << QSize(100, 60) << qint64(-1)
            << QStringList{"18 KB", "Windows bitmap", "24 bit color", "0.5 inches (13mm)", "0.3 inches (8mm)"};
        QTest::newRow("24-bit bitmap, rows padded")
            << "b.bmp" << QSize(101, 60) << qint64(-1)
            << QStringList{"18 KB", "Windows bitmap", "Compression ratio: not applicable", "0.5 inches (13mm)",
                           "0.3 inches (8mm)"};
        QTest::newRow("indexed bitmap")
            << "c.bmp" << QSize(200, 200) << qint64(-1)
            << QStringList{"40 KB", "Windows bitmap", "Indexed color", "1 inches (25mm)", "1 inches (25mm)"};
        QTest::newRow("GIF, 1023 bytes")
            << "d.gif" << QSize(40, 30) << qint64(1023)
            << QStringList{"1023 Bytes", "CompuServe GIF", "Compression ratio: not applicable", "0.2 inches (5mm)",
                           "0.2 inches (4mm)"};
        QTest::newRow("JPEG, 1024 bytes")
            << "e.jpg" << QSize(40, 30) << qint64(1024)
            << QStringList{"1 KB", "JPEG", "Compression ratio:   3.5 : 1", "0.2 inches (5mm)", "0.2 inches (4mm)"};
        QTest::newRow("JPEG, 1535 bytes")
            << "f.jpg" << QSize(40, 30) << qint64(1535)
            << QStringList{"1 KB", "JPEG", "Compression ratio:   2.3 : 1", "0.2 inches (5mm)", "0.2 inches (4mm)"};
        QTest::newRow("JPEG, 1536 bytes")
            << "g.jpg" << QSize(40, 30) << qint64(1536)
            << QStringList{"2 KB", "JPEG", "Compression ratio:   2.3 : 1", "0.2 inches (5mm)", "0.2 inches (4mm)"};
        QTest::newRow("JPEG, 640 x 480, 45000 bytes")
            << "h.jpg" << QSize(640, 480) << qint64(45000)
            << QStringList{"44 KB", "JPEG", "Compression ratio:   20.5 : 1", "3.2 inches (81mm)",
                           "2.4 inches (61mm)"};
        QTest::newRow("JPEG emptied since it was shown")
            << "i.jpg" << QSize(40, 30) << qint64(0)
            << QStringList{"0 Bytes", "JPEG", "Compression ratio: not applicable", "0.2 inches (5mm)",
                           "0.2 inches (4mm)"};
    }
    void text()
    {
        QFETCH(QString, name);
        QFETCH(QSize, pixels);
        QFETCH(qint64, bytes);
        QFETCH(QStringList, lines);
        PictureFolder folder;
        const QString path = folder.file(name);
        if (name == "c.bmp") {
            QImage indexed(pixels, QImage::Format_Indexed8);
            QList<QRgb> colours;
            for (int i = 0; i < 256; ++i)
                colours << qRgb(i, 255 - i, i / 2);
            indexed.setColorTable(colours);
            indexed.fill(7);
            QVERIFY(indexed.save(path, "BMP"));
            QCOMPARE(QFileInfo(path).size(), 54 + 1024 + 40000);
        } else {
            QVERIFY(writeSized(path, pixels, bytes ? bytes : -1));
        }
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        QCOMPARE(main->PictureScale->Width(), double(pixels.width()));
        if (bytes == 0)
            QVERIFY(QFile(path).resize(0));
        FormInfo *info = openInfo();
        QCOMPARE(info->Lblinfo->text(),
                 expectedText({name, lines[0], lines[1], lines[2], folder.path(), QString::number(pixels.width()),
                               QString::number(pixels.height()), lines[3], lines[4]}));
        // The window as it opens: borderless, 400 x 470, centred, the text in its column.
        QVERIFY(info->isVisible());
        QVERIFY(info->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(info->frameGeometry().size(), QSize(400, 470));
        QCOMPARE(info->frameGeometry().center(), info->screen()->geometry().center());
        QCOMPARE(info->Lblinfo->geometry(), QRect(50, 4, 300, 430));
    }

    // The last picture of a list with its thumbnails filled leaves the list without a selection:
    // the window still describes it, and gives the list its selection back.
    void lastPictureShown()
    {
        PictureFolder folder(PictureFolder::numbered(3, {40, 30}));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        main->NCount = 2;
        main->DoSelectPicture();
        QCOMPARE(main->NCount, -1);
        QCOMPARE(Forms::FormFiles->File1->ListIndex(), -1);
        const QString size = QString::number(QFileInfo(folder.file("pic03.jpg")).size()) + " Bytes";
        const QString text = openInfo()->Lblinfo->text();
        QVERIFY2(text.contains("File name:  pic03.jpg\r\n\r\nSize:  " + size + "\r\n"), qPrintable(text));
        QCOMPARE(Forms::FormFiles->File1->ListIndex(), 2);
    }

    // A picture that can no longer be read: no size, no ratio, the rest as usual.
    void unreadableFile()
    {
        RUN_AS_OTHER_USER_WHEN_ROOT();
        PictureFolder folder({{"a.jpg", {640, 480}}});
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        QVERIFY(QFile::setPermissions(folder.file("a.jpg"), {}));
        const QString text = openInfo()->Lblinfo->text();
        QFile::setPermissions(folder.file("a.jpg"), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY2(text.contains("Size:  Not available\r\n\r\nType:  JPEG\r\n\r\nCompression ratio: not applicable\r\n"),
                 qPrintable(text));
        QVERIFY(text.contains("    width - 640\r\n    height - 480\r\n"));
    }

    // The figures on their own, where no shown picture leads: sizes past 2 GB whole, a file that
    // cannot be opened, a name ending in ".jpeg", and print sizes without a decimal.
    void figures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QString>("size");
        QTest::addColumn<float>("ratio");
        QTest::newRow("3 GB JPEG") << "/p/x.jpg" << (qint64(3) << 30) << QSize(20000, 20000) << "3145728 KB"
                                   << 0.4f;
        QTest::newRow("not opened") << "/p/x.jpg" << qint64(-1) << QSize(640, 480) << "Not available" << 0.f;
        QTest::newRow(".jpeg") << "/p/dune.jpeg" << qint64(45000) << QSize(640, 480) << "44 KB" << 0.f;
        QTest::newRow("lower-case key") << "/p/x.JpG" << qint64(45000) << QSize(640, 480) << "44 KB" << 20.5f;
    }
    void figures()
    {
        QFETCH(QString, path);
        QFETCH(qint64, bytes);
        QFETCH(QSize, pixels);
        QFETCH(QString, size);
        QFETCH(float, ratio);
        const PictureInfo::Figures f = PictureInfo::figures(path, bytes, pixels);
        QCOMPARE(f.iFileDisp + f.KbByte, size);
        QCOMPARE(f.CompRatio, ratio);
        const QStringList lines = PictureInfo::lines("dune.jpeg", "/p", f, {1000, 333}).split("\r\n");
        QCOMPARE(lines.value(6), QStringLiteral("Type:  "));
        QCOMPARE(lines.value(17), QStringLiteral("    width - 5 inches (127mm)"));
        QCOMPARE(lines.value(18), QStringLiteral("    height - 1.7 inches (42mm)"));
    }

    // A click on the window, on its text or on its background, closes it.
    void anyClickCloses()
    {
        PictureFolder folder(PictureFolder::numbered(1));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        for (QPoint at : {QPoint(100, 60), QPoint(10, 460)}) {
            FormInfo *info = openInfo();
            QTest::mouseClick(info->windowHandle(), Qt::LeftButton, {}, at);
            QVERIFY(!Forms::FormInfo.isLoaded());
            flushDeletes();
        }
    }

private:
    std::unique_ptr<ProgramFolderFixture> m_program;
};

GALLERY_TEST_MAIN(TestPictureInfo)
#include "test_picture_info.moc"
