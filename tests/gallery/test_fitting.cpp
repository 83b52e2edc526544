// Fitting a picture into the viewing area: the box, the zoom in the caption and the offer of actual
// size for pictures of many sizes; the actual-size view across changes of picture and its end;
// fitting with no picture at all.
#include "AllForms.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "GalleryTest.h"
#include "PictureFolders.h"
#include "PictureCache.h"

using namespace GalleryTest;

namespace {
const QString kActual = QStringLiteral("&Actual Size");
const QString kRestore = QStringLiteral("&Restore");

QString zoomCaption(const QString &file, int zoom)
{
    return QStringLiteral("Vistello  -  %1     Zoom: %2%").arg(file).arg(zoom);
}
QString hundredCaption(const QString &file)
{
    return QStringLiteral("Vistello  -  %1     Zoom: 100%").arg(file);
}
} // namespace

class TestFitting : public QObject {
    Q_OBJECT
private slots:
    void init() { m_case.init(); }
    void cleanup() { m_case.cleanup(); }

    void fittedView_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRectF>("expected"); // Left, Top, Width, Height
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("offered"); // "&Actual Size" enabled
        const QString f = QStringLiteral("p.jpg");
        const auto row = [&](const char *name, QSize s, QRectF r, QString caption, bool offered) {
            QTest::newRow(name) << s << r << caption << offered;
        };
        // Smaller than the area in both directions: zoom above 100, actual size offered.
        row("300x200", {300, 200}, {7, 41.3333, 620, 413.3333}, zoomCaption(f, 207), true);
        row("200x300", {200, 300}, {153.6667, 3, 326.6667, 490}, zoomCaption(f, 163), true);
        row("100x100", {100, 100}, {72, 3, 490, 490}, zoomCaption(f, 490), true);
        row("400x300", {400, 300}, {7, 15.5, 620, 465}, zoomCaption(f, 155), true);
        row("619x489", {619, 489}, {7, 3.1050, 620, 489.7900}, zoomCaption(f, 100), true);
        // One pixel wide or high: fitted and captioned like any other small picture.
        row("1x400", {1, 400}, {316.3875, 3, 1.225, 490}, zoomCaption(f, 123), true);
        row("1x1", {1, 1}, {72, 3, 490, 490}, zoomCaption(f, 49000), true);
        row("400x1", {400, 1}, {7, 247.225, 620, 1.55}, zoomCaption(f, 155), true);
        // Larger in either direction: stretched, zoom caption, button disabled.
        row("1024x768", {1024, 768}, {7, 15.5, 620, 465}, zoomCaption(f, 61), false);
        row("640x480", {640, 480}, {7, 15.5, 620, 465}, zoomCaption(f, 97), false);
        row("480x640", {480, 640}, {133.25, 3, 367.5, 490}, zoomCaption(f, 77), false);
        row("2000x100", {2000, 100}, {7, 232.5, 620, 31}, zoomCaption(f, 31), false);
        // Landscape narrower than 620:490: fitted by its height, proportions kept.
        row("1280x1024", {1280, 1024}, {10.75, 3, 612.5, 490}, zoomCaption(f, 48), false);
        row("1000x900", {1000, 900}, {44.7778, 3, 544.4444, 490}, zoomCaption(f, 54), false);
        // Exactly as high or as wide as the area and not larger: the 100 % caption, nothing offered.
        row("620x490", {620, 490}, {7, 3, 620, 490}, hundredCaption(f), false);
        row("490x490", {490, 490}, {72, 3, 490, 490}, hundredCaption(f), false);
        row("600x490", {600, 490}, {17, 3, 600, 490}, hundredCaption(f), false);
        row("620x400", {620, 400}, {7, 48, 620, 400}, hundredCaption(f), false);
        row("300x490", {300, 490}, {167, 3, 300, 490}, hundredCaption(f), false);
    }
    void fittedView()
    {
        QFETCH(QSize, size);
        QFETCH(QRectF, expected);
        QFETCH(QString, caption);
        QFETCH(bool, offered);
        PictureFolder folder({{"p.jpg", size}});
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        QVERIFY2(near(box(main->Imagemain), expected), qPrintable(describe(box(main->Imagemain))));
        QCOMPARE(main->windowTitle(), caption);
        QCOMPARE(main->CmdSize->isEnabled(), offered);
        QCOMPARE(main->CmdSize->text(), kActual);
        QVERIFY(main->Imagemain->Stretch());
        QVERIFY(main->Imagemain->isVisible());
        QCOMPARE(QSizeF(main->PictureScale->Width(), main->PictureScale->Height()), QSizeF(size));
        // The picture is drawn at the fitted size.
        const QImage drawn = main->Imagemain->drawnImage();
        QCOMPARE(drawn.width(), qCeil(expected.width() - 1e-6));
        QCOMPARE(drawn.height(), qCeil(expected.height() - 1e-6));
        QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
    }

    // The picture after the one shown is prepared at the size the viewing area then draws it:
    // showing it, by "Next image" or from its thumbnail place, neither decodes nor scales, whatever
    // its proportions, and nothing is drawn for the box of the picture before.
    void nextPictureDrawnAsPrepared_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("fromPlace");
        QTest::newRow("landscape") << QSize(900, 600) << false;
        QTest::newRow("portrait") << QSize(600, 900) << false;
        QTest::newRow("narrower than the area") << QSize(1280, 1024) << false;
        QTest::newRow("one pixel wide") << QSize(1, 700) << false;
        QTest::newRow("portrait from its place") << QSize(900, 1600) << true;
    }
    void nextPictureDrawnAsPrepared()
    {
        QFETCH(QSize, size);
        QFETCH(bool, fromPlace);
        PictureFolder folder({{"a.jpg", {300, 200}}, {"b.jpg", size}});
        FormMain *main = startAt(folder.path(), fromPlace);
        QVERIFY(main);
        endSplash(main);
        PictureCache &cache = PictureCache::instance();
        cache.waitForPrepared();
        cache.resetStats();
        if (fromPlace)
            QTest::mouseClick(main->ImageThumb2, Qt::LeftButton, {}, QPoint(50, 50));
        else
            main->CmdFwdOne->click();
        QCOMPARE(main->Imagemain->picture().path(), folder.file("b.jpg"));
        QVERIFY(!main->Imagemain->drawnImage().isNull());
        cache.waitForPrepared();
        QCOMPARE(cache.stats().decodes, 0);
        QCOMPARE(cache.stats().prepared, 1);
    }

    // Each thumbnail fitted into its 100 x 100 place and centred; the place itself stays in the column.
    void thumbnailsKeepTheirProportions()
    {
        PictureFolder folder({{"a.jpg", {800, 300}}, {"b.jpg", {300, 800}}, {"c.jpg", {640, 640}}});
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        const QRectF expected[] = {{0, 31.25, 100, 37.5}, {31.25, 0, 37.5, 100}, {0, 0, 100, 100}};
        for (int place = 1; place <= 3; ++place) {
            ImageBox *t = main->thumb(place);
            QCOMPARE(box(t), QRectF(643, t->Top(), 100, 100));
            QCOMPARE(t->drawnArea(), expected[place - 1]);
            QCOMPARE(t->drawnImage().size(), QSize(qCeil(expected[place - 1].width()), qCeil(expected[place - 1].height())));
        }
    }

    // "&Actual Size" on a small picture, then changes of picture in that view, then "&Restore".
    void actualSizeViewAcrossChangesOfPicture()
    {
        PictureFolder folder({{"a.jpg", {300, 200}}, {"b.jpg", {400, 300}}, {"c.jpg", {1024, 768}}});
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        QCOMPARE(main->windowTitle(), zoomCaption("a.jpg", 207));
        QVERIFY(main->CmdSize->isEnabled());

        main->CmdSize->click();
        QCOMPARE(box(main->Imagemain), QRectF(167, 148, 300, 200));
        QVERIFY(!main->Imagemain->Stretch());
        QCOMPARE(main->windowTitle(), hundredCaption("a.jpg"));
        // The caption turns on the next tick, or when the pointer crosses the browser.
        QCOMPARE(main->CmdSize->text(), kActual);
        Forms::FormFiles->Form_MouseMove();
        QCOMPARE(main->CmdSize->text(), kRestore);

        // A small picture stays at its own size, centred.
        const auto step = [main](int n) {
            main->Imagemain->setStretch(true);
            main->NCount = n;
            main->DoSelectPicture();
        };
        step(1);
        QCOMPARE(box(main->Imagemain), QRectF(117, 98, 400, 300));
        QVERIFY(!main->Imagemain->Stretch());
        QCOMPARE(main->windowTitle(), hundredCaption("b.jpg"));
        QVERIFY(main->CmdSize->isEnabled());
        QCOMPARE(main->CmdSize->text(), kRestore);
        QCOMPARE(main->Imagemain->drawnImage().size(), QSize(400, 300));

        // A large one is fitted; the view goes on.
        step(2);
        QVERIFY(near(box(main->Imagemain), {7, 15.5, 620, 465}));
        QVERIFY(main->Imagemain->Stretch());
        QCOMPARE(main->windowTitle(), zoomCaption("c.jpg", 61));
        QVERIFY(!main->CmdSize->isEnabled());
        QCOMPARE(main->CmdSize->text(), kRestore);

        step(0);
        QCOMPARE(box(main->Imagemain), QRectF(167, 148, 300, 200));
        QCOMPARE(main->CmdSize->text(), kRestore);

        // "&Restore" fits the picture again and leaves the thumbnail column as it is.
        const Picture marker = Picture::fromImage(QImage(3, 3, QImage::Format_RGB32));
        main->ImageThumb1->setPicture(marker);
        main->CmdSize->click();
        QVERIFY(near(box(main->Imagemain), {7, 41.3333, 620, 413.3333}));
        QVERIFY(main->Imagemain->Stretch());
        QCOMPARE(main->windowTitle(), zoomCaption("a.jpg", 207));
        QCOMPARE(main->CmdSize->text(), kActual);
        QVERIFY(main->CmdSize->isEnabled());
        QCOMPARE(main->ImageThumb1->picture(), marker);
        QVERIFY(!main->StopThumb);
    }

    // The view ends when the folder browser opens, and when a folder without pictures is chosen.
    void actualSizeViewEnds_data()
    {
        QTest::addColumn<bool>("byEmptyFolder");
        QTest::newRow("Find Files") << false;
        QTest::newRow("empty folder") << true;
    }
    void actualSizeViewEnds()
    {
        QFETCH(bool, byEmptyFolder);
        PictureFolder folder({{"a.jpg", {300, 200}}});
        PictureFolder empty;
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        main->CmdSize->click();
        Forms::FormFiles->Form_MouseMove();
        QCOMPARE(main->CmdSize->text(), kRestore);
        const Picture marker = Picture::fromImage(QImage(3, 3, QImage::Format_RGB32));
        main->ImageThumb1->setPicture(marker);
        if (byEmptyFolder) {
            // Another folder empties the viewing area's box; when the main window then takes the
            // folder (as leaving help does), the old picture is fitted again and the browser shown.
            QVERIFY(Forms::FormFiles->Dir1->setPath(empty.path()));
            main->DoFilePrep();
            QVERIFY(Forms::FormFiles->isVisible());
            QCOMPARE(main->windowTitle(), QStringLiteral("Vistello  -       Zoom: 207%"));
        } else {
            main->CmdFiles->click();
            QVERIFY(Forms::FormFiles->isVisible());
            QCOMPARE(main->windowTitle(), zoomCaption("a.jpg", 207));
        }
        QVERIFY(near(box(main->Imagemain), {7, 41.3333, 620, 413.3333}));
        QVERIFY(main->Imagemain->Stretch());
        QCOMPARE(main->CmdSize->text(), kActual);
        QVERIFY(main->CmdSize->isEnabled());
        QCOMPARE(main->ImageThumb1->picture(), marker);
    }

    void actualSizeDoesNothingInHelpMode()
    {
        PictureFolder folder({{"a.jpg", {300, 200}}});
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        main->HelpActive = true;
        main->DoActual();
        QVERIFY(near(box(main->Imagemain), {7, 41.3333, 620, 413.3333}));
        QVERIFY(main->Imagemain->Stretch());
        QCOMPARE(main->windowTitle(), zoomCaption("a.jpg", 207));
    }

    // With no selection the previous picture is fitted again under an empty file name.
    void noSelectionRefitsThePreviousPicture()
    {
        PictureFolder folder({{"a.jpg", {300, 200}}, {"b.jpg", {200, 300}}});
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        main->Imagemain->Move(0, 0, 10, 10);
        main->NCount = -1;
        main->DoSelectPicture();
        QCOMPARE(Forms::FormFiles->File1->ListIndex(), -1);
        QCOMPARE(main->ListIndexStore, -1);
        QVERIFY(near(box(main->Imagemain), {7, 41.3333, 620, 413.3333}));
        QCOMPARE(main->windowTitle(), QStringLiteral("Vistello  -       Zoom: 207%"));
    }

    // Before any picture: no division by a missing size, no zoom in the caption.
    void fittingWithoutAPicture_data()
    {
        QTest::addColumn<bool>("thumbScale");
        QTest::newRow("DoScale") << false;
        QTest::newRow("DoThumbScale") << true;
    }
    void fittingWithoutAPicture()
    {
        QFETCH(bool, thumbScale);
        PictureFolder folder;
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        QVERIFY(main->PictureScale->picture().isNull());
        main->setWindowTitle("x");
        if (thumbScale)
            main->DoThumbScale();
        else
            main->DoScale();
        QCOMPARE(main->windowTitle(), QStringLiteral("Vistello"));
        QCOMPARE(box(main->Imagemain), QRectF(7, 3, 620, 490));
        QVERIFY(main->Imagemain->isVisible());
        QVERIFY(!main->CmdSize->isEnabled());
        QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
    }

private:
    CaseFixture m_case;
};

GALLERY_TEST_MAIN(TestFitting)
#include "test_fitting.moc"
