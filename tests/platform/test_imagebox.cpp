// Image boxes: fractional place and size, stretching or taking the picture's size, painting the
// same when disabled, and the mouse events the windows' handlers take.
#include "ImageBox.h"
#include "PictureCache.h"
#include "PictureFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace PictureFiles;

namespace {
// A white window holding one box, shown so that it paints.
struct Scene {
    QWidget window;
    ImageBox *box;
    explicit Scene(bool trueSize = false)
    {
        window.resize(800, 600);
        window.setAutoFillBackground(true);
        QPalette pal = window.palette();
        pal.setColor(QPalette::Window, Qt::white);
        window.setPalette(pal);
        box = trueSize ? new PictureBox(&window) : new ImageBox(&window);
        window.show();
    }
    QImage grab() { return window.grab().toImage(); }
};

bool isRed(QColor c) { return c.red() > 220 && c.green() < 40 && c.blue() < 40; }
bool isWhite(QColor c) { return c.red() > 245 && c.green() > 245 && c.blue() > 245; }
bool isBlend(QColor c) { return c.red() > 220 && c.green() > 40 && c.green() < 220; }
} // namespace

class TestImageBox : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString redFile(const QSize &size, const char *name = "red.png")
    {
        QImage plain(size, QImage::Format_RGB32);
        plain.fill(Qt::red);
        return write(dir.filePath(name), encode(plain, "png"));
    }

