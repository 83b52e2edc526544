// Start-up on screens of other sizes and densities, each in a child process of its own: window
// size and place, twips per pixel, the check box's size, the width warning with the real
// numbers, and the timer held back until start-up has ended.
#include "AllForms.h"
#include "FormMain.h"
#include "GalleryTest.h"
#include "Vistello.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace GalleryTest;

namespace {

// Child: start the program on the configured screen and report what it shows.
int reportStartup(int argc, char **argv)
{
    Vistello::prepareProcess();
    QApplication app(argc, argv);
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    FormMain *main = start();
    QJsonObject out;
    if (main) {
        const QRect frame = main->frameGeometry();
        out["x"] = frame.x();
        out["y"] = frame.y();
        out["width"] = frame.width();
        out["height"] = frame.height();
        out["PixelScale"] = main->PixelScale;
        out["iHorzRes"] = main->iHorzRes;
        out["iVertRes"] = main->iVertRes;
        out["iLogX"] = main->iLogX;
        const QRect box = main->CheckThumb->geometry();
        out["checkRight"] = box.right();
        out["checkBottom"] = box.bottom();
        out["imagemain"] = QStringLiteral("%1,%2 %3x%4")
                               .arg(main->Imagemain->x())
                               .arg(main->Imagemain->y())
                               .arg(main->Imagemain->width())
                               .arg(main->Imagemain->height());
        out["timerAfter"] = main->Timer2->isActive();
    }
    out["messages"] = int(boxes.messages.size());
    if (!boxes.messages.isEmpty()) {
        const Messages::Message &m = boxes.messages.first();
        out["title"] = m.title;
        out["text"] = m.text;
        out["critical"] = m.icon == Messages::Icon::Critical;
        out["okOnly"] = m.buttons == Messages::Ok;
        out["timerDuringBox"] = boxes.timerActive.first();
    }
    QTextStream(stdout) << QJsonDocument(out).toJson(QJsonDocument::Compact) << Qt::endl;
    if (main)
        close(main);
    return 0;
}

QString warning(int width, int height)
{
    return QStringLiteral("Vistello requires a display resolution\r\n"
                          "of 800 x 600 pixels or higher. Your current\r\n"
                          "display setting is %1 x %2 pixels.\r\n"
                          "\r\n"
                          "Please consider increasing the display\r\n"
                          "resolution using the Windows Display\r\n"
                          "Dialogue (Control Panel).")
        .arg(width)
        .arg(height);
}

} // namespace

class TestScreens : public QObject {
    Q_OBJECT
private slots:
    void startupOnScreen_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("pixelScale");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<bool>("warned");
        // Centred both ways, overhanging a small screen; 4 pixels from the top when exactly 800 wide.
        QTest::newRow("640x480 96 dpi") << 640 << 480 << 96 << 15 << QPoint(-61, -39) << true;
        QTest::newRow("799x600 96 dpi") << 799 << 600 << 96 << 15 << QPoint(18, 21) << true;
        QTest::newRow("800x600 96 dpi") << 800 << 600 << 96 << 15 << QPoint(19, 4) << false;
        QTest::newRow("800x1000 96 dpi") << 800 << 1000 << 96 << 15 << QPoint(19, 4) << false;
        QTest::newRow("1024x599 96 dpi") << 1024 << 599 << 96 << 15 << QPoint(131, 20) << false;
        QTest::newRow("1024x768 96 dpi") << 1024 << 768 << 96 << 15 << QPoint(131, 105) << false;
        QTest::newRow("800x600 120 dpi") << 800 << 600 << 120 << 12 << QPoint(19, 4) << false;
        QTest::newRow("1280x1024 120 dpi") << 1280 << 1024 << 120 << 12 << QPoint(259, 233) << false;
        QTest::newRow("640x480 120 dpi") << 640 << 480 << 120 << 12 << QPoint(-61, -39) << true;
        QTest::newRow("1920x1080 144 dpi") << 1920 << 1080 << 144 << 10 << QPoint(579, 261) << false;
    }
    void startupOnScreen()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, dpi);
        QFETCH(int, pixelScale);
        QFETCH(QPoint, place);
        QFETCH(bool, warned);
        const QByteArray output = runOnScreen(width, height, dpi, {"--report-startup"});
        const QJsonObject r = QJsonDocument::fromJson(output.trimmed()).object();
        QVERIFY2(!r.isEmpty(), output.constData());
        QCOMPARE(r["iHorzRes"].toInt(), width);
        QCOMPARE(r["iVertRes"].toInt(), height);
        QCOMPARE(r["iLogX"].toInt(), dpi);
        QCOMPARE(r["PixelScale"].toInt(), pixelScale);
        QCOMPARE(r["width"].toInt(), 762);
        QCOMPARE(r["height"].toInt(), 558);
        QCOMPARE(QPoint(r["x"].toInt(), r["y"].toInt()), place);
        QCOMPARE(r["imagemain"].toString(), QStringLiteral("7,3 620x490"));
        // The check box fits right of the viewing area and above the first thumbnail.
        QVERIFY(r["checkRight"].toInt() < 643 + 100);
        QVERIFY(r["checkBottom"].toInt() < 31);
        QVERIFY(r["timerAfter"].toBool());
        QCOMPARE(r["messages"].toInt(), warned ? 1 : 0);
        if (warned) {
            QCOMPARE(r["title"].toString(), QStringLiteral("Display Resolution"));
            QCOMPARE(r["text"].toString(), warning(width, height));
            QVERIFY(r["critical"].toBool());
            QVERIFY(r["okOnly"].toBool());
            QCOMPARE(r["timerDuringBox"].toBool(), false);
        }
    }
};

int main(int argc, char **argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--report-startup")
        return reportStartup(argc, argv);
    Vistello::prepareProcess();
    QApplication app(argc, argv);
    TestScreens test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_screens.moc"
