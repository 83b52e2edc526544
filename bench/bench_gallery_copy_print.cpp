// "&Copy" and "&Print" of a 24-megapixel JPEG through the main window, beside a bare full decode
// of the same file in the same run (nothing decoded before each command):
// 1. "&Copy": from the click to the clipboard holding the picture at its own size.
// 2. "&Print" to a PDF file: from OK in the print dialog to the file written; and the whole command
//    with the dialog's own set-up (the time the user spends in the dialog left out).
//   build/bench/bench_gallery_copy_print [rounds=7]   (medians in milliseconds)
#include "AllForms.h"
#include "BenchSupport.h"
#include "GalleryBench.h"
#include "FormMain.h"
#include "PictureCache.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "Vistello.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

using namespace Bench;

int main(int argc, char **argv)
{
    QTemporaryDir home;
    prepareGallery(home);
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTextStream out(stdout);

    QTemporaryDir dir;
    const QString photos = dir.filePath("photos");
    QDir().mkpath(photos);
    out << "Writing a JPEG of 6000 x 4000 ..." << Qt::endl;
    const QString path = writePhotos(photos, 1).value(0);

    FormMain *main = startGallery(photos, false);
    if (!main)
        return 1;

    PictureCache &cache = PictureCache::instance();
    QClipboard *clipboard = QApplication::clipboard();
    const QString pdf = dir.filePath("print.pdf");
    QList<double> bare, copy, afterOk, print;
    bool allWritten = true;
    for (int r = 0; r < rounds; ++r) {
        cache.waitForPrepared();
        cache.clear();
        QElapsedTimer t;
        t.start();
        {
            QImageReader reader(path);
            const QImage image = reader.read();
            Q_ASSERT(image.size() == QSize(6000, 4000));
        }
        bare << ms(t);

        cache.clear();
        clipboard->clear();
        t.restart();
        main->CmdCopy_Click();
        const bool held = clipboard->image().size() == QSize(6000, 4000);
        copy << ms(t);
        allWritten = allWritten && held;
        clipboard->clear();

        cache.clear();
        QFile::remove(pdf);
        QElapsedTimer ok;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (auto *name = dialog->findChild<QLineEdit *>("filename"))
                name->setText(pdf);
            ok.start();
            dialog->accept();
        });
        t.restart();
        main->CmdPrint_Click();
        print << ms(t);
        afterOk << (ok.isValid() ? ms(ok) : 0);
        allWritten = allWritten && QFile::exists(pdf);
    }
    out << "6000 x 4000 JPEG, nothing decoded before (median of " << rounds << "):" << Qt::endl;
    out << QString("  bare full decode (QImageReader):              %1 ms").arg(median(bare), 7, 'f', 1) << Qt::endl;
    out << QString("  \"&Copy\" to the clipboard holding it:          %1 ms  (%2x bare)")
               .arg(median(copy), 7, 'f', 1)
               .arg(median(copy) / median(bare), 0, 'f', 2)
        << Qt::endl;
    out << QString("  \"&Print\" to a PDF file, from OK to written:   %1 ms  (%2x bare)")
               .arg(median(afterOk), 7, 'f', 1)
               .arg(median(afterOk) / median(bare), 0, 'f', 2)
        << Qt::endl;
    out << QString("  \"&Print\", the whole command (dialog set-up):  %1 ms").arg(median(print), 7, 'f', 1) << Qt::endl;
    if (!allWritten)
        out << "  (a copy or a print did not arrive)" << Qt::endl;
    return allWritten ? 0 : 1;
}
