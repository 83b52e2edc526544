// The decode cache: JPEGs decoded at the scale drawn, one decode serving every smaller drawing of
// a file, bounded memory, and pictures prepared on worker threads that never come back stale or
// wrong.
#include "Picture.h"
#include "PictureCache.h"
#include "PictureFiles.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>

using namespace PictureFiles;

namespace {
QColor colourOf(int i)
{
    return QColor::fromHsv((i * 37) % 360, 255, 255);
}

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40
           && std::abs(a.blue() - b.blue()) < 40;
}

QColor corner(const QImage &image)
{
    return image.pixelColor(image.width() - 1, 0);
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xff);
    return b;
}
} // namespace

class TestPictureCache : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    PictureCache &cache = PictureCache::instance();

private slots:
    void init()
    {
        cache.waitForPrepared();
        cache.clear();
        cache.resetStats();
        cache.setCapacity(qint64(384) << 20);
    }

    void decodeScale_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("drawn");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("jpeg fitted, four eighths") << QByteArray("jpeg") << QSize(1600, 1200) << QSize(620, 465) << QSize(800, 600);
        QTest::newRow("jpeg thumbnail, one eighth") << QByteArray("jpeg") << QSize(1600, 1200) << QSize(100, 75) << QSize(200, 150);
        QTest::newRow("jpeg own size") << QByteArray("jpeg") << QSize(1600, 1200) << QSize(1600, 1200) << QSize(1600, 1200);
        QTest::newRow("jpeg enlarged") << QByteArray("jpeg") << QSize(300, 200) << QSize(620, 413) << QSize(300, 200);
        QTest::newRow("jpeg odd size") << QByteArray("jpeg") << QSize(1001, 999) << QSize(120, 120) << QSize(125, 124);
        QTest::newRow("png always whole") << QByteArray("png") << QSize(1600, 1200) << QSize(100, 75) << QSize(1600, 1200);
        QTest::newRow("bmp always whole") << QByteArray("bmp") << QSize(800, 600) << QSize(100, 75) << QSize(800, 600);
    }
    void decodeScale()
    {
        QFETCH(QByteArray, format);
        QFETCH(QSize, size);
        QFETCH(QSize, drawn);
        QFETCH(QSize, decoded);
        const QString path = write(dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".fig"),
                                   encode(drawing(size, Qt::blue), format));
        const Picture p = Picture::load(path);
        QCOMPARE(PictureCache::decodeSize(p, drawn), decoded);
        const QImage image = p.image(drawn);
        QCOMPARE(image.size(), drawn);
        QVERIFY(near(corner(image), Qt::blue));
        QCOMPARE(cache.stats().decodes, 1);
        // What a bare reader gives when asked for the drawn size: the same picture.
        QImageReader bare(path);
        bare.setScaledSize(drawn);
        const QImage reference = bare.read();
        QCOMPARE(reference.size(), drawn);
        QVERIFY(near(image.pixelColor(drawn.width() / 2, drawn.height() / 2),
                     reference.pixelColor(drawn.width() / 2, drawn.height() / 2)));
    }

    void oneDecodeServesSmallerDrawings()
    {
        const QString path = write(dir.filePath("one.jpg"), encode(drawing(QSize(2400, 1600), Qt::green), "jpeg"));
        // The viewing area and the true-size box load the file independently: two handles.
        const Picture viewing = Picture::load(path);
        const Picture trueSize = Picture::load(path);
        QVERIFY(viewing != trueSize);
        QCOMPARE(trueSize.size(), QSize(2400, 1600));
        QCOMPARE(viewing.image(QSize(620, 413)).size(), QSize(620, 413));
        QCOMPARE(cache.stats().decodes, 1);
        QCOMPARE(viewing.image(QSize(100, 67)).size(), QSize(100, 67));    // thumbnail
        QCOMPARE(trueSize.image(QSize(80, 53)).size(), QSize(80, 53));     // preview
        QCOMPARE(viewing.image(QSize(620, 413)).size(), QSize(620, 413)); // painted again
        QCOMPARE(cache.stats().decodes, 1);
        QCOMPARE(cache.stats().hits, 3);
        // Own size (copy, print): one more decode, which then serves everything.
        QCOMPARE(trueSize.fullImage().size(), QSize(2400, 1600));
        QCOMPARE(cache.stats().decodes, 2);
        cache.clear();
        QCOMPARE(cache.cost(), 0);
    }

    // A picture prepared ahead is kept drawn at the size it was prepared for: showing it is
    // neither a decode nor a scaling; other sizes are still drawn from its one decode.
    void preparedDrawingIsShownAsMade()
    {
        const QString path = write(dir.filePath("ahead.jpg"), encode(drawing(QSize(2400, 1600), Qt::green), "jpeg"));
        const Picture p = Picture::load(path);
        p.prepare(QSize(1620, 1080));
        p.prepare(QSize(1620, 1080));
        cache.waitForPrepared();
        QCOMPARE(cache.stats().decodes, 1);
        const qint64 decodeBytes = qint64(PictureCache::decodeSize(p, QSize(1620, 1080)).width())
                                   * PictureCache::decodeSize(p, QSize(1620, 1080)).height() * 4;
        QVERIFY(cache.cost() > decodeBytes); // the drawing is kept beside the decode
        const QImage first = Picture::load(path).image(QSize(1620, 1080));
        const QImage again = p.image(QSize(1620, 1080));
        QCOMPARE(first.size(), QSize(1620, 1080));
        QCOMPARE(first.cacheKey(), again.cacheKey());
        QVERIFY(near(corner(first), Qt::green));
        QCOMPARE(p.image(QSize(620, 413)).size(), QSize(620, 413));
        const PictureCache::Stats s = cache.stats();
        QCOMPARE(s.decodes, 1);
        QCOMPARE(s.hits, 3);
        QCOMPARE(s.waits, 0);
        QCOMPARE(s.prepared, 2);
    }

    void changedFileIsNeverServedStale()
    {
        const QString path = dir.filePath("changing.jpg");
        write(path, encode(drawing(QSize(400, 300), Qt::red), "jpeg"));
        const Picture before = Picture::load(path);
        QVERIFY(near(corner(before.image(QSize(100, 75))), Qt::red));
        // Rewritten with another picture (and another modification time).
        QFile::remove(path);
        write(path, encode(drawing(QSize(400, 300), Qt::blue), "jpeg"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        f.close();
        const Picture after = Picture::load(path);
        QVERIFY(near(corner(after.image(QSize(100, 75))), Qt::blue));
        QCOMPARE(cache.stats().decodes, 2);
    }

    void boundedMemory()
    {
        cache.setCapacity(qint64(8) << 20);
        QList<Picture> pictures;
        for (int i = 0; i < 12; ++i) {
            const QString path = write(dir.filePath(QString("bounded%1.png").arg(i)),
                                       encode(drawing(QSize(800, 600), colourOf(i)), "png"));
            pictures << Picture::load(path);
            QVERIFY(near(corner(pictures.last().image(QSize(80, 60))), colourOf(i)));
            QVERIFY2(cache.cost() <= cache.capacity(), qPrintable(QString::number(cache.cost())));
        }
        // Evicted pictures decode again, still right.
        QVERIFY(near(corner(pictures.first().image(QSize(80, 60))), colourOf(0)));
        QCOMPARE(cache.stats().decodes, 13);
        // A decode larger than the whole cache is handed out, not kept.
        cache.setCapacity(1 << 20);
        QCOMPARE(pictures.last().fullImage().size(), QSize(800, 600));
        QVERIFY(cache.cost() <= cache.capacity());
    }

    void preparedOnWorkersNeverWrong_data()
    {
        QTest::addColumn<bool>("waitFirst");
        QTest::newRow("drawn while being prepared") << false;
        QTest::newRow("drawn after preparing") << true;
    }
    void preparedOnWorkersNeverWrong()
    {
        QFETCH(bool, waitFirst);
        QList<Picture> pictures;
        for (int i = 0; i < 24; ++i) {
            const QString path = write(dir.filePath(QString("worker%1-%2.jpg").arg(i).arg(waitFirst)),
                                       encode(drawing(QSize(1200, 800), colourOf(i)), "jpeg"));
            pictures << Picture::load(path);
        }
        for (const Picture &p : std::as_const(pictures)) {
            p.prepare(QSize(620, 413));
            p.prepare(QSize(100, 67)); // covered by the decode under way: nothing more
        }
        if (waitFirst)
            cache.waitForPrepared();
        // The window's requests, in an order of their own, and from other threads at once.
        auto check = [&](int i, QSize size) { return near(corner(pictures[i].image(size)), colourOf(i)); };
        QFuture<bool> others = QtConcurrent::mappedReduced(
            QList<int>{23, 5, 17, 0, 11, 3, 20, 8}, [&](int i) { return check(i, QSize(100, 67)); },
            [](bool &all, bool one) { all = all && one; }, true);
        for (int i = pictures.size() - 1; i >= 0; --i)
            QVERIFY2(check(i, QSize(620, 413)), qPrintable(QString::number(i)));
        QVERIFY(others.result());
        cache.waitForPrepared();
        const PictureCache::Stats s = cache.stats();
        QCOMPARE(s.decodes, 24); // each file once, whoever asked first
        if (waitFirst)
            QCOMPARE(s.waits, 0);
    }

    void hugeDimensions_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("claimed");
        QTest::addColumn<bool>("drawsSmall");
        // A BMP header claiming 30000 x 30000 pixels of 24 bits, with a few bytes of data.
        QByteArray bmp = "BM" + le32(54 + 16) + le32(0) + le32(54);
        bmp += le32(40) + le32(30000) + le32(30000) + QByteArray("\x01\x00\x18\x00", 4) + le32(0) + le32(0)
               + le32(2835) + le32(2835) + le32(0) + le32(0);
        bmp += QByteArray(16, '\x7f');
        QTest::newRow("bmp 30000 x 30000") << bmp << QSize(30000, 30000) << false;
        // A small JPEG whose frame header is made to claim 65000 x 65000.
        QByteArray jpeg = encode(drawing(QSize(64, 64)), "jpeg");
        const int sof = jpeg.indexOf("\xff\xc0");
        jpeg[sof + 5] = char(0xfd);
        jpeg[sof + 6] = char(0xe8);
        jpeg[sof + 7] = char(0xfd);
        jpeg[sof + 8] = char(0xe8);
        QTest::newRow("jpeg 65000 x 65000") << jpeg << QSize(65000, 65000) << true;
    }
    void hugeDimensions()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, claimed);
        const QString path = write(dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".jpg"), bytes);
        const Picture p = Picture::load(path);
        if (!p.isNull()) // a reader may refuse such a header outright
            QCOMPARE(p.size(), claimed);
        QFETCH(bool, drawsSmall);
        // Whole it is refused (copy, print); a JPEG still draws small from an eighth of it, also
        // after the whole decode failed. Nothing crashes.
        QVERIFY(p.fullImage().isNull());
        const QImage drawn = p.image(QSize(100, 100));
        QCOMPARE(!drawn.isNull(), drawsSmall && !p.isNull());
        if (drawsSmall)
            QCOMPARE(drawn.size(), QSize(100, 100));
    }
};

QTEST_MAIN(TestPictureCache)
#include "test_picturecache.moc"
