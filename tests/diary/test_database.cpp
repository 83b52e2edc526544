// The diary's database: created when missing, refused and left untouched when unusable; letter
// case folded over all of Unicode and titles in Portuguese order whatever the process locale.
#include "DiaryDatabase.h"
#include "SqliteText.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

QByteArray conteudo(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void gravar(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

// A SQLite file made with the given statements, outside the diary's layer.
void sqlite(const QString &path, const QStringList &statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const QString &s : statements)
            QVERIFY2(q.exec(s), qPrintable(q.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase("fixture");
}

void entrada(const QString &titulo, const QString &senha, const QString &data, const QString &hora = "10:00")
{
    QSqlQuery q(DiaryDatabase::connection());
    q.prepare("INSERT INTO Diario (Titulo, Senha, Data, Hora) VALUES (?, ?, ?, ?)");
    q.addBindValue(titulo);
    q.addBindValue(senha);
    q.addBindValue(data);
    q.addBindValue(hora);
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
}

QStringList titulos(QSqlQuery q)
{
    QStringList t;
    while (q.next())
        t.append(q.value("Titulo").toString());
    return t;
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        DiaryDatabase::close();
        for (const QString &f : QDir::current().entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
            QFileInfo(f).isDir() ? QDir(f).removeRecursively() : QFile::remove(f);
    }

    void runsUnderTheCLocale()
    {
        QCOMPARE(QLocale::system().name(), QStringLiteral("C"));
    }

    void createsTheFileWithItsTablesWhenMissing()
    {
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Created);
        QVERIFY(QFile::exists("diario.mdb"));
        QSqlQuery q(DiaryDatabase::connection());
        QVERIFY(q.exec("SELECT type, name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name"));
        QStringList objetos;
        while (q.next())
            objetos << q.value(0).toString() + " " + q.value(1).toString();
        QCOMPARE(objetos, QStringList({"table Diario", "table Senha", "index index_senha"}));
        const QSqlRecord diario = DiaryDatabase::connection().record("Diario");
        for (const char *c : {"Codigo", "Titulo", "Senha", "Data", "Hora"})
            QVERIFY2(diario.contains(c), c);

        DiaryDatabase::close();
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Opened);
    }

    void anEmptyFileIsSetUpLikeAMissingOne()
    {
        gravar("diario.mdb", {});
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Created);
        QVERIFY(DiaryDatabase::connection().tables().contains("Senha"));
    }

    void unusableFilesAreLeftUntouched_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::newRow("bytes") << "bytes";
        QTest::newRow("text") << "text";
        QTest::newRow("sqlite without the tables") << "empty sqlite";
        QTest::newRow("a column missing") << "no Hora";
        QTest::newRow("truncated") << "truncated";
    }
    void unusableFilesAreLeftUntouched()
    {
        QFETCH(QString, tipo);
        if (tipo == "bytes") {
            QByteArray lixo;
            for (int i = 0; i < 4096; ++i)
                lixo.append(char((i * 7919) % 251));
            gravar("diario.mdb", lixo);
        } else if (tipo == "text") {
            gravar("diario.mdb", "Standard Jet DB\nnão é SQLite\n");
        } else if (tipo == "empty sqlite") {
            sqlite("diario.mdb", {"CREATE TABLE Outra (x)"});
        } else if (tipo == "no Hora") {
            sqlite("diario.mdb", {"CREATE TABLE Diario (Codigo INTEGER PRIMARY KEY, Titulo, Senha, Data)",
                                  "CREATE TABLE Senha (Senha, Login)"});
        } else {
            QStringList s = {"CREATE TABLE Diario (Codigo INTEGER PRIMARY KEY, Titulo, Senha, Data, Hora)",
                             "CREATE TABLE Senha (Senha, Login)"};
            for (int i = 0; i < 400; ++i)
                s << QString("INSERT INTO Diario (Titulo, Senha, Data, Hora) VALUES ('t%1', 's', '2024-01-01', "
                             "'10:00')").arg(i);
            sqlite("diario.mdb", s);
            QByteArray inteiro = conteudo("diario.mdb");
            QVERIFY(inteiro.size() > 8192);
            gravar("diario.mdb", inteiro.left(inteiro.size() / 2 + 100));
        }
        const QByteArray antes = conteudo("diario.mdb");
        const QDateTime quando = QFileInfo("diario.mdb").lastModified();

        const DiaryDatabase::OpenStatus status = DiaryDatabase::open();
        QCOMPARE(status.result, DiaryDatabase::OpenResult::NotUsable);
        QVERIFY(!status.detail.isEmpty());
        QVERIFY(DiaryDatabase::failureMessage(status).contains("\"diario.mdb\""));
        QVERIFY(!DiaryDatabase::connection().isOpen());
        QCOMPARE(conteudo("diario.mdb"), antes);
        QCOMPARE(QFileInfo("diario.mdb").lastModified(), quando);
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList({"diario.mdb"}));
    }

    void aFolderNamedLikeTheDatabaseIsNotUsable()
    {
        QVERIFY(QDir().mkdir("diario.mdb"));
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::NotUsable);
        QVERIFY(QFileInfo("diario.mdb").isDir());
    }

    void foldsLetterCaseOverAllOfUnicode_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("iguais");
        QTest::newRow("ascii") << "ABC" << "abc" << true;
        QTest::newRow("cedilla and tilde") << "ÇÃO" << "ção" << true;
        QTest::newRow("acute") << "ÁRVORE" << "árvore" << true;
        QTest::newRow("greek final sigma") << "ΣΟΦΟΣ" << "σοφος" << true;
        QTest::newRow("cyrillic") << "ДНЕВНИК" << "дневник" << true;
        QTest::newRow("accent still counts") << "ação" << "acao" << false;
        QTest::newRow("different") << "abc" << "abd" << false;
    }
    void foldsLetterCaseOverAllOfUnicode()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, iguais);
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Created);
        QSqlQuery q(DiaryDatabase::connection());
        q.prepare("SELECT ufold(:a) = ufold(:b)");
        q.bindValue(":a", a);
        q.bindValue(":b", b);
        QVERIFY2(q.exec() && q.next(), qPrintable(q.lastError().text()));
        QCOMPARE(q.value(0).toBool(), iguais);
        QCOMPARE(SqliteText::equalFolded(a, b), iguais);

        // The list of entries finds the owner's rows the same way.
        entrada("Um", a, "2024-01-01");
        QCOMPARE(titulos(DiaryDatabase::listEntries(b, DiaryDatabase::Order::ByDate)).size(), iguais ? 1 : 0);
    }

    void listsOnlyTheUsersEntriesWithBoundValues()
    {
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Created);
        entrada("Dia de d'Ávila", "d'Ávila", "2024-03-01");
        entrada("Outro", "d'Avila", "2024-03-02");
        entrada("Terceiro", "D'ÁVILA", "2024-03-03");
        QCOMPARE(titulos(DiaryDatabase::listEntries("d'Ávila", DiaryDatabase::Order::ByDate)),
                 QStringList({"Dia de d'Ávila", "Terceiro"}));
        QVERIFY(titulos(DiaryDatabase::listEntries("' OR '1'='1", DiaryDatabase::Order::ByDate)).isEmpty());
    }

    void ordersTitlesInPortugueseWhateverTheLocale()
    {
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Created);
        const QStringList guardados = {"Zebra", "árvore", "abacaxi", "Ébano", "Avião", "Dado", "Faca", "ação", "acuar"};
        for (const QString &t : guardados)
            entrada(t, "s", "2024-01-01");
        const QStringList esperados = {"abacaxi", "ação", "acuar", "árvore", "Avião", "Dado", "Ébano", "Faca", "Zebra"};
        QCOMPARE(titulos(DiaryDatabase::listEntries("s", DiaryDatabase::Order::ByTitle)), esperados);
        // Read whole for the lists, in the same order.
        QList<DiaryDatabase::Entry> lidas;
        QVERIFY(DiaryDatabase::readEntries("S", DiaryDatabase::Order::ByTitle, lidas));
        QStringList lidos;
        for (const DiaryDatabase::Entry &e : lidas)
            lidos << e.titulo;
        QCOMPARE(lidos, esperados);
        QVERIFY(SqliteText::compare("Ébano", "Faca") < 0);
        QVERIFY(SqliteText::compare("Ébano", "Dado") > 0);
    }

    void ordersDatesChronologically()
    {
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Created);
        entrada("c", "s", DiaryDatabase::storedDate({2024, 1, 2}));
        entrada("a", "s", DiaryDatabase::storedDate({2023, 12, 31}));
        entrada("d", "s", DiaryDatabase::storedDate({2024, 10, 1}));
        entrada("b", "s", DiaryDatabase::storedDate({2024, 1, 2}));
        // Equal dates keep the order in which the entries were stored.
        QCOMPARE(titulos(DiaryDatabase::listEntries("s", DiaryDatabase::Order::ByDate)),
                 QStringList({"a", "c", "b", "d"}));
    }

    void datesAndTimesAsStoredAndShown_data()
    {
        QTest::addColumn<QDate>("data");
        QTest::addColumn<QString>("guardada");
        QTest::addColumn<QString>("mostrada");
        QTest::newRow("new year") << QDate(2024, 1, 2) << "2024-01-02" << "02/01/2024";
        QTest::newRow("end of year") << QDate(1999, 12, 31) << "1999-12-31" << "31/12/1999";
    }
    void datesAndTimesAsStoredAndShown()
    {
        QFETCH(QDate, data);
        QFETCH(QString, guardada);
        QFETCH(QString, mostrada);
        QCOMPARE(DiaryDatabase::storedDate(data), guardada);
        QCOMPARE(DiaryDatabase::dateFromStored(guardada), data);
        QCOMPARE(DiaryDatabase::shownDate(guardada), mostrada);
        QCOMPARE(DiaryDatabase::timeText(QTime(9, 5, 59)), QStringLiteral("09:05"));
        QCOMPARE(DiaryDatabase::shownDate("lixo"), QStringLiteral("lixo"));
    }
};

int main(int argc, char *argv[])
{
    // The order of titles and the folding must not depend on the process locale.
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    QGuiApplication app(argc, argv);
    TestDatabase test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_database.moc"
