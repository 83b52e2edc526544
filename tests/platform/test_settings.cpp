// The settings store: defaults, case-insensitive keys with one spelling on disk, atomic files,
// and values that survive any text.
#include "AsOtherUser.h"
#include "KeptBytes.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace Settings;

namespace {
QByteArray fileBytes(const QString &app)
{
    QFile f(filePath(app));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeFile(const QString &app, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(filePath(app)).path());
    QFile f(filePath(app));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(filePath("Vistello")); }

    void fileLivesUnderTheConfigFolder()
    {
        QCOMPARE(filePath("Vistello"),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + "/Vistello/Vistello.ini");
    }

    void missingValuesGiveTheDefault()
    {
        QCOMPARE(GetSetting("Vistello", "Startup", "CheckThumbValue", "1"), QStringLiteral("1"));
        QVERIFY(!QFile::exists(filePath("Vistello")));
        QVERIFY(SaveSetting("Vistello", "Startup", "Other", "x"));
        QCOMPARE(GetSetting("Vistello", "Startup", "CheckThumbValue", "1"), QStringLiteral("1"));
        QCOMPARE(GetSetting("Vistello", "Elsewhere", "Other", "d"), QStringLiteral("d"));
        QCOMPARE(GetSetting("Nobody", "Startup", "Other", "d"), QStringLiteral("d"));
    }

    void writtenFileHasTheSectionAndKey()
    {
        QVERIFY(SaveSetting("Vistello", "Startup", "ListIntervalValue", "5"));
        QCOMPARE(fileBytes("Vistello"), QByteArray("[Startup]\nListIntervalValue=5\n"));
    }

