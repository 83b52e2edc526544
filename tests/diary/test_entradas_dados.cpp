// The entries in the database layer: the file an entry row names, the titles that may name a file,
// the column that records a file name of its own, and saving and deleting without the windows.
#include "DiaryDatabase.h"
#include "DiaryEntryFiles.h"
#include "RichText.h"

#include <QDir>
#include <QGuiApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTextDocument>

namespace {

QSqlQuery executar(const QString &sql)
{
    QSqlQuery q(DiaryDatabase::connection());
    if (!q.exec(sql))
        qWarning() << sql << q.lastError().text();
    return q;
}

QByteArray lerArquivo(const QString &nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList arquivos()
{
    QStringList a = QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
    a.removeAll("diario.mdb");
    a.removeAll("diario.mdb-journal");
    std::sort(a.begin(), a.end());
    return a;
}

} // namespace

class TestEntradasDados : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        DiaryDatabase::close();
        for (const QString &f : QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::Dirs
                                                          | QDir::NoDotAndDotDot))
            QFileInfo(f).isDir() ? QDir(f).removeRecursively() : QFile::remove(f);
    }

    void cleanup()
    {
        DiaryDatabase::close();
    }

    void theFileAnEntryRowNames_data()
    {
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QVariant>("arquivo");
        QTest::addColumn<QString>("nome");
        QTest::newRow("by its title") << "Férias" << QVariant() << "Férias";
        QTest::newRow("empty column") << "Férias" << QVariant("") << "Férias";
        QTest::newRow("a name of its own") << "Férias" << QVariant("Férias (2)") << "Férias (2)";
        QTest::newRow("title that climbs out") << "../x" << QVariant() << "";
        QTest::newRow("title that is the database") << "Diario.mdb" << QVariant() << "";
        QTest::newRow("title with a slash, own name") << "a/b" << QVariant("a-b") << "a-b";
    }
    void theFileAnEntryRowNames()
    {
        QFETCH(QString, titulo);
        QFETCH(QVariant, arquivo);
        QFETCH(QString, nome);
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Created);
        QSqlQuery q(DiaryDatabase::connection());
        q.prepare("INSERT INTO Diario (Titulo, Senha, Data, Hora, Arquivo) VALUES (?, 's', '2024-01-01', '10:00', ?)");
        q.addBindValue(titulo);
        q.addBindValue(arquivo.isValid() ? arquivo : QVariant(QMetaType(QMetaType::QString)));
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));

        // From any query on Diario: the whole row, the list of entries, or the title alone (which
        // knows nothing of a name of its own).
        QSqlQuery todos = executar("SELECT * FROM Diario");
        QVERIFY(todos.next());
        QCOMPARE(DiaryDatabase::entryFileName(todos.record()), nome);
        QSqlQuery lista = DiaryDatabase::listEntries("s", DiaryDatabase::Order::ByTitle);
        QVERIFY(lista.next());
        QCOMPARE(DiaryDatabase::entryFileName(lista.record()), nome);
        QSqlQuery soTitulo = executar("SELECT Titulo FROM Diario");
        QVERIFY(soTitulo.next());
        QCOMPARE(DiaryDatabase::entryFileName(soTitulo.record()),
                 DiaryEntryFiles::isFileName(titulo) ? titulo : QString());
    }

    void theFileColumnIsAddedToOlderDatabases()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "antiga");
            db.setDatabaseName("diario.mdb");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("CREATE TABLE Diario (Codigo INTEGER PRIMARY KEY, Titulo, Senha, Data, Hora)"));
            QVERIFY(q.exec("CREATE TABLE Senha (Senha, Login)"));
            QVERIFY(q.exec("INSERT INTO Diario VALUES (7, 'Velha', 's', '2018-01-01', '07:00')"));
            db.close();
        }
        QSqlDatabase::removeDatabase("antiga");
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Opened);
        QVERIFY(DiaryDatabase::connection().record("Diario").contains(DiaryDatabase::FileColumn));
        const std::optional<DiaryDatabase::Entry> velha = DiaryDatabase::findEntry("S", "VELHA");
        QVERIFY(velha);
        QCOMPARE(velha->codigo, 7);
        QCOMPARE(velha->fileName(), QStringLiteral("Velha"));

        // Opening it again changes nothing more.
        DiaryDatabase::close();
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Opened);
        QCOMPARE(DiaryDatabase::connection().record("Diario").count(), 6);
    }

    void findingIsScopedToTheOwner()
    {
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Created);
        executar("INSERT INTO Diario (Titulo, Senha, Data, Hora) VALUES ('Dia', 'ana', '2024-01-01', '10:00'), "
                 "('DIA', 'bia', '2024-01-02', '11:00')");
        QCOMPARE(DiaryDatabase::findEntry("ana", "dia")->hora, QStringLiteral("10:00"));
        QCOMPARE(DiaryDatabase::findEntry("BIA", "dIA")->hora, QStringLiteral("11:00"));
        QVERIFY(!DiaryDatabase::findEntry("cida", "Dia"));
        QVERIFY(!DiaryDatabase::findEntry("ana", "Dia 2"));
    }

    void savingTwiceKeepsOneRowAndOneFile()
    {
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Created);
        executar("INSERT INTO Senha (Senha, Login) VALUES ('ana', 'ana'), ('bia', 'bia')");
        QTextDocument doc;
        doc.setPlainText("primeira");
        const QDateTime antes(QDate(2023, 12, 31), QTime(23, 59, 30));
        DiaryDatabase::SaveResult r = DiaryDatabase::saveEntry("ana", "Dia", false, doc, antes);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.entry.data, QStringLiteral("2023-12-31"));
        QCOMPARE(r.entry.hora, QStringLiteral("23:59"));

        // A second new entry of that title is refused, whatever the case.
        r = DiaryDatabase::saveEntry("ANA", "DIA", false, doc, antes);
        QVERIFY(!r.ok);
        QVERIFY(r.duplicate);

        doc.setPlainText("segunda");
        r = DiaryDatabase::saveEntry("ana", "dia", true, doc, QDateTime(QDate(2024, 1, 2), QTime(8, 5)));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.entry.titulo, QStringLiteral("Dia"));
        QSqlQuery q = executar("SELECT Titulo, Data, Hora FROM Diario");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString() + " " + q.value(1).toString() + " " + q.value(2).toString(),
                 QStringLiteral("Dia 2024-01-02 08:05"));
        QVERIFY(!q.next());
        QCOMPARE(arquivos(), QStringList({"Dia"}));
        QCOMPARE(lerArquivo("Dia"), RichText::write(doc));
    }

    void deletingLeavesNothingBehind()
    {
        QCOMPARE(DiaryDatabase::open().result, DiaryDatabase::OpenResult::Created);
        executar("INSERT INTO Senha (Senha, Login) VALUES ('ana', 'ana'), ('bia', 'bia')");
        QTextDocument doc;
        doc.setPlainText("x");
        const DiaryDatabase::SaveResult a = DiaryDatabase::saveEntry("ana", "Dia", false, doc, QDateTime::currentDateTime());
        const DiaryDatabase::SaveResult b = DiaryDatabase::saveEntry("bia", "Dia", false, doc, QDateTime::currentDateTime());
        QVERIFY(a.ok && b.ok);
        QCOMPARE(b.entry.fileName(), QStringLiteral("Dia (2)"));
        QCOMPARE(arquivos(), QStringList({"Dia", "Dia (2)"}));

        QString erro;
        QVERIFY2(DiaryDatabase::deleteEntry(a.entry.codigo, &erro), qPrintable(erro));
        QVERIFY(erro.isEmpty());
        QCOMPARE(arquivos(), QStringList({"Dia (2)"}));
        QVERIFY(!DiaryDatabase::findEntry("ana", "Dia"));
        QVERIFY(DiaryDatabase::findEntry("bia", "Dia"));
        // A Codigo that is gone is no error.
        QVERIFY(DiaryDatabase::deleteEntry(a.entry.codigo, &erro));
        QVERIFY(DiaryDatabase::deleteEntry(b.entry.codigo, &erro));
        QVERIFY(arquivos().isEmpty());
    }
};

int main(int argc, char *argv[])
{
    qputenv("LC_ALL", "C.UTF-8");
    QGuiApplication app(argc, argv);
    TestEntradasDados test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_entradas_dados.moc"
