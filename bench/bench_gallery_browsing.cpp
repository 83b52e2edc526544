// Browsing through the gallery's own windows.
// 1. Picture change among 24-megapixel JPEGs: from the "Next image" step (NCount + 1, then
//    DoSelectPicture) to the fitted picture painted, beside a bare QImageReader decode of the same
//    file at the drawn size, measured in the same run. Cold: nothing decoded before the command.
//    Browsing: the user looks at each picture for a moment, while the next is prepared ahead.
// 2. Opening folders of 10,000 and 100,000 pictures in the folder browser (shown): from setting the
//    folder list's path (the folder-change handling runs) to the browser painted.
//   build/bench/bench_gallery_browsing [pictures=8] [rounds=3] [runs=5]   (medians in milliseconds)
#include "BenchSupport.h"
#include "GalleryBench.h"
#include "FileLists.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "PictureCache.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "Vistello.h"
#include "AllForms.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>

using namespace Bench;

int main(int argc, char **argv)
{
    QTemporaryDir home;
    prepareGallery(home);
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(3, atoi(argv[1])) : 8;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    const int runs = argc > 3 ? std::max(1, atoi(argv[3])) : 5;
    QTextStream out(stdout);

    QTemporaryDir dir;
    const QString photos = dir.filePath("photos");
    QDir().mkpath(photos);
    out << "Writing " << count << " JPEGs of 6000 x 4000 ..." << Qt::endl;
    const QStringList files = writePhotos(photos, count);

    FormMain *main = startGallery(photos, false);
    if (!main)
        return 1;

    PictureCache &cache = PictureCache::instance();
    const auto nextImage = [main] {
        main->Imagemain->setStretch(true);
        main->NCount = main->NCount + 1 >= Forms::FormFiles->File1->ListCount() ? 0 : main->NCount + 1;
        main->DoSelectPicture();
        main->Imagemain->repaint();
    };
    QList<double> bare, cold, browsing;
    int coldDecodes = 0, browsingDecodes = 0;
    for (int r = 0; r < rounds; ++r) {
        for (int i = 0; i < count; ++i) {
            const int next = main->NCount + 1 >= count ? 0 : main->NCount + 1;
            const QString &path = files[next];
            cache.waitForPrepared();
            cache.clear();
            QElapsedTimer t;
            t.start();
            {
                QImageReader reader(path);
                const QSize size = reader.size();
                reader.setScaledSize(QSize(620, qCeil(620.0 * size.height() / size.width())));
                const QImage image = reader.read();
                Q_ASSERT(!image.isNull());
            }
            bare << ms(t);

            cache.resetStats();
            t.restart();
            nextImage();
            cold << ms(t);
            cache.waitForPrepared();
            coldDecodes += cache.stats().decodes;
        }
        for (int i = 0; i < count; ++i) {
            // The picture stays on the screen a moment: the next one is prepared meanwhile.
            cache.waitForPrepared();
            cache.resetStats();
            QElapsedTimer t;
            t.start();
            nextImage();
            browsing << ms(t);
            cache.waitForPrepared();
            browsingDecodes += cache.stats().decodes;
        }
    }
    const int changes = rounds * count;
    out << "Next image among 6000 x 4000 JPEGs, to the fitted picture painted (median of " << changes << "):"
        << Qt::endl;
    out << QString("  bare QImageReader decode at the drawn size:  %1 ms").arg(median(bare), 7, 'f', 1) << Qt::endl;
    out << QString("  cold (nothing decoded before):               %1 ms  (%2x bare; %3 decodes a change,")
               .arg(median(cold), 7, 'f', 1)
               .arg(median(cold) / median(bare), 0, 'f', 2)
               .arg(double(coldDecodes) / changes, 0, 'f', 1)
        << Qt::endl
        << "                                                        the picture and the next one ahead)" << Qt::endl;
    out << QString("  browsing (next prepared while looking):      %1 ms  (%2x bare; %3 decodes a change)")
               .arg(median(browsing), 7, 'f', 1)
               .arg(median(browsing) / median(bare), 0, 'f', 2)
               .arg(double(browsingDecodes) / changes, 0, 'f', 1)
        << Qt::endl;

    // Folders in the browser.
    FormFiles *browser = Forms::FormFiles.get();
    main->CmdFiles_Click();
    app.processEvents();
    const QString empty = dir.filePath("empty");
    QDir().mkpath(empty);
    for (int n : {10000, 100000}) {
        const QString folder = dir.filePath(QString::number(n));
        QDir().mkpath(folder);
        emptyFiles(folder, n);
        QList<double> open;
        for (int r = 0; r < runs; ++r) {
            browser->Dir1->setPath(empty);
            browser->repaint();
            QElapsedTimer t;
            t.start();
            browser->Dir1->setPath(folder);
            browser->repaint();
            open << ms(t);
        }
        out << QString("Folder of %1 files (%2 pictures listed) opened in the browser and painted: %3 ms (median of %4)")
                   .arg(n)
                   .arg(browser->File1->ListCount())
                   .arg(median(open), 0, 'f', 1)
                   .arg(runs)
            << Qt::endl;
    }
    cache.waitForPrepared();
    main->close();
    return 0;
}
