// Every test runs in fresh, private folders: nothing it writes reaches the user's own.
#include <QDir>
#include <QStandardPaths>
#include <QTest>

class TestIsolation : public QObject {
    Q_OBJECT
private slots:
    void foldersAreFreshAndPrivate()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        QVERIFY(!config.isEmpty());
        QVERIFY(!runtime.isEmpty());
        QVERIFY(QDir(config).isEmpty());
        QVERIFY(QDir::currentPath().startsWith(QFileInfo(config).path()));
        QVERIFY(QDir::current().isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QCOMPARE(qEnvironmentVariable("QT_QPA_PLATFORM").left(9), QStringLiteral("offscreen"));
    }
};

QTEST_MAIN(TestIsolation)
#include "test_isolation.moc"
