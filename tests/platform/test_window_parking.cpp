// Windows moved off every screen and back: on one screen, and on two wide screens side by side,
// where the old "32000 twips" would still be on the second screen.
#include "WindowGeometry.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

class TestWindowParking : public QObject {
    Q_OBJECT
private slots:
    void parkedOffEveryScreenAtItsHeight()
    {
        qInfo("screens: %d", int(QGuiApplication::screens().size()));
        QWidget window;
        window.resize(300, 200);
        window.show();
        WindowGeometry::setOuterPos(&window, 40, 70);
        QVERIFY(!WindowGeometry::isOffEveryScreen(&window));
        WindowGeometry::parkBeyondScreens(&window);
        QVERIFY(WindowGeometry::isOffEveryScreen(&window));
        QCOMPARE(WindowGeometry::outer(&window).top(), 70);
        for (const QScreen *s : QGuiApplication::screens())
            QVERIFY(WindowGeometry::outer(&window).left() > s->geometry().right());
        WindowGeometry::setOuterPos(&window, 40, 70);
        QVERIFY(!WindowGeometry::isOffEveryScreen(&window));
    }

    void twoWideScreens()
    {
        if (QGuiApplication::screens().size() > 1)
            QSKIP("already the child");
        QTemporaryDir dir;
        const QString config = dir.filePath("screens.json");
        QFile f(config);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(R"({"windowFrameMargins":false,"screens":[)"
                R"({"name":"L","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1},)"
                R"({"name":"R","x":1920,"y":0,"width":1920,"height":1080,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
        f.close();
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"parkedOffEveryScreenAtItsHeight"});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray out = child.readAllStandardOutput();
        QVERIFY2(child.exitCode() == 0 && out.contains(" 0 failed,") && out.contains("PASS   : TestWindowParking::parked")
                     && out.contains("screens: 2"),
                 out.constData());
    }
};

QTEST_MAIN(TestWindowParking)
#include "test_window_parking.moc"
