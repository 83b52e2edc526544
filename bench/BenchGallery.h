#pragma once
// What the gallery's benchmarks share: the process prepared as the program prepares its own (with
// settings folders of its own, offscreen unless told otherwise), and the program started at a
// folder with its splash period over.
#include "BenchSupport.h"
#include "FormMain.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "Vistello.h"

#include <QCoreApplication>
#include <QTextStream>

namespace Bench {

// Before the application object is made.
inline void prepareGallery(const QTemporaryDir &home)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    privateFolders(home);
    Vistello::prepareProcess();
}

// The program at the folder, its timer stopped after the 14 ticks of the splash period; nullptr
// (and a line on stdout) when it did not start.
inline FormMain *startGalleryAt(const QString &folder, bool thumbnails)
{
    ProgramFolder::setPath(QDir(QCoreApplication::applicationDirPath() + "/../bin").absolutePath());
    Settings::SaveSettings("Vistello", "Startup",
                           {{"Dir1value", folder}, {"CheckThumbValue", thumbnails ? "1" : "0"}});
    FormMain *main = Vistello::start();
    if (!main) {
        QTextStream(stdout) << "The gallery did not start." << Qt::endl;
        return nullptr;
    }
    main->Timer2->stop();
    for (int tick = 0; tick < 14; ++tick)
        main->Timer2_Timer();
    QCoreApplication::processEvents();
    return main;
}

} // namespace Bench
