// Start-up of the gallery: from the start of a fresh process to its main window shown and
// painted with the splash picture. Each run is a new process (this program again, starting the
// gallery as its executable does) with its own settings and runtime folders; prints the medians:
// with no settings file, and with a settings file of 100,000 lines the program does not know
// (beside its own 19 values).
//   build/bench/bench_gallery_startup [runs]      (default 15; QT_QPA_PLATFORM as set, else offscreen)
#include "BenchSupport.h"
#include "FormMain.h"
#include "ProgramFolder.h"
#include "Vistello.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>

namespace {

// Child: start as the program does, say "shown" after the first paint of the main window.
int child(int argc, char **argv)
{
    Vistello::prepareProcess();
    QApplication app(argc, argv);
    ProgramFolder::setPath(QString::fromLocal8Bit(qgetenv("BENCH_PROGRAM_FOLDER")));
    FormMain *main = Vistello::start();
    if (!main)
        return 2;
    struct PaintWatch : QObject {
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint && !done) {
                done = true;
                QTimer::singleShot(0, [] {
                    QTextStream(stdout) << "shown" << Qt::endl;
                    QCoreApplication::exit(0);
                });
            }
            return false;
        }
        bool done = false;
    } watch;
    main->Imagemain->installEventFilter(&watch);
    QTimer::singleShot(20000, [] { QCoreApplication::exit(3); });
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--child")
        return child(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 15;
    // The support pictures beside the real program.
    const QString programFolder = QDir(QCoreApplication::applicationDirPath() + "/../bin").absolutePath();

    // 100,000 lines of another program's values, around the gallery's own section.
    QByteArray crowded = "[Elsewhere]\n";
    for (int i = 0; i < 50000; ++i)
        crowded += "Key" + QByteArray::number(i) + "=some value " + QByteArray::number(i * 7) + "\n";
    crowded += "[Startup]\nCheckThumbValue=1\nListIntervalValue=5\nDir1value=/\n";
    for (int i = 0; i < 50000; ++i)
        crowded += "Unknown" + QByteArray::number(i) + "=x\n";

    const auto measure = [&](const QByteArray &settings, const char *what) {
        QList<double> times;
        for (int i = 0; i < runs; ++i) {
            QTemporaryDir config, runtime;
            if (!settings.isEmpty()) {
                QDir().mkpath(config.filePath("Vistello"));
                QFile f(config.filePath("Vistello/Vistello.ini"));
                if (f.open(QIODevice::WriteOnly))
                    f.write(settings);
            }
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("XDG_CONFIG_HOME", config.path());
            env.insert("XDG_RUNTIME_DIR", runtime.path());
            env.insert("BENCH_PROGRAM_FOLDER", programFolder);
            if (!env.contains("QT_QPA_PLATFORM"))
                env.insert("QT_QPA_PLATFORM", "offscreen");
            QProcess p;
            p.setProcessEnvironment(env);
            QElapsedTimer clock;
            clock.start();
            p.start(QCoreApplication::applicationFilePath(), {"--child"});
            bool shown = false;
            while (!shown && p.waitForReadyRead(30000))
                shown = p.readAll().contains("shown");
            const double ms = clock.nsecsElapsed() / 1e6;
            p.waitForFinished(30000);
            if (!shown) {
                QTextStream(stderr) << "run " << i + 1 << ": the main window was not shown\n";
                return false;
            }
            times << ms;
        }
        std::sort(times.begin(), times.end());
        QTextStream(stdout) << "gallery start-up to main window shown, " << what << ": median "
                            << QString::number(Bench::median(times), 'f', 1) << " ms over " << runs << " runs (min "
                            << QString::number(times.first(), 'f', 1) << ", max "
                            << QString::number(times.last(), 'f', 1) << ")" << Qt::endl;
        return true;
    };
    if (!measure({}, "no settings file"))
        return 1;
    if (!measure(crowded, "settings file of 100,000 unknown lines"))
        return 1;
    return 0;
}
