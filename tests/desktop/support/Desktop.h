#pragma once
// The desktop lane: a real X server with a window manager that frames windows, started by the
// test itself, and what offscreen cannot tell: outer geometry as the window manager makes it, texts
// in the fonts the programs install, keys pressed through the X server with a keyboard layout.
#include <QApplication>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>

class QWidget;

namespace Desktop {

// Starts an X server with one screen of that size and a framing window manager on it, for this
// process (its DISPLAY, the xcb platform); the two end with the process. False, with the reason on
// standard error, when either cannot be started.
bool start(QSize screen);
// The size asked of start().
QSize screen();
// The screen size a test's process runs on: DESKTOP_SCREEN ("800x600"), else 1024 x 768.
QSize screenFromEnvironment();

// Runs this test binary again on an X server of another size; returns its standard output.
QByteArray runOnScreen(QSize screen, const QStringList &arguments);

// Makes the window the active one, as a click on it would; false when it never becomes active.
bool activate(QWidget *window);
// Keys through the X server to the window that has the focus, as xdotool names them ("shift+2").
bool pressKeys(const QString &keys);
// The keyboard layout of the X server ("us", "fr").
bool setLayout(const QString &layout);

// Waits until the window is shown and framed (or known to stay frameless); its outer rectangle.
QRect framedOuter(QWidget *window, bool frameless = false);

// The window's title as the window manager is given it (its names joined by "|"; blank when it
// shows none).
QString shownTitle(QWidget *window);

// Runs f once, with the window, as soon as a modal window is up (from inside its modal loop).
void whenModal(std::function<void(QWidget *)> f);

// Closes every modal window left open by a case, and drops its waits for one (whenModal).
void closeModals();

// One data row a table row, named by its name, its column "row" the index.
template<class Rows>
void addRows(const Rows &rows)
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < rows.size(); ++i)
        QTest::newRow(rows[i].name) << i;
}

// Every caption, label and check-box text of the window's visible controls that its box cuts, as
// "name: text"; empty when every text fits.
QStringList textsCut(const QWidget *window);

} // namespace Desktop

#define DESKTOP_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        if (!Desktop::start(Desktop::screenFromEnvironment()))                                                         \
            return 1;                                                                                                  \
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");                                                                     \
        QApplication app(argc, argv);                                                                                  \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