private slots:
    void fractionalGeometryIsKeptAndPainted_data()
    {
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QRect>("widget");
        // 1280 x 1024 fitted by height, 300 x 200 fitted by width, the empty viewing area.
        QTest::newRow("612.5 x 490 at 10.75") << 10.75 << 3.0 << 612.5 << 490.0 << QRect(10, 3, 614, 490);
        QTest::newRow("620 x 413.33 at top 41.33") << 7.0 << 41.0 + 1.0 / 3 << 620.0 << 413.0 + 1.0 / 3
                                                    << QRect(7, 41, 620, 414);
        QTest::newRow("whole pixels") << 7.0 << 3.0 << 620.0 << 490.0 << QRect(7, 3, 620, 490);
    }
    void fractionalGeometryIsKeptAndPainted()
    {
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QRect, widget);
        Scene s;
        s.box->setStretch(true);
        QVERIFY(s.box->loadPicture(redFile(QSize(64, 48))));
        s.box->Move(left, top, width, height);
        QCOMPARE(s.box->Left(), left);
        QCOMPARE(s.box->Top(), top);
        QCOMPARE(s.box->Width(), width);
        QCOMPARE(s.box->Height(), height);
        QCOMPARE(s.box->geometry(), widget);
        QCOMPARE(s.box->property("Left").toDouble(), left);

        const QImage shot = s.grab();
        const int y = int(top + height / 2);
        const double right = left + width;
        const int firstFull = int(std::ceil(left));
        const int lastFull = int(std::floor(right)) - 1;
        QVERIFY2(isWhite(shot.pixelColor(int(std::floor(left)) - 1, y)), "left of the box");
        QVERIFY2(isRed(shot.pixelColor(firstFull, y)), "first whole column");
        QVERIFY2(isRed(shot.pixelColor(lastFull, y)), "last whole column");
        QVERIFY2(isWhite(shot.pixelColor(int(std::ceil(right)), y)), "right of the box");
        if (left != std::floor(left))
            QVERIFY2(isBlend(shot.pixelColor(int(std::floor(left)), y)),
                     qPrintable(shot.pixelColor(int(std::floor(left)), y).name()));
        if (right != std::floor(right))
            QVERIFY2(isBlend(shot.pixelColor(int(std::floor(right)), y)),
                     qPrintable(shot.pixelColor(int(std::floor(right)), y).name()));
    }

    void stretchOrOwnSize()
    {
        Scene s;
        s.box->Move(7, 3, 620, 490);
        QVERIFY(s.box->loadPicture(redFile(QSize(300, 200))));
        // Not stretching: the box takes the picture's size.
        QCOMPARE(s.box->Width(), 300.0);
        QCOMPARE(s.box->Height(), 200.0);
        s.box->setStretch(true);
        s.box->Move(7, 41.33, 620, 413.33);
        QVERIFY(s.box->loadPicture(redFile(QSize(30, 20), "small.png")));
        QCOMPARE(s.box->Width(), 620.0); // stretching keeps the box
        QCOMPARE(s.box->drawnImage().size(), QSize(620, 414));
        // Clearing Stretch (even when it is clear already) takes the picture's size again.
        s.box->setStretch(false);
        QCOMPARE(s.box->Width(), 30.0);
        QCOMPARE(s.box->Height(), 20.0);
        s.box->Move(7, 3, 620, 490);
        s.box->setStretch(false);
        QCOMPARE(s.box->Width(), 30.0);
        QCOMPARE(s.box->drawnImage().size(), QSize(30, 20));
    }

    // Keeping proportions: fitted into the box and centred, the rest of the box left as it was.
    void keepingProportions_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRectF>("area");
        QTest::newRow("wide") << QSize(800, 300) << QRectF(0, 31.25, 100, 37.5);
        QTest::newRow("tall") << QSize(300, 800) << QRectF(31.25, 0, 37.5, 100);
        QTest::newRow("square") << QSize(50, 50) << QRectF(0, 0, 100, 100);
    }
    void keepingProportions()
    {
        QFETCH(QSize, picture);
        QFETCH(QRectF, area);
        Scene s;
        s.box->setStretch(true);
        s.box->setKeepProportions(true);
        s.box->Move(100, 100, 100, 100);
        QVERIFY(s.box->loadPicture(redFile(picture)));
        QCOMPARE(s.box->drawnArea(), area);
        QCOMPARE(s.box->drawnImage().size(), QSize(qCeil(area.width()), qCeil(area.height())));
        const QImage shot = s.grab();
        QVERIFY(isRed(shot.pixelColor(150, 150)));
        QCOMPARE(isWhite(shot.pixelColor(150, 101)), area.top() > 1);
        QCOMPARE(isWhite(shot.pixelColor(101, 150)), area.left() > 1);
    }

    void failedLoadKeepsThePicture()
    {
        Scene s;
        QVERIFY(s.box->loadPicture(redFile(QSize(40, 30))));
        const Picture before = s.box->picture();
        QVERIFY(!s.box->loadPicture(write(dir.filePath("bad.jpg"), "not a picture")));
        QVERIFY(!s.box->loadPicture(dir.filePath("missing.jpg")));
        QVERIFY(s.box->picture() == before);
        QCOMPARE(s.box->Width(), 40.0);
        QVERIFY(s.box->loadPicture(QString()));
        QVERIFY(s.box->picture().isNull());
        // Shown under its own name, a file that is not a picture empties the box instead.
        QVERIFY(s.box->loadPicture(redFile(QSize(40, 30))));
        QVERIFY(!s.box->showFile(dir.filePath("bad.jpg")));
        QVERIFY(s.box->picture().isNull());
        QCOMPARE(s.box->File(), dir.filePath("bad.jpg"));
    }

    void trueSizeBox()
    {
        Scene s(true);
        s.box->Move(32000, 0, 1, 1); // parked, one pixel wide: no picture yet
        QCOMPARE(s.box->Width(), 1.0);
        QVERIFY(!s.box->Stretch());
        QVERIFY(s.box->loadPicture(redFile(QSize(1280, 1024))));
        QCOMPARE(s.box->Width(), 1280.0);
        QCOMPARE(s.box->Height(), 1024.0);
        QCOMPARE(s.box->Left(), 32000.0);
        // Parked is moved, not hidden.
        QVERIFY(s.box->Visible());
        // Taking a picture from another box shares the object; no file is read.
        ImageBox other(&s.window);
        other.showContentOf(s.box);
        QVERIFY(other.picture() == s.box->picture());
        QCOMPARE(other.File(), s.box->File());
        // A file that is not a picture leaves the true-size box empty, 0 x 0.
        QVERIFY(!s.box->showFile(write(dir.filePath("none.jpg"), "not a picture")));
        QCOMPARE(QSizeF(s.box->Width(), s.box->Height()), QSizeF(0, 0));
        QCOMPARE(s.box->File(), dir.filePath("none.jpg"));
    }

    void disabledPaintsTheSame()
    {
        Scene s;
        s.box->setStretch(true);
        QVERIFY(s.box->loadPicture(redFile(QSize(50, 50))));
        s.box->Move(10, 10, 100, 100);
        const QImage enabled = s.grab();
        s.box->setEnabled(false);
        QVERIFY(!s.box->Enabled());
        QCOMPARE(s.grab(), enabled);
        // The own flags, whatever the window: a box in a hidden window is still Visible.
        s.window.hide();
        QVERIFY(s.box->Visible());
        s.box->hide();
        QVERIFY(!s.box->Visible());
    }

    void decodesOnlyWhenDrawn()
    {
        // A box in a hidden window (the preview while the browser is hidden) reads the header
        // only; the pixels are decoded when the box is drawn.
        QWidget hidden;
        auto *preview = new ImageBox(&hidden);
        preview->setStretch(true);
        preview->Move(99, 4, 80, 80);
        PictureCache::instance().resetStats();
        QVERIFY(preview->loadPicture(write(dir.filePath("lazy.jpg"), encode(drawing(QSize(1600, 1200)), "jpeg"))));
        QCOMPARE(preview->picture().size(), QSize(1600, 1200));
        PictureCache::instance().waitForPrepared();
        QCOMPARE(PictureCache::instance().stats().decodes, 0);
        QCOMPARE(preview->drawnImage().size(), QSize(80, 80));
        QCOMPARE(PictureCache::instance().stats().decodes, 1);
        // In a shown window the decode starts on a worker as the picture is put in.
        Scene s;
        s.box->setStretch(true);
        s.box->Move(7, 3, 620, 465);
        QVERIFY(s.box->loadPicture(write(dir.filePath("ahead.jpg"), encode(drawing(QSize(1600, 1200)), "jpeg"))));
        PictureCache::instance().waitForPrepared();
        QCOMPARE(PictureCache::instance().stats().decodes, 2);
        QCOMPARE(s.box->drawnImage().size(), QSize(620, 465));
        QCOMPARE(PictureCache::instance().stats().decodes, 2);
    }

    void mouseEvents_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << 1 << 0 << 1;
        QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers() << 2 << 0 << 0;
        QTest::newRow("middle with shift") << Qt::MiddleButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << 4 << 1 << 0;
        QTest::newRow("left with ctrl and alt") << Qt::LeftButton
                                                << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier) << 1
                                                << 6 << 1;
    }
    void mouseEvents()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, code);
        QFETCH(int, shift);
        QFETCH(int, clicks);
        Scene s;
        s.box->setStretch(true);
        s.box->Move(10.5, 20, 100, 80);
        QStringList order;
        QList<QVariantList> downs, ups;
        connect(s.box, &ImageBox::MouseDown, this, [&](int b, int sh, double x, double y) {
            order << "down";
            downs << QVariantList{b, sh, x, y};
        });
        connect(s.box, &ImageBox::MouseUp, this, [&](int b, int sh, double x, double y) {
            order << "up";
            ups << QVariantList{b, sh, x, y};
        });
        connect(s.box, &ImageBox::Click, this, [&] { order << "click"; });
        connect(s.box, &ImageBox::DblClick, this, [&] { order << "dblclick"; });
        QTest::mouseClick(s.box, button, modifiers, QPoint(30, 40));
        QCOMPARE(downs.size(), 1);
        QCOMPARE(downs[0][0].toInt(), code);
        QCOMPARE(downs[0][1].toInt(), shift);
        // Positions from the box's own corner, which lies half a pixel into the widget.
        QCOMPARE(downs[0][2].toDouble(), 29.5);
        QCOMPARE(downs[0][3].toDouble(), 40.0);
        QCOMPARE(ups.size(), 1);
        QCOMPARE(ups[0][0].toInt(), code);
        QCOMPARE(order.count("click"), clicks);
        if (clicks)
            QCOMPARE(order, (QStringList{"down", "up", "click"}));
    }

    void mouseMove()
    {
        Scene s;
        s.box->Move(10.25, 20, 100, 80);
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QList<QVariantList> moves;
        connect(s.box, &ImageBox::MouseMove, this, [&](int b, int sh, double x, double y) {
            moves << QVariantList{b, sh, x, y};
        });
        QTest::mouseMove(s.window.windowHandle(), QPoint(50, 60));
        QVERIFY(!moves.isEmpty());
        QCOMPARE(moves.last(), (QVariantList{0, 0, 39.75, 40.0}));
        QTest::mousePress(s.window.windowHandle(), Qt::RightButton, Qt::ShiftModifier, QPoint(50, 60));
        QTest::mouseMove(s.window.windowHandle(), QPoint(55, 61));
        QCOMPARE(moves.last(), (QVariantList{2, 0, 44.75, 41.0})); // the button held (a move carries no keys here)
        QTest::mouseRelease(s.window.windowHandle(), Qt::RightButton, Qt::ShiftModifier, QPoint(55, 61));
    }

    void doubleClickOrder()
    {
        Scene s;
        s.box->Move(0, 0, 100, 100);
        QStringList order;
        connect(s.box, &ImageBox::MouseDown, this, [&] { order << "down"; });
        connect(s.box, &ImageBox::MouseUp, this, [&] { order << "up"; });
        connect(s.box, &ImageBox::Click, this, [&] { order << "click"; });
        connect(s.box, &ImageBox::DblClick, this, [&] { order << "dblclick"; });
        // Through the window, as the platform delivers a double click.
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QTest::mouseDClick(s.window.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(order, (QStringList{"down", "up", "click", "dblclick", "up"}));
    }

    void disabledRaisesNothing()
    {
        Scene s;
        s.box->Move(0, 0, 100, 100);
        QSignalSpy downs(s.box, &ImageBox::MouseDown);
        QSignalSpy clicks(s.box, &ImageBox::Click);
        s.box->setEnabled(false);
        QTest::mouseClick(s.box, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(downs.count(), 0);
        QCOMPARE(clicks.count(), 0);
    }
};

QTEST_MAIN(TestImageBox)
#include "test_imagebox.moc"
