// Forms that load when referenced: load once with the load handler, unload hides, clears the
// accessor at once and deletes later; unloading what is not loaded creates nothing.
#include "Forms.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

namespace {
int loads = 0;
int unloads = 0;
int lives = 0;
bool cancelNext = false;
} // namespace

class Sample : public LoadableForm {
public:
    Sample() { ++lives; setObjectName("Sample"); }
    ~Sample() override { --lives; }
    void Form_Load() override { ++loads; loadedVisible = isVisible(); }
    void Form_Unload(int &cancel) override
    {
        ++unloads;
        if (cancelNext)
            cancel = 1;
    }
    bool loadedVisible = true;
};

static FormOnReference<Sample> SampleForm;

static void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        SampleForm.unload();
        flushDeletes();
        loads = unloads = 0;
        cancelNext = false;
    }

    void firstReferenceLoadsHiddenOnce()
    {
        QVERIFY(!SampleForm.isLoaded());
        Sample *a = SampleForm.get();
        QVERIFY(a);
        QCOMPARE(loads, 1);
        QVERIFY(!a->loadedVisible);
        QVERIFY(!a->isVisible());
        QCOMPARE(SampleForm->objectName(), QStringLiteral("Sample"));
        QCOMPARE(SampleForm.get(), a);
        QCOMPARE(loads, 1);
    }

    void unloadHidesClearsAtOnceAndDeletesLater()
    {
        SampleForm->show();
        QPointer<Sample> old = SampleForm.get();
        SampleForm.unload();
        QCOMPARE(unloads, 1);
        QVERIFY(!SampleForm.isLoaded());
        QVERIFY(old);
        QVERIFY(!old->isVisible());
        flushDeletes();
        QVERIFY(!old);
        QCOMPARE(lives, 0);
        SampleForm.get();
        QCOMPARE(loads, 2);
    }

    void unloadingWhatIsNotLoadedCreatesNothing()
    {
        SampleForm.unload();
        SampleForm.unload();
        QCOMPARE(loads, 0);
        QCOMPARE(unloads, 0);
        QCOMPARE(lives, 0);
        QVERIFY(!SampleForm.loaded());
    }

    void closeBoxUnloads()
    {
        SampleForm->show();
        QVERIFY(SampleForm.loaded()->close());
        QCOMPARE(unloads, 1);
        QVERIFY(!SampleForm.isLoaded());
    }

    void cancelledUnloadKeepsTheWindow()
    {
        SampleForm->show();
        cancelNext = true;
        SampleForm.unload();
        QVERIFY(SampleForm.isLoaded());
        QVERIFY(SampleForm.loaded()->isVisible());
        cancelNext = false;
        SampleForm.unload();
        QVERIFY(!SampleForm.isLoaded());
    }

    void unloadTwiceRunsTheHandlerOnce()
    {
        Sample *s = SampleForm.get();
        s->unloadForm();
        s->unloadForm();
        QCOMPARE(unloads, 1);
    }
};

QTEST_MAIN(TestForms)
#include "test_forms.moc"
