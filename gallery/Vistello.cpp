#include "Vistello.h"

#include "FormMain.h"
#include "Fonts.h"

#include <QApplication>
#include <QPointer>

namespace Vistello {

void prepareProcess()
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
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
    FormMain *main = start();
    if (!main)
        return 0;
    QObject::connect(main, &QObject::destroyed, &app, &QCoreApplication::quit);
    return app.exec();
}

} // namespace Vistello
