// The one fitting rule: the picture's proportions kept, centred in the box, by the box's width or
// by its height, in the viewing area, a thumbnail place and the screen; and a printed picture made
// smaller to fit the page.
#include "PictureFit.h"

#include <QTest>

class TestPictureFit : public QObject {
    Q_OBJECT
private slots:
    void fitted_data()
    {
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<QRectF>("expected");
        const QRectF area(7, 3, 620, 490);
        const QRectF screen(0, 0, 800, 600);
        QTest::newRow("landscape in the area") << QSizeF(300, 200) << area << QRectF(7, 41.3333, 620, 413.3333);
        QTest::newRow("portrait in the area") << QSizeF(200, 300) << area << QRectF(153.6667, 3, 326.6667, 490);
        QTest::newRow("landscape narrower than the area") << QSizeF(1280, 1024) << area << QRectF(10.75, 3, 612.5, 490);
        QTest::newRow("the area's own proportions") << QSizeF(620, 490) << area << area;
        QTest::newRow("one pixel wide") << QSizeF(1, 400) << area << QRectF(316.3875, 3, 1.225, 490);
        QTest::newRow("wide in a place") << QSizeF(800, 300) << QRectF(643, 31, 100, 100) << QRectF(643, 62.25, 100, 37.5);
        QTest::newRow("1000x900 on the screen") << QSizeF(1000, 900) << screen << QRectF(66.6667, 0, 666.6667, 600);
        QTest::newRow("4:3 on the screen") << QSizeF(1024, 768) << screen << screen;
        QTest::newRow("wide on the screen") << QSizeF(1600, 600) << screen << QRectF(0, 150, 800, 300);
        QTest::newRow("no size") << QSizeF(0, 0) << area << area;
    }
    void fitted()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QRectF, box);
        QFETCH(QRectF, expected);
        const QRectF r = PictureFit::fitted(picture, box);
        const auto near = [](double a, double b) { return std::abs(a - b) < 0.001; };
        QVERIFY2(near(r.left(), expected.left()) && near(r.top(), expected.top()) && near(r.width(), expected.width())
                     && near(r.height(), expected.height()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height())));
    }

    // A printed picture larger than the room left on the page: made smaller with its proportions
    // kept; one that fits keeps its size.
    void shrunkToFit_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QSizeF>("room");
        QTest::addColumn<QSizeF>("expected");
        const QSizeF room(10000, 15000);
        QTest::newRow("fits") << QSizeF(2400, 1800) << room << QSizeF(2400, 1800);
        QTest::newRow("exactly the room") << room << room << room;
        QTest::newRow("too wide") << QSizeF(90000, 60000) << room << QSizeF(10000, 6666.6667);
        QTest::newRow("too high") << QSizeF(9000, 30000) << room << QSizeF(4500, 15000);
        QTest::newRow("no room") << QSizeF(2400, 1800) << QSizeF(0, 15000) << QSizeF(2400, 1800);
    }
    void shrunkToFit()
    {
        QFETCH(QSizeF, size);
        QFETCH(QSizeF, room);
        QFETCH(QSizeF, expected);
        const QSizeF s = PictureFit::shrunkToFit(size, room);
        QVERIFY2(std::abs(s.width() - expected.width()) < 0.001 && std::abs(s.height() - expected.height()) < 0.001,
                 qPrintable(QStringLiteral("%1x%2").arg(s.width()).arg(s.height())));
    }

    void drawnPixels()
    {
        QCOMPARE(PictureFit::drawnPixels({620, 413.3333}), QSize(620, 414));
        QCOMPARE(PictureFit::drawnPixels({620, 465.0000001}), QSize(620, 465));
        QCOMPARE(PictureFit::drawnPixels({1.225, 490}), QSize(2, 490));
        QCOMPARE(PictureFit::drawnPixels({100, 37.5}, 2), QSize(200, 75));
    }
};

QTEST_GUILESS_MAIN(TestPictureFit)
#include "test_picturefit.moc"
