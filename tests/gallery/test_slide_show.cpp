// The enlarged view, the remote control and the slide show: the view's picture box on screens of
// two sizes, the remote control's sizes and places, the show stepping tick by tick with
// wrap-around, the keys and clicks that close the view, the remote control closed during a show,
// the period kept in the settings, and the next picture decoded ahead at the size it is drawn.
#include "AllForms.h"
#include "FileLists.h"
#include "FormBlowUp.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "FormRemote.h"
#include "GalleryTest.h"
#include "PictureCache.h"
#include "PictureFolders.h"
#include "ScreenMetrics.h"
#include "Settings.h"
#include "WindowGeometry.h"

#include <QFileInfo>

using namespace GalleryTest;

namespace {
// This case again in a child process on a screen of that size, unless this is that screen.
#define ON_SCREEN(w, h)                                                                                        \
    if (ScreenMetrics::width() != (w) || ScreenMetrics::height() != (h)) {                                     \
        const QString name = QString::fromLatin1(QTest::currentTestFunction());                                \
        const QString tag = QString::fromLatin1(QTest::currentDataTag());                                      \
        const QByteArray out = runOnScreen((w), (h), 96, {name + ':' + tag});                                  \
        QVERIFY2(out.contains(QStringLiteral("PASS   : TestSlideShow::%1(%2)").arg(name, tag).toUtf8())        \
                     && out.contains(" 0 failed,"),                                                            \
                 out.constData());                                                                             \
        return;                                                                                                \
    }

// The main window at the folder, past its splash, with the enlarged view open as a click opens it.
FormMain *openView(const QString &folder)
{
    FormMain *main = startAt(folder);
    if (!main)
        return nullptr;
    endSplash(main);
    Forms::FormBlowUp->show();
    main->DoBlowUp();
    return main;
}

QString shown()
{
    FormBlowUp *view = Forms::FormBlowUp.loaded();
    return view ? QFileInfo(view->ImageBlowUp->picture().path()).fileName() : QStringLiteral("closed");
}
} // namespace

class TestSlideShow : public QObject {
    Q_OBJECT
private slots:
    void init() { m_case.init(); }
    void cleanup() { m_case.cleanup(); }

