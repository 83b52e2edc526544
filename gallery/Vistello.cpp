#include "Vistello.h"

#include "FormMain.h"
#include "Fonts.h"
#include "PictureCache.h"

#include <QApplication>
#include <QPointer>

#include <malloc.h>

namespace Vistello {

void prepareProcess()
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // Decodes are large and come and go with the pictures shown, many of them made on worker
    // threads: their memory is mapped for each and goes back to the system when they are dropped,
    // instead of staying with the allocator's arenas.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
}

FormMain *start()
{
    Fonts::install();
    QPointer<FormMain> main = new FormMain;
    main->Form_Load();
    if (!main || main->isUnloaded())
        return nullptr;
    main->show();
    // The timer starts only now: no tick runs inside start-up or under its message.
    main->Timer2->start();
    return main;
}

int run(int argc, char **argv)
{
    prepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistello"));
    // The program ends when its main window is unloaded, not when some window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    int result = 0;
    if (FormMain *main = start()) {
        QObject::connect(main, &QObject::destroyed, &app, &QCoreApplication::quit);
        result = app.exec();
    }
    // No decode made ahead may still be running when the application object goes.
    PictureCache::instance().waitForPrepared();
    return result;
}

} // namespace Vistello
