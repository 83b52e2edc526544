// Screen metrics from the primary screen (other screens through child processes), twips per
// pixel, and controls whose change by code runs their click handler exactly once.
#include "Controls.h"
#include "FileLists.h"
#include "ImageBox.h"
#include "Keys.h"
#include "ScreenMetrics.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QTemporaryDir>
#include <QFile>
#include <QTest>

class TestScreenAndControls : public QObject {
    Q_OBJECT
private slots:
    void metricsOfConfiguredScreens_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("twips");
        QTest::newRow("640x480 96 dpi") << 640 << 480 << 96 << 15;
        QTest::newRow("800x600 120 dpi") << 800 << 600 << 120 << 12;
        QTest::newRow("1920x1080 144 dpi") << 1920 << 1080 << 144 << 10;
    }
    void metricsOfConfiguredScreens()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, dpi);
        QFETCH(int, twips);
        QTemporaryDir dir;
        const QString config = dir.filePath("screen.json");
        QFile f(config);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral(R"({"windowFrameMargins":false,"screens":[{"name":"S","x":0,"y":0,)"
                               R"("width":%1,"height":%2,"logicalDpi":%3,"logicalBaseDpi":96,"dpr":1}]})")
                    .arg(width).arg(height).arg(dpi).toUtf8());
        f.close();
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
        env.insert("QT_ENABLE_HIGHDPI_SCALING", "0");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--print-metrics"});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.readAllStandardOutput().trimmed(),
                 QStringLiteral("%1 %2 %3 %4").arg(width).arg(height).arg(dpi).arg(twips).toUtf8());
    }

    void twipsPerPixelRoundsHalvesToEven_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("twips");
        QTest::newRow("96") << 96 << 15;
        QTest::newRow("120") << 120 << 12;
        QTest::newRow("72") << 72 << 20;
        QTest::newRow("100 (14.4)") << 100 << 14;
        QTest::newRow("110 (13.09)") << 110 << 13;
        QTest::newRow("192 (7.5, to even)") << 192 << 8;
        QTest::newRow("576 (2.5, to even)") << 576 << 2;
        QTest::newRow("0 counts as 96") << 0 << 15;
    }
    void twipsPerPixelRoundsHalvesToEven()
    {
        QFETCH(int, dpi);
        QFETCH(int, twips);
        QCOMPARE(ScreenMetrics::twipsPerPixel(dpi), twips);
    }

    void checkBoxRunsClickOnceOnChangeByCode()
    {
        CheckBox box("&Thumbnails");
        int clicks = 0;
        connect(&box, &CheckBox::Click, [&] { ++clicks; });
        QVERIFY(box.setValue(0));
        QCOMPARE(clicks, 0);
        QVERIFY(box.setValue(1));
        QCOMPARE(clicks, 1);
        QCOMPARE(box.value(), 1);
        QVERIFY(box.setValue(1));
        QCOMPARE(clicks, 1);
        QVERIFY(!box.setValue(5));
        QCOMPARE(box.value(), 1);
        box.click(); // the user's click
        QCOMPARE(box.value(), 0);
        QCOMPARE(clicks, 2);
    }

    void optionButtonsRunClickAndClearEachOther()
    {
        QWidget frame;
        auto *all = new OptionButton("&All", &frame);
        auto *bmp = new OptionButton("&BMP", &frame);
        QStringList order;
        connect(all, &OptionButton::Click, [&] { order << "all"; });
        connect(bmp, &OptionButton::Click, [&] { order << "bmp"; });
        QVERIFY(!all->value() && !bmp->value());
        all->setValue(true);
        QCOMPARE(order, QStringList{"all"});
        bmp->setValue(true);
        QVERIFY(!all->value());
        QVERIFY(bmp->value());
        all->click();
        QCOMPARE(order, (QStringList{"all", "bmp", "all"}));
        QVERIFY(!bmp->value());
    }

    void virtualKeyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << 27;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 0 << 33;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 0 << 34;
        QTest::newRow("End") << int(Qt::Key_End) << 0 << 35;
        QTest::newRow("Home") << int(Qt::Key_Home) << 0 << 36;
        QTest::newRow("Left") << int(Qt::Key_Left) << 0 << 37;
        QTest::newRow("Right") << int(Qt::Key_Right) << 0 << 39;
        QTest::newRow("1") << int(Qt::Key_1) << 0 << 49;
        QTest::newRow("4") << int(Qt::Key_4) << 0 << 52;
        QTest::newRow("P") << int(Qt::Key_P) << int(Qt::ControlModifier) << 80;
        QTest::newRow("pad 1") << int(Qt::Key_1) << int(Qt::KeypadModifier) << 97;
        QTest::newRow("pad 4") << int(Qt::Key_4) << int(Qt::KeypadModifier) << 100;
        QTest::newRow("pad plus") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << 107;
        QTest::newRow("pad minus") << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << 109;
    }
    void virtualKeyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        QCOMPARE(Keys::virtualKey(key, Qt::KeyboardModifiers(modifiers)), code);
    }

    void keyPreviewSeesEachKeyOnceBeforeTheControl()
    {
        QWidget window;
        auto *edit = new QLineEdit(&window);
        auto *button = new QPushButton("b", &window);
        QWidget other;
        QList<std::pair<int, int>> seen;
        QString textWhenSeen;
        Keys::installKeyPreview(&window, [&](int key, int shift) {
            seen.append({key, shift});
            textWhenSeen = edit->text();
        });
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(seen, (QList<std::pair<int, int>>{{65, 0}}));
        QCOMPARE(textWhenSeen, QString()); // the handler runs before the control
        QCOMPARE(edit->text(), QStringLiteral("a")); // and the key is not consumed
        QTest::keyClick(button, Qt::Key_Escape); // ignored by the button, passed to the window
        QTest::keyClick(&window, Qt::Key_Plus, Qt::KeypadModifier);
        QTest::keyClick(edit, Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(&other, Qt::Key_Escape);
        // Ctrl itself goes down first, as a real keyboard sends it.
        QCOMPARE(seen, (QList<std::pair<int, int>>{{65, 0}, {27, 0}, {107, 0}, {17, 2}, {80, 2}}));
    }

    // What other windows read and set by name: written through the property, read back the same,
    // and the control changed as its own setter would change it. Enabled and Visible are the
    // control's own flags, also while its window is hidden.
    void controlsOfferTheirPropertiesByName()
    {
        QTemporaryDir dir;
        for (const char *name : {"b.jpg", "a.jpg", "c.txt"})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        QWidget window;
        auto *check = new CheckBox("&Thumbnails", &window);
        auto *option = new OptionButton("&All", &window);
        auto *button = new CommandButton("&Copy", &window);
        auto *image = new ImageBox(&window);
        auto *files = new FileListBox(&window);
        auto *folders = new DirListBox(&window);
        CommonDialog dialog("CommonDialog1");
        int clicks = 0;
        connect(check, &CheckBox::Click, [&] { ++clicks; });
        const QList<std::tuple<QObject *, const char *, QVariant>> table = {
            {check, "Value", 1},          {check, "Caption", "&Off"},      {check, "Left", 643},
            {check, "Top", 6},            {check, "Enabled", false},       {option, "Value", true},
            {option, "Visible", false},   {button, "Caption", "&Restore"}, {button, "Left", 32000},
            {button, "Width", 77},        {button, "Enabled", false},      {image, "Stretch", true},
            {image, "Enabled", false},    {image, "Visible", false},       {folders, "Path", dir.path()},
            {files, "Path", dir.path()},  {files, "Pattern", "*.jpg"},     {files, "ListIndex", 1},
            {&dialog, "CancelError", true},
        };
        for (const auto &[control, property, value] : table) {
            QVERIFY2(control->setProperty(property, value), property);
            QCOMPARE(control->property(property), value);
        }
        QCOMPARE(clicks, 1);
        QVERIFY(check->isChecked());
        QCOMPARE(check->text(), QStringLiteral("&Off"));
        QCOMPARE(check->pos(), QPoint(643, 6));
        QCOMPARE(button->x(), 32000);
        QCOMPARE(button->text(), QStringLiteral("&Restore"));
        QVERIFY(!button->isEnabled());
        QVERIFY(button->property("Visible").toBool()); // not hidden itself, though its window is
        QCOMPARE(files->property("ListCount").toInt(), 2);
        QCOMPARE(files->property("FileName").toString(), QStringLiteral("b.jpg"));
        QCOMPARE(folders->property("ListIndex").toInt(), -1);
        QVERIFY(dialog.CancelError);
    }

    void shiftMaskBits()
    {
        QCOMPARE(Keys::shiftMask(Qt::ControlModifier), 2);
        QCOMPARE(Keys::shiftMask(Qt::ShiftModifier | Qt::AltModifier), 5);
        QCOMPARE(Keys::shiftMask(Qt::KeypadModifier), 0);
    }
};

int main(int argc, char **argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--print-metrics") {
        QApplication app(argc, argv);
        QTextStream(stdout) << ScreenMetrics::width() << ' ' << ScreenMetrics::height() << ' '
                            << ScreenMetrics::logicalDpiX() << ' ' << ScreenMetrics::twipsPerPixel() << Qt::endl;
        return 0;
    }
    QApplication app(argc, argv);
    TestScreenAndControls t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_screen_and_controls.moc"