    void keysIgnoreLetterCaseAndKeepOneSpelling_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("rewritten");
        QTest::addColumn<QString>("read");
        QTest::newRow("Dir1value then Dir1Value") << "Dir1value" << "Dir1Value" << "DIR1VALUE";
        QTest::newRow("Dir1Value then Dir1value") << "Dir1Value" << "Dir1value" << "dir1value";
    }
    void keysIgnoreLetterCaseAndKeepOneSpelling()
    {
        QFETCH(QString, written);
        QFETCH(QString, rewritten);
        QFETCH(QString, read);
        QVERIFY(SaveSetting("Vistello", "Startup", written, "/first"));
        QCOMPARE(GetSetting("Vistello", "startup", read, "/"), QStringLiteral("/first"));
        QVERIFY(SaveSetting("Vistello", "STARTUP", rewritten, "/second"));
        QCOMPARE(GetSetting("Vistello", "Startup", written, "/"), QStringLiteral("/second"));
        const QByteArray bytes = fileBytes("Vistello");
        QCOMPARE(bytes.count(QByteArray("[")), 1);
        QCOMPARE(QString::fromUtf8(bytes).count("dir1value", Qt::CaseInsensitive), 1);
    }

    void aFileHoldingTwoSpellingsKeepsTheLaterOne()
    {
        writeFile("Vistello", "[Startup]\nDir1Value=/a\nDir1value=/b\n");
        QCOMPARE(GetSetting("Vistello", "Startup", "Dir1Value", "/"), QStringLiteral("/b"));
        QVERIFY(SaveSetting("Vistello", "Startup", "Save1Dir", "/c"));
        QCOMPARE(QString::fromUtf8(fileBytes("Vistello")).count("dir1value", Qt::CaseInsensitive), 1);
    }

    // All the values of a section in one read, among lines the program does not know.
    void aWholeSectionAtOnce()
    {
        QByteArray ini = "[Other]\nDir1Value=/other\n[startup]\n";
        for (int i = 0; i < 2000; ++i)
            ini += "Unknown" + QByteArray::number(i) + "=x\n";
        ini += "dir1value=/b\nDIR1VALUE=/c\nSave1Caption=\"  spaced  \"\n";
        writeFile("Vistello", ini);
        const SectionValues values = GetAllSettings("Vistello", "Startup");
        QCOMPARE(values.value("Dir1Value", "/"), QStringLiteral("/c"));
        QCOMPARE(values.value("save1caption"), QStringLiteral("  spaced  "));
        QCOMPARE(values.value("Unknown1999"), QStringLiteral("x"));
        QCOMPARE(values.value("CheckThumbValue", "1"), QStringLiteral("1"));
        QCOMPARE(GetAllSettings("Vistello", "Elsewhere").value("Dir1Value", "d"), QStringLiteral("d"));
        QCOMPARE(GetAllSettings("Nobody", "Startup").value("Dir1Value", "d"), QStringLiteral("d"));
    }

    void anyTextComesBackAsWritten_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("caption with ampersand") << "Retrieve Location &1";
        QTest::newRow("empty") << "";
        QTest::newRow("blanks around") << "  spaced  ";
        QTest::newRow("quotes") << "\"quoted\" and \\ back";
        QTest::newRow("equals and semicolon") << "a=b;c # d";
        QTest::newRow("line breaks") << "one\r\ntwo\tthree";
        QTest::newRow("brackets") << "[Startup]";
        QTest::newRow("unicode") << QString::fromUtf8("Férias 2024 — ç");
        QTest::newRow("windows path") << "C:\\Pictures\\";
        QTest::newRow("folder named by bytes that are not UTF-8") << KeptBytes::decode("/home/f\xe9tes\xff/\xc3(");
    }
    void anyTextComesBackAsWritten()
    {
        QFETCH(QString, value);
        QVERIFY(SaveSetting("Vistello", "Startup", "Save1Caption", value));
        QVERIFY(SaveSetting("Vistello", "Startup", "Save2Caption", "after"));
        QCOMPARE(GetSetting("Vistello", "Startup", "Save1Caption", "default"), value);
        QCOMPARE(GetSetting("Vistello", "Startup", "Save2Caption", "default"), QStringLiteral("after"));
    }

    void severalValuesInOneWriteKeepTheirOrder()
    {
        writeFile("Vistello", "[Startup]\nb=old\n");
        QVERIFY(SaveSettings("Vistello", "Startup", {{"a", "1"}, {"B", "2"}, {"c", "3"}}));
        QCOMPARE(fileBytes("Vistello"), QByteArray("[Startup]\nB=2\na=1\nc=3\n"));
    }

    void otherSectionsAndKeysAreKept()
    {
        writeFile("Vistello", "; comment\n[Other]\nA=1\n\n[Startup]\nB=2\n");
        QVERIFY(SaveSetting("Vistello", "Startup", "C", "3"));
        QCOMPARE(GetSetting("Vistello", "Other", "A"), QStringLiteral("1"));
        QCOMPARE(GetSetting("Vistello", "Startup", "B"), QStringLiteral("2"));
        QCOMPARE(GetSetting("Vistello", "Startup", "C"), QStringLiteral("3"));
    }

    void damagedFileReadsWhatItCan()
    {
        writeFile("Vistello", QByteArray("garbage\0\xff\xfe\n=novalue\n[Startup\nKey=v\n\"unterminated\n", 48));
        QCOMPARE(GetSetting("Vistello", "Startup", "Key", "d"), QStringLiteral("v"));
        QVERIFY(SaveSetting("Vistello", "Startup", "Key", "w"));
        QCOMPARE(GetSetting("Vistello", "Startup", "Key", "d"), QStringLiteral("w"));
    }

    void unwritableFolderFailsWithoutDamage()
    {
        RUN_AS_OTHER_USER_WHEN_ROOT();
        QVERIFY(SaveSetting("Vistello", "Startup", "Key", "kept"));
        const QString dir = QFileInfo(filePath("Vistello")).path();
        QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QVERIFY(!QFileInfo(dir).isWritable());
        QVERIFY(!SaveSetting("Vistello", "Startup", "Key", "lost"));
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(GetSetting("Vistello", "Startup", "Key", "d"), QStringLiteral("kept"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
