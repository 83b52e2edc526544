// The diary database's connection: opening (checked, or created with its tables), closing, and how
// its failures read. Its entries: DiaryEntries.cpp.
#include "DiaryDatabase.h"

#include "SqliteText.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace DiaryDatabase {

namespace {

const QString ProbeName = QStringLiteral("DiaryDatabaseProbe");

struct TableShape {
    QString name;
    QStringList columns;
};

const QList<TableShape> &shapes()
{
    static const QList<TableShape> s = {
        {QStringLiteral("Diario"), {"Codigo", "Titulo", "Senha", "Data", "Hora"}},
        {QStringLiteral("Senha"), {"Senha", "Login"}},
    };
    return s;
}

const QStringList &schema()
{
    static const QStringList s = {
        "CREATE TABLE Diario (Codigo INTEGER PRIMARY KEY AUTOINCREMENT, Titulo TEXT(50), "
        "Senha TEXT(8), Data TEXT, Hora TEXT(8), Arquivo TEXT)",
        "CREATE TABLE Senha (Senha TEXT(8), Login TEXT(8))",
        "CREATE INDEX index_senha ON Senha (Senha)",
    };
    return s;
}

// Why the file is not a usable diary database; empty when it is.
QString checkUsable(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec("PRAGMA quick_check"))
        return q.lastError().databaseText().isEmpty() ? q.lastError().text() : q.lastError().databaseText();
    if (!q.next() || q.value(0).toString() != QLatin1String("ok"))
        return QStringLiteral("o arquivo está danificado");
    for (const TableShape &t : shapes()) {
        const QSqlRecord record = db.record(t.name);
        if (record.isEmpty())
            return QStringLiteral("falta a tabela %1").arg(t.name);
        for (const QString &c : t.columns)
            if (record.indexOf(c) < 0)
                return QStringLiteral("falta a coluna %1 da tabela %2").arg(c, t.name);
    }
    return {};
}

QString probe(const QString &path)
{
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", ProbeName);
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (!db.open())
            why = errorText(db.lastError());
        else
            why = checkUsable(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(ProbeName);
    return why;
}

} // namespace

OpenStatus open(const QString &path)
{
    close();
    const QFileInfo info(path);
    // An empty file holds nothing to lose: it is set up like a missing one.
    const bool creating = !info.exists() || (info.isFile() && info.size() == 0);
    if (!creating) {
        const QString why = info.isFile() ? probe(path) : QStringLiteral("não é um arquivo");
        if (!why.isEmpty())
            return {OpenResult::NotUsable, why};
    }

    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", ConnectionName);
    db.setDatabaseName(path);
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=5000");
    const OpenResult failure = creating ? OpenResult::CannotCreate : OpenResult::NotUsable;
    if (!db.open()) {
        const QString why = errorText(db.lastError());
        close();
        return {failure, why};
    }
    if (!SqliteText::install(db)) {
        close();
        return {failure, QStringLiteral("funções de texto indisponíveis")};
    }
    QSqlQuery q(db);
    if (creating) {
        QString why;
        bool tablesMade = false;
        bool committed = false;
        {
            WriteTransaction t(db);
            tablesMade = t.begin(&why);
            for (const QString &statement : schema()) {
                if (!tablesMade)
                    break;
                if (!q.exec(statement)) {
                    why = errorText(q.lastError());
                    tablesMade = false;
                }
            }
            committed = tablesMade && t.commit(&why);
        }
        if (!committed) {
            close();
            if (!tablesMade && !info.exists())
                QFile::remove(path);
            return {OpenResult::CannotCreate, why};
        }
        return {OpenResult::Created, {}};
    }
    // A database made elsewhere may lack the index; it only speeds up the log-in.
    q.exec("CREATE INDEX IF NOT EXISTS index_senha ON Senha (Senha)");
    // Nor has it the column for entry files not named by their title. Where it cannot be added (a
    // read-only file) every file is named by its title, as before.
    if (!db.record(QStringLiteral("Diario")).contains(FileColumn))
        q.exec(QStringLiteral("ALTER TABLE Diario ADD COLUMN %1 TEXT").arg(FileColumn));
    return {OpenResult::Opened, {}};
}

void close()
{
    if (!QSqlDatabase::contains(ConnectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(ConnectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(ConnectionName);
}

QSqlDatabase connection()
{
    return QSqlDatabase::database(ConnectionName, false);
}

QString failureMessage(const OpenStatus &status, const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (status.result == OpenResult::CannotCreate)
        return QStringLiteral("Não foi possível criar o banco de dados \"%1\" na pasta atual (%2).\n\n"
                              "O programa será encerrado.")
            .arg(name, status.detail);
    return QStringLiteral("O arquivo \"%1\" da pasta atual não é um banco de dados do diário que possa ser "
                          "usado (%2).\n\nO programa será encerrado sem alterar o arquivo.")
        .arg(name, status.detail);
}

qint64 changes()
{
    QSqlQuery q(connection());
    return q.exec(QStringLiteral("SELECT total_changes()")) && q.next() ? q.value(0).toLongLong() : -1;
}

QString errorText(const QSqlError &e)
{
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

WriteTransaction::WriteTransaction(QSqlDatabase db)
    : m_db(std::move(db))
{
}

WriteTransaction::~WriteTransaction()
{
    if (m_open)
        m_db.rollback();
}

bool WriteTransaction::begin(QString *error)
{
    QSqlQuery q(m_db);
    m_open = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
    if (!m_open && error)
        *error = errorText(q.lastError());
    return m_open;
}

bool WriteTransaction::commit(QString *error)
{
    if (m_db.commit()) {
        m_open = false;
        return true;
    }
    if (error)
        *error = errorText(m_db.lastError());
    return false;
}

} // namespace DiaryDatabase
