// "Next image" with the thumbnails on, through the gallery's own windows: from the command to the
// fitted picture and the three pictures after it painted in the thumbnail column, among
// 24-megapixel JPEGs; beside four bare QImageReader decodes in turn (the picture at its drawn size,
// the three others at thumbnail size), measured in the same run.
// Cold: nothing decoded before the command. Browsing: the user looks at each picture for a moment,
// while the pictures of the column are decoded ahead on worker threads.
//   build/bench/bench_gallery_thumbnails [pictures=8] [rounds=3]   (medians in milliseconds)
#include "BenchSupport.h"
#include "GalleryBench.h"
#include "AllForms.h"
#include "FileLists.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "PictureCache.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "Vistello.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

using namespace Bench;

int main(int argc, char **argv)
{
    QTemporaryDir home;
    prepareGallery(home);
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(5, atoi(argv[1])) : 8;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    QTextStream out(stdout);

    QTemporaryDir dir;
    out << "Writing " << count << " JPEGs of 6000 x 4000 ..." << Qt::endl;
    const QStringList files = writePhotos(dir.path(), count);

    FormMain *main = startGallery(dir.path(), true);
    if (!main)
        return 1;

    PictureCache &cache = PictureCache::instance();
    // From position k - 1 to k, where the column shows k to k + 3: four pictures every time.
    const int last = count - 4;
    const auto nextImage = [main](int k) {
        main->NCount = k - 1;
        main->CmdFwdOne_Click();
        main->repaint();
    };
    const QSize drawn(620, 414), thumb(100, 100);
    QList<double> bare, cold, browsing;
    int coldDecodes = 0, browsingDecodes = 0, coldChanges = 0, browsingChanges = 0;
    for (int r = 0; r < rounds; ++r) {
        for (int k = 1; k <= last; ++k) {
            cache.waitForPrepared();
            cache.clear();
            QElapsedTimer t;
            t.start();
            bareDecode(files[k], drawn);
            for (int j = 1; j <= 3; ++j)
                bareDecode(files[k + j], thumb);
            bare << ms(t);

            cache.resetStats();
            t.restart();
            nextImage(k);
            cold << ms(t);
            cache.waitForPrepared();
            coldDecodes += cache.stats().decodes;
            ++coldChanges;
        }
        cache.waitForPrepared();
        cache.clear();
        nextImage(0);
        for (int k = 1; k <= last; ++k) {
            // The picture stays on the screen a moment: the column is decoded meanwhile.
            cache.waitForPrepared();
            cache.resetStats();
            QElapsedTimer t;
            t.start();
            nextImage(k);
            browsing << ms(t);
            cache.waitForPrepared();
            browsingDecodes += cache.stats().decodes;
            ++browsingChanges;
        }
    }
    out << "Next image with the thumbnails on, 6000 x 4000 JPEGs, to the picture and the three after it painted"
        << Qt::endl
        << "(median of " << cold.size() << "):" << Qt::endl;
    out << QString("  four bare QImageReader decodes in turn:      %1 ms").arg(median(bare), 7, 'f', 1) << Qt::endl;
    out << QString("  cold (nothing decoded before):               %1 ms  (%2x bare; %3 decodes a change)")
               .arg(median(cold), 7, 'f', 1)
               .arg(median(cold) / median(bare), 0, 'f', 2)
               .arg(double(coldDecodes) / std::max(1, coldChanges), 0, 'f', 1)
        << Qt::endl;
    out << QString("  browsing (column decoded while looking):     %1 ms  (%2x bare; %3 decodes a change)")
               .arg(median(browsing), 7, 'f', 1)
               .arg(median(browsing) / median(bare), 0, 'f', 2)
               .arg(double(browsingDecodes) / std::max(1, browsingChanges), 0, 'f', 1)
        << Qt::endl;
    cache.waitForPrepared();
    main->close();
    return 0;
}
