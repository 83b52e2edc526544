// The single-instance lock: the first holder runs, a second is told another runs, a dead holder's
// lock is taken over, and releasing lets the next one run.
#include "SingleInstance.h"

#include <QFile>
#include <QProcess>
#include <QTest>

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void lockLivesInTheRuntimeFolder()
    {
        QCOMPARE(SingleInstance::lockPath("Vistello"),
                 qEnvironmentVariable("XDG_RUNTIME_DIR") + "/Vistello.lock");
    }

    void secondHolderSeesTheFirst()
    {
        auto first = std::make_unique<SingleInstance>("Vistello");
        QVERIFY(!first->anotherIsRunning());
        {
            SingleInstance second("Vistello");
            QVERIFY(second.anotherIsRunning());
            SingleInstance other("Dorlinda");
            QVERIFY(!other.anotherIsRunning());
        }
        first.reset();
        SingleInstance third("Vistello");
        QVERIFY(!third.anotherIsRunning());
    }

    void anotherProcessHoldingTheLockCounts()
    {
        // A child process takes the lock and reports; while it lives, we are the second copy.
        QProcess child;
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments({"holdLock"});
        child.start();
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(20000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("held"));
        {
            SingleInstance me("Vistello");
            QVERIFY(me.anotherIsRunning());
        }
        child.write("q\n");
        child.closeWriteChannel();
        QVERIFY(child.waitForFinished(20000));
        SingleInstance me("Vistello");
        QVERIFY(!me.anotherIsRunning());
    }

    void aDeadHoldersLockIsTakenOver()
    {
        // A lock file naming a process that no longer exists.
        QFile f(SingleInstance::lockPath("Vistello"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("999999999\nvistello\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        f.close();
        SingleInstance me("Vistello");
        QVERIFY(!me.anotherIsRunning());
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "holdLock") {
        SingleInstance lock("Vistello");
        QTextStream out(stdout);
        out << (lock.anotherIsRunning() ? "not held" : "held") << Qt::endl;
        QTextStream in(stdin);
        in.readLine();
        return 0;
    }
    TestSingleInstance t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_single_instance.moc"
