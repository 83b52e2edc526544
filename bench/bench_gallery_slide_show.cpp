// The enlarged view and the slide show through the gallery's own windows, on a 1920 x 1080 screen,
// among 24-megapixel JPEGs; beside a bare QImageReader decode of the same file at the size the
// view draws it, measured in the same run.
// Cold: the view opened on the picture shown in the main window (shown, filled, painted), nothing
// decoded at the view's size before. Slide show: one step of the show, from the timer's tick to
// the view painted with the next picture (the main window behind it, refilled in the same step,
// paints afterwards), the next picture having been prepared during the period. Memory: the
// largest resident size of the process while the show runs.
//   build/bench/bench_gallery_slide_show [pictures=8] [rounds=2]   (medians in milliseconds)
// With QT_QPA_PLATFORM unset it runs offscreen on a 1920 x 1080 screen; otherwise on the screen given.
#include "BenchSupport.h"
#include "GalleryBench.h"
#include "AllForms.h"
#include "FileLists.h"
#include "FormBlowUp.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "FormRemote.h"
#include "PictureCache.h"
#include "PictureFit.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "Vistello.h"

#include <QApplication>
#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

using namespace Bench;

namespace {
// Resident memory of this process, in MB.
double residentMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        QFile screen(home.filePath("screen.json"));
        if (screen.open(QIODevice::WriteOnly))
            screen.write(R"({"windowFrameMargins":false,"screens":[{"name":"S","x":0,"y":0,"width":1920,)"
                         R"("height":1080,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screen.fileName()));
    }
    prepareGallery(home);
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(3, atoi(argv[1])) : 8;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 2;
    QTextStream out(stdout);

    QTemporaryDir dir;
    out << "Writing " << count << " JPEGs of 6000 x 4000 ..." << Qt::endl;
    const QStringList files = writePhotos(dir.path(), count);

    FormMain *main = startGallery(dir.path(), true);
    if (!main)
        return 1;
    const QSize drawn = PictureFit::drawnPixels(
        FormBlowUp::pictureBox(QSizeF(6000, 4000), main->iHorzRes, main->iVertRes).size());
    out << "Screen " << main->iHorzRes << " x " << main->iVertRes << ", the view draws " << drawn.width() << " x "
        << drawn.height() << Qt::endl;

    PictureCache &cache = PictureCache::instance();
    const auto show = [main](int k) {
        main->Imagemain->setStretch(true);
        main->NCount = k;
        main->DoSelectPicture();
        main->repaint();
    };
    QList<double> bare, cold, step;
    for (int r = 0; r < rounds; ++r) {
        for (int k = 0; k < count; ++k) {
            // The picture shown in the main window a moment, then the view opened on it.
            show(k);
            cache.waitForPrepared();
            QElapsedTimer t;
            t.start();
            bareDecode(files[k], drawn);
            bare << ms(t);

            t.restart();
            FormBlowUp *view = Forms::FormBlowUp.get();
            view->show();
            main->DoBlowUp();
            app.processEvents();
            view->repaint();
            cold << ms(t);
            Forms::FormBlowUp.unload();
            Forms::FormRemote.unload();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            cache.waitForPrepared();
            cache.clear();
        }
    }

    // The show: each period long enough for the next picture to be prepared.
    show(0);
    FormBlowUp *view = Forms::FormBlowUp.get();
    view->show();
    main->DoBlowUp();
    view->repaint();
    Forms::FormRemote->CmdSlide_Click();
    double peak = residentMB();
    for (int s = 0; s < rounds * count; ++s) {
        cache.waitForPrepared();
        main->Tick = main->Interval - 1;
        QElapsedTimer t;
        t.start();
        main->Timer2_Timer();
        Forms::FormBlowUp->repaint();
        step << ms(t);
        app.processEvents();
        peak = std::max(peak, residentMB());
    }
    cache.waitForPrepared();
    peak = std::max(peak, residentMB());

    out << "Enlarged view of 6000 x 4000 JPEGs (median of " << cold.size() << " openings, " << step.size()
        << " slide-show steps):" << Qt::endl;
    out << QString("  bare QImageReader decode at the drawn size:  %1 ms").arg(median(bare), 7, 'f', 1) << Qt::endl;
    out << QString("  view opened cold and painted:                %1 ms  (%2x bare)")
               .arg(median(cold), 7, 'f', 1)
               .arg(median(cold) / median(bare), 0, 'f', 2)
        << Qt::endl;
    out << QString("  slide-show step, next picture prepared:      %1 ms  (%2x bare)")
               .arg(median(step), 7, 'f', 1)
               .arg(median(step) / median(bare), 0, 'f', 2)
        << Qt::endl;
    out << QString("  resident memory while the show runs, at most: %1 MB").arg(peak, 0, 'f', 0) << Qt::endl;
    main->close();
    return 0;
}