    // The whole picture on the screen with its proportions kept, centred; the window covers the
    // screen. The ratio is height over width for a landscape picture, else width over height.
    void viewGeometry_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRectF>("expected");
        QTest::addColumn<double>("ratio");
        const auto rows = [](QSize screen, const QList<QRectF> &boxes) {
            const QList<std::pair<const char *, QSize>> pictures = {
                {"landscape narrower than the screen", {1000, 900}}, {"landscape", {1600, 900}},
                {"portrait", {600, 900}}, {"square", {500, 500}}, {"wide", {2000, 500}}};
            for (int i = 0; i < pictures.size(); ++i) {
                const QSize p = pictures[i].second;
                const double ratio = p.width() > p.height() ? double(p.height()) / p.width() : double(p.width()) / p.height();
                QTest::addRow("%dx%d %s", screen.width(), screen.height(), pictures[i].first)
                    << screen << p << boxes[i] << ratio;
            }
        };
        rows({800, 600}, {{66.6667, 0, 666.6667, 600}, {0, 75, 800, 450}, {200, 0, 400, 600}, {100, 0, 600, 600},
                          {0, 200, 800, 200}});
        rows({1024, 768}, {{85.3333, 0, 853.3333, 768}, {0, 96, 1024, 576}, {256, 0, 512, 768}, {128, 0, 768, 768},
                           {0, 256, 1024, 256}});
    }
    void viewGeometry()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, picture);
        QFETCH(QRectF, expected);
        QFETCH(double, ratio);
        ON_SCREEN(screen.width(), screen.height());
        PictureFolder folder({{"p.jpg", picture}});
        FormMain *main = openView(folder.path());
        QVERIFY(main);
        FormBlowUp *view = Forms::FormBlowUp.loaded();
        QCOMPARE(WindowGeometry::outer(view), QRect(QPoint(0, 0), screen));
        QVERIFY2(near(box(view->ImageBlowUp), expected), qPrintable(describe(box(view->ImageBlowUp))));
        QVERIFY(qAbs(main->Ratio - ratio) < 1e-6);
        QCOMPARE(view->ImageBlowUp->picture(), main->Imagemain->picture());
        // Drawn at its size on the screen, not stretched up from the viewing area's.
        QCOMPARE(view->ImageBlowUp->drawnImage().size(), QSize(qCeil(expected.width() - 1e-6), qCeil(expected.height() - 1e-6)));
        QVERIFY(Forms::FormRemote.isLoaded() && !Forms::FormRemote->isVisible());
    }

    // Compact near the lower right corner, expanded with the slide-show controls (its step
    // buttons disabled), compact again after "&Run slide show" or "&Cancel".
    void remoteSizesAndPlaces_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("compact");
        QTest::addColumn<QRect>("expanded");
        QTest::newRow("800x600") << QSize(800, 600) << QRect(680, 510, 77, 48) << QRect(520, 360, 231, 201);
        QTest::newRow("1024x768") << QSize(1024, 768) << QRect(870, 653, 77, 48) << QRect(666, 461, 231, 201);
    }
    void remoteSizesAndPlaces()
    {
        QFETCH(QSize, screen);
        QFETCH(QRect, compact);
        QFETCH(QRect, expanded);
        ON_SCREEN(screen.width(), screen.height());
        PictureFolder folder(PictureFolder::numbered(3));
        FormMain *main = openView(folder.path());
        QVERIFY(main);
        FormRemote *remote = Forms::FormRemote.get();
        QTest::mouseClick(Forms::FormBlowUp->ImageBlowUp, Qt::RightButton);
        QVERIFY(remote->isVisible());
        // Place and size, then the three picture buttons' enabled states.
        const auto state = [remote] {
            QString s = describe(QRectF(WindowGeometry::outer(remote))) + ' ';
            for (QPushButton *b : {remote->CmdRemBack, remote->CmdRemFwd, remote->CmdExpand})
                s += b->isEnabled() ? '+' : '-';
            return s;
        };
        const QString small = describe(QRectF(compact)), large = describe(QRectF(expanded));
        QCOMPARE(state(), small + " +++");
        remote->CmdExpand->click();
        QCOMPARE(state(), large + " ---");
        remote->CmdSlide->click();
        QCOMPARE(state(), small + " +++");
        QCOMPARE(remote->windowTitle() + remote->CmdCancel->text(), QStringLiteral("Slide show&Stop"));
        remote->CmdExpand->click();
        remote->CmdCancel->click();
        QCOMPARE(state(), small + " +++");
        QCOMPARE(remote->windowTitle() + remote->CmdCancel->text(), QStringLiteral("&Cancel"));
        QVERIFY(!main->SlideOn);
    }

    // A step every Interval ticks while the view is shown, with wrap-around from the last picture;
    // none while the view is closed, and one at the first tick after it is shown again late.
    void showStepsTickByTick()
    {
        PictureFolder folder(PictureFolder::numbered(3));
        FormMain *main = openView(folder.path());
        QVERIFY(main);
        FormRemote *remote = Forms::FormRemote.get();
        QVERIFY(remote->setListText("1"));
        remote->CmdSlide->click();
        QCOMPARE(main->Interval, 10);
        QString steps;
        for (int t = 0; t < 40; ++t) {
            main->Timer2_Timer();
            steps += shown().mid(4, 1); // pic01.jpg -> "1"
        }
        QCOMPARE(steps, QStringLiteral("111111111222222222233333333331111111111") + "2");
        // Closed with Esc: the count goes on, no step, the show stays on.
        QTest::keyClick(Forms::FormBlowUp.loaded(), Qt::Key_Escape);
        flushDeletes();
        QVERIFY(!Forms::FormBlowUp.isLoaded());
        for (int t = 0; t < 25; ++t)
            main->Timer2_Timer();
        QVERIFY(main->SlideOn);
        QCOMPARE(QFileInfo(main->Imagemain->picture().path()).fileName(), QStringLiteral("pic02.jpg"));
        Forms::FormBlowUp->show();
        main->DoBlowUp();
        main->Timer2_Timer();
        QCOMPARE(shown(), QStringLiteral("pic03.jpg"));
        QCOMPARE(main->Tick, 0);
    }

    // Esc and numeric-pad minus close the view alone; clicks: right calls the remote control
    // (not in help mode), left closes both, and on the picture also ends the show.
    void keysAndClicks_data()
    {
        QTest::addColumn<QString>("input"); // key, or "<button> <picture|margin>"
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("expected"); // view, remote, SlideOn
        QTest::newRow("Esc") << "Esc" << false << "closed hidden on";
        QTest::newRow("pad minus") << "pad minus" << false << "closed hidden on";
        QTest::newRow("right on the picture") << "right picture" << false << "open shown on";
        QTest::newRow("right on the margin") << "right margin" << false << "open shown on";
        QTest::newRow("right in help mode") << "right picture" << true << "open hidden on";
        QTest::newRow("left on the picture") << "left picture" << false << "closed closed off";
        QTest::newRow("left on the margin") << "left margin" << false << "closed closed on";
        QTest::newRow("left in help mode") << "left margin" << true << "closed closed on";
    }
    void keysAndClicks()
    {
        QFETCH(QString, input);
        QFETCH(bool, help);
        QFETCH(QString, expected);
        PictureFolder folder({{"tall.jpg", {300, 600}}});
        FormMain *main = openView(folder.path());
        QVERIFY(main);
        main->SlideOn = true;
        main->HelpActive = help;
        FormBlowUp *view = Forms::FormBlowUp.loaded();
        if (input == "Esc") {
            QTest::keyClick(view, Qt::Key_Escape);
        } else if (input == "pad minus") {
            QTest::keyClick(view, Qt::Key_Minus, Qt::KeypadModifier);
        } else {
            const Qt::MouseButton button = input.startsWith("left") ? Qt::LeftButton : Qt::RightButton;
            if (input.endsWith("picture"))
                QTest::mouseClick(view->ImageBlowUp, button, {}, QPoint(100, 100));
            else
                QTest::mouseClick(view, button, {}, QPoint(20, 300)); // left of the picture
        }
        flushDeletes();
        const QString remote = !Forms::FormRemote.isLoaded()           ? "closed"
                               : Forms::FormRemote.loaded()->isVisible() ? "shown"
                                                                          : "hidden";
        QCOMPARE(QStringLiteral("%1 %2 %3")
                     .arg(Forms::FormBlowUp.isLoaded() ? "open" : "closed", remote, main->SlideOn ? "on" : "off"),
                 expected);
    }

    // The remote control's steps: forward from the last gives the first, back from the first the
    // last, back with the last current (no selection) the one before it; each restarts the
    // period. Closed by its close box during a show, it only goes: the show goes on.
    void remoteStepsAndCloseBox()
    {
        PictureFolder folder(PictureFolder::numbered(3));
        FormMain *main = openView(folder.path());
        QVERIFY(main);
        FormRemote *remote = Forms::FormRemote.get();
        remote->CmdSlide->click();
        main->Tick = 30;
        remote->CmdRemBack->click();
        QCOMPARE(shown(), QStringLiteral("pic03.jpg"));
        QCOMPARE(main->Tick, 0);
        remote->CmdRemFwd->click();
        QCOMPARE(shown(), QStringLiteral("pic01.jpg"));
        remote->CmdRemFwd->click();
        QCOMPARE(shown(), QStringLiteral("pic02.jpg"));
        main->Tick = main->Interval - 1;
        main->Timer2_Timer(); // the show's step enables the back button at the last picture
        QCOMPARE(shown(), QStringLiteral("pic03.jpg"));
        QCOMPARE(Forms::FormFiles->File1->ListIndex(), -1); // the last picture current
        QVERIFY(remote->CmdRemBack->isEnabled());
        remote->CmdRemBack->click();
        QCOMPARE(shown(), QStringLiteral("pic02.jpg"));
        QCOMPARE(main->Imagemain->picture().path(), folder.file("pic02.jpg"));
        remote->show();
        remote->close();
        flushDeletes();
        QVERIFY(!Forms::FormRemote.isLoaded());
        QVERIFY(main->SlideOn);
        for (int t = 0; t < main->Interval; ++t)
            main->Timer2_Timer();
        QCOMPARE(shown(), QStringLiteral("pic03.jpg"));
        QVERIFY(Forms::FormRemote.isLoaded()); // loaded again, hidden, by the blinking caption
        QCOMPARE(Forms::FormRemote->CmdCancel->text(), QStringLiteral("&Stop"));
    }

    // The period chosen is kept and written at close; a stored period that is none of the list's
    // selects 5 seconds.
    void periodKept_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("selected");
        QTest::newRow("stored 12") << QByteArray("12") << "12";
        QTest::newRow("stored 7.5") << QByteArray("7.5") << "5";
        QTest::newRow("stored text") << QByteArray("soon") << "5";
    }
    void periodKept()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, selected);
        PictureFolder folder(PictureFolder::numbered(2));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        // As read at start: the remote control loads afresh with it.
        main->ListIntervalValue = QString::fromUtf8(stored);
        Forms::FormRemote.unload();
        flushDeletes();
        FormRemote *remote = Forms::FormRemote.get();
        QCOMPARE(remote->ListInterval->count(), 21);
        QCOMPARE(remote->listText(), selected);
        QVERIFY(remote->setListText("120"));
        remote->CmdSlide->click();
        QCOMPARE(main->Interval, 1200);
        close(main);
        QCOMPARE(Settings::GetSetting("Vistello", "Startup", "ListIntervalValue"), QStringLiteral("120"));
    }

    // While the show runs the next picture is decoded during the period at the size the view
    // draws it: the step itself neither decodes nor scales it.
    void nextSlidePreparedAtItsDrawnSize()
    {
        // Sizes whose drawing is none of the decode's eighths: drawn from the decode, it is scaled.
        PictureFolder folder({{"a.jpg", {1601, 899}}, {"b.jpg", {899, 1601}}, {"c.jpg", {1001, 1001}}});
        FormMain *main = openView(folder.path());
        QVERIFY(main);
        FormRemote *remote = Forms::FormRemote.get();
        remote->CmdSlide->click();
        PictureCache &cache = PictureCache::instance();
        for (const char *next : {"b.jpg", "c.jpg", "a.jpg"}) {
            cache.waitForPrepared();
            cache.resetStats();
            main->Tick = main->Interval - 1;
            main->Timer2_Timer();
            QCOMPARE(shown(), QString::fromLatin1(next));
            QVERIFY(!Forms::FormBlowUp->ImageBlowUp->drawnImage().isNull());
            QCOMPARE(cache.stats().decodes, 0);
            QCOMPARE(cache.stats().waits, 0);
            QVERIFY(cache.stats().prepared >= 1);
        }
        // So it is after a step of the remote control during the show.
        cache.waitForPrepared();
        cache.clear();
        remote->CmdRemFwd->click();
        cache.waitForPrepared();
        cache.resetStats();
        main->Tick = main->Interval - 1;
        main->Timer2_Timer();
        QCOMPARE(shown(), QStringLiteral("c.jpg"));
        QVERIFY(!Forms::FormBlowUp->ImageBlowUp->drawnImage().isNull());
        QCOMPARE(cache.stats().decodes, 0);
    }

private:
    CaseFixture m_case;
};

GALLERY_TEST_MAIN(TestSlideShow)
#include "test_slide_show.moc"
