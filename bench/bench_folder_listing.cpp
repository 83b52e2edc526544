// Opening a folder of 10,000 and of 100,000 pictures in the file list (empty files named like
// pictures, with some of other types and some hidden), with the "&All" pattern.
// Usage: bench_folder_listing [runs=7]   (prints medians in milliseconds)
#include "BenchSupport.h"
#include "FileLists.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

using namespace Bench;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTextStream out(stdout);

    QTemporaryDir dir;
    const QString empty = dir.filePath("empty");
    QDir(dir.path()).mkdir("empty");
    QWidget window;
    window.resize(600, 500);
    auto *list = new FileListBox(&window);
    list->setGeometry(288, 2, 273, 266);
    list->setPattern("*.bmp;*.gif;*.jpg");
    window.show();
    app.processEvents();

    for (int count : {10000, 100000}) {
        const QString folder = dir.filePath(QString::number(count));
        QDir(dir.path()).mkdir(QString::number(count));
        emptyFiles(folder, count, 97);
        QList<double> open, shown, refilter;
        for (int r = 0; r < runs; ++r) {
            list->setPath(empty);
            QElapsedTimer t;
            t.start();
            list->setPath(folder);
            open << t.nsecsElapsed() / 1e6;
            list->repaint();
            shown << t.nsecsElapsed() / 1e6;
            t.restart();
            list->setPattern("*.jpg");
            list->setPattern("*.bmp;*.gif;*.jpg");
            refilter << t.nsecsElapsed() / 1e6 / 2;
        }
        out << QString("%1 files (%2 listed): open %3 ms, open and paint %4 ms, change of type %5 ms (medians of %6)")
                   .arg(count)
                   .arg(list->ListCount())
                   .arg(median(open), 0, 'f', 1)
                   .arg(median(shown), 0, 'f', 1)
                   .arg(median(refilter), 0, 'f', 1)
                   .arg(runs)
            << Qt::endl;
    }
    return 0;
}
