// Picture handles: by-content loading whatever the extension, true size from the header, decoding
// at the drawn size, and bad files that load as nothing instead of crashing.
#include "Picture.h"
#include "PictureCache.h"

#include "PictureFiles.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace PictureFiles;


class TestPictures : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void byContent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("found");
        QTest::newRow("png named .fig") << "splash.fig" << QByteArray("png") << QSize(318, 40) << QByteArray("png");
        QTest::newRow("bmp named .big") << "bluck2zn.big" << QByteArray("bmp") << QSize(33, 17) << QByteArray("bmp");
        QTest::newRow("gif named .jpg") << "a.jpg" << QByteArray("gif") << QSize(20, 30) << QByteArray("gif");
        QTest::newRow("jpeg named .bmp") << "b.bmp" << QByteArray("jpeg") << QSize(640, 480) << QByteArray("jpeg");
        QTest::newRow("jpeg named .JPG") << "c.JPG" << QByteArray("jpeg") << QSize(17, 9) << QByteArray("jpeg");
        QTest::newRow("png without extension") << "d" << QByteArray("png") << QSize(40, 40) << QByteArray("png");
        QTest::newRow("bmp stored top row first") << "e.bmp" << QByteArray("bmp top-down") << QSize(30, 20)
                                                  << QByteArray("bmp");
    }
    void byContent()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(QSize, size);
        QFETCH(QByteArray, found);
        const QString path = write(dir.filePath(name), encode(drawing(size), format));
        const Picture p = Picture::load(path);
        QVERIFY(!p.isNull());
        QCOMPARE(p.size(), size);
        QCOMPARE(p.format(), found);
        QCOMPARE(p.fullImage().size(), size);
        const QImage drawn = p.image(QSize(7, 5));
        QCOMPARE(drawn.size(), QSize(7, 5));
        // Away from the dark diagonal: the picture's own colour.
        const QColor corner = drawn.pixelColor(6, 0);
        QVERIFY2(corner.red() > 200 && corner.green() < 60, qPrintable(corner.name()));
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        const QByteArray png = encode(noise(QSize(200, 100)), "png");
        const QByteArray jpeg = encode(noise(QSize(200, 100)), "jpeg");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("text") << QByteArray("Note created: 01/02/2003\r\nhello") << false;
        QTest::newRow("garbage") << QByteArray(5000, '\x5a') << false;
        QTest::newRow("zeros") << QByteArray(5000, '\0') << false;
        QTest::newRow("png header only") << png.left(40) << false;
        QTest::newRow("png cut in half") << png.left(png.size() / 2) << true;
        QTest::newRow("jpeg cut in half") << jpeg.left(jpeg.size() / 2) << true;
        QTest::newRow("jpeg first bytes") << jpeg.left(4) << false;
    }
    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        const QString path = write(dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".jpg"), bytes);
        const Picture p = Picture::load(path);
        QCOMPARE(!p.isNull(), loads);
        // Whatever the header promised, drawing never fails harder than an empty image.
        const QImage drawn = p.image(QSize(50, 25));
        QVERIFY(drawn.isNull() || drawn.size() == QSize(50, 25));
        const QImage full = p.fullImage();
        QVERIFY(full.isNull() || full.size() == QSize(200, 100));
    }

    void missingFileAndFolder()
    {
        QVERIFY(Picture::load(dir.filePath("nothing.jpg")).isNull());
        QVERIFY(Picture::load(dir.path()).isNull());
        QVERIFY(Picture::load(QString()).isNull());
        QVERIFY(Picture().image(QSize(10, 10)).isNull());
    }
};

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
