// Picture change in a folder of 24-megapixel JPEGs: from loading the file into the viewing area and
// the true-size box to the fitted picture painted, beside a bare QImageReader decode of the same
// file at the drawn size. Also the fitted picture together with the three thumbnails that follow.
// Usage: bench_picture_change [pictures=8] [rounds=3]   (prints medians in milliseconds)
#include "BenchSupport.h"
#include "ImageBox.h"
#include "PictureFit.h"
#include "PictureCache.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

using namespace Bench;

namespace {
// The fitted box of the viewing area for a picture of the given true size.
QRectF fitted(QSize s)
{
    return PictureFit::fitted(QSizeF(s), QRectF(7, 3, 620, 490));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(4, atoi(argv[1])) : 8;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    QTextStream out(stdout);

    QTemporaryDir dir;
    out << "Writing " << count << " JPEGs of 6000 x 4000 ..." << Qt::endl;
    const QStringList files = writePhotos(dir.path(), count);

    QWidget window;
    window.resize(762, 558);
    auto *viewing = new ImageBox(&window);
    viewing->setStretch(true);
    auto *trueSize = new PictureBox(&window);
    trueSize->Move(32000, 0, 1, 1);
    QList<ImageBox *> thumbs;
    for (int i = 0; i < 4; ++i) {
        thumbs << new ImageBox(&window);
        thumbs.last()->setStretch(true);
        thumbs.last()->Move(643, 31 + 120 * i, 100, 100);
    }
    window.show();
    app.processEvents();

    QList<double> bare, cached, bareFour, cachedFour;
    for (int r = 0; r < rounds; ++r) {
        PictureCache::instance().clear();
        for (int i = 0; i < count; ++i) {
            const QString &path = files[i];
            const QSize size = QImageReader(path).size();
            const QRectF box = fitted(size);
            const QSize drawn = PictureFit::drawnPixels(box.size());

            QElapsedTimer t;
            t.start();
            {
                QImageReader reader(path);
                reader.setScaledSize(drawn);
                const QImage image = reader.read();
                Q_ASSERT(image.size() == drawn);
            }
            bare << ms(t);

            t.restart();
            viewing->loadPicture(path);
            trueSize->loadPicture(path);
            const QSize own(int(trueSize->Width()), int(trueSize->Height()));
            const QRectF f = fitted(own);
            viewing->Move(f.x(), f.y(), f.width(), f.height());
            viewing->repaint();
            cached << ms(t);
        }
        // The picture with its three thumbnails: a bare reader reads the four files in turn; the
        // cache prepares the thumbnails on worker threads while the viewing area is drawn.
        PictureCache::instance().clear();
        for (int i = 0; i + 4 <= count; i += 4) {
            QElapsedTimer t;
            t.start();
            for (int k = 0; k < 4; ++k) {
                QImageReader reader(files[i + k]);
                reader.setScaledSize(k == 0 ? QSize(620, 414) : QSize(100, 67));
                reader.read();
            }
            bareFour << ms(t);

            t.restart();
            viewing->loadPicture(files[i]);
            trueSize->loadPicture(files[i]);
            viewing->Move(7, 41.33, 620, 413.33);
            for (int k = 1; k < 4; ++k)
                thumbs[k]->loadPicture(files[i + k]);
            thumbs[0]->setPicture(viewing->picture());
            for (int k = 1; k < 4; ++k)
                thumbs[k]->Move(643, 31 + 120 * k + 16.5, 100, 66.67);
            window.repaint();
            cachedFour << ms(t);
        }
    }
    PictureCache::instance().waitForPrepared();

    out << "Picture change, 6000 x 4000 JPEG fitted into 620 x 490 (median of " << bare.size() << "):" << Qt::endl;
    out << QString("  bare QImageReader at the drawn size:       %1 ms").arg(median(bare), 7, 'f', 1) << Qt::endl;
    out << QString("  load x2, fit, paint through the cache:     %1 ms  (%2x)")
               .arg(median(cached), 7, 'f', 1)
               .arg(median(cached) / median(bare), 0, 'f', 2)
        << Qt::endl;
    out << "With the three thumbnails that follow (median of " << bareFour.size() << "):" << Qt::endl;
    out << QString("  four bare decodes in turn:                 %1 ms").arg(median(bareFour), 7, 'f', 1) << Qt::endl;
    out << QString("  picture and thumbnails painted:            %1 ms  (%2x)")
               .arg(median(cachedFour), 7, 'f', 1)
               .arg(median(cachedFour) / median(bareFour), 0, 'f', 2)
        << Qt::endl;
    return 0;
}
