#include "DiaryDatabase.h"

#include "DiaryEntryFiles.h"
#include "RichText.h"
#include "SqliteText.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlRecord>
#include <QTextDocument>

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

QString errorText(const QSqlError &e)
{
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
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
        db.transaction();
        for (const QString &statement : schema()) {
            if (!q.exec(statement)) {
                const QString why = errorText(q.lastError());
                db.rollback();
                close();
                if (!info.exists())
                    QFile::remove(path);
                return {OpenResult::CannotCreate, why};
            }
        }
        if (!db.commit()) {
            const QString why = errorText(db.lastError());
            close();
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

namespace {

bool hasFileColumn(const QSqlDatabase &db)
{
    return db.record(QStringLiteral("Diario")).contains(FileColumn);
}

QString entryColumns(const QSqlDatabase &db)
{
    return hasFileColumn(db) ? QStringLiteral("Codigo, Titulo, Senha, Data, Hora, Arquivo")
                             : QStringLiteral("Codigo, Titulo, Senha, Data, Hora");
}

Entry entryFrom(const QSqlQuery &q, bool withFile)
{
    Entry e;
    e.codigo = q.value(0).toLongLong();
    e.titulo = q.value(1).toString();
    e.senha = q.value(2).toString();
    e.data = q.value(3).toString();
    e.hora = q.value(4).toString();
    if (withFile)
        e.arquivo = q.value(5).toString();
    return e;
}

} // namespace

QSqlQuery listEntries(const QString &senha, Order order)
{
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM Diario WHERE ufold(Senha) = ufold(:aux_senha) ORDER BY %2, Codigo")
                  .arg(entryColumns(connection()), order == Order::ByTitle ? "Titulo COLLATE ptbr" : "Data"));
    q.bindValue(":aux_senha", senha);
    q.exec();
    return q;
}

qint64 changes()
{
    QSqlQuery q(connection());
    return q.exec(QStringLiteral("SELECT total_changes()")) && q.next() ? q.value(0).toLongLong() : -1;
}

QString storedDate(const QDate &date)
{
    return date.toString(u"yyyy-MM-dd");
}

QDate dateFromStored(const QString &stored)
{
    return QDate::fromString(stored, u"yyyy-MM-dd");
}

QString shownDate(const QString &stored)
{
    const QDate d = dateFromStored(stored);
    return d.isValid() ? shownDate(d) : stored;
}

QString shownDate(const QDate &date)
{
    return date.toString(u"dd/MM/yyyy");
}

QString timeText(const QTime &time)
{
    return time.toString(u"HH:mm");
}

QString Entry::fileName() const
{
    const QString name = arquivo.isEmpty() ? titulo : arquivo;
    return DiaryEntryFiles::isFileName(name) ? name : QString();
}

QString entryFileName(const QSqlRecord &row)
{
    Entry e;
    e.titulo = row.value(QStringLiteral("Titulo")).toString();
    if (row.indexOf(FileColumn) >= 0)
        e.arquivo = row.value(FileColumn).toString();
    return e.fileName();
}

bool readEntries(const QString &senha, Order order, QList<Entry> &entries, QString *error)
{
    entries.clear();
    QSqlQuery q = listEntries(senha, order);
    if (!q.isActive()) {
        if (error)
            *error = errorText(q.lastError());
        return false;
    }
    const bool withFile = q.record().count() > 5;
    while (q.next())
        entries.append(entryFrom(q, withFile));
    return true;
}

namespace {

std::optional<Entry> find(const QSqlDatabase &db, const QString &senha, const QString &titulo, QString *error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM Diario WHERE ufold(Senha) = ufold(:senha) AND ufold(Titulo) = "
                             "ufold(:titulo) ORDER BY Codigo LIMIT 1")
                  .arg(entryColumns(db)));
    q.bindValue(":senha", senha);
    q.bindValue(":titulo", titulo);
    if (!q.exec()) {
        if (error)
            *error = errorText(q.lastError());
        return std::nullopt;
    }
    if (!q.next())
        return std::nullopt;
    return entryFrom(q, q.record().count() > 5);
}

// Whether a row other than `except` names this file (letter case ignored, for file systems that
// ignore it). nullopt, with the database's reason, on a database error.
std::optional<bool> fileNamedByRow(const QSqlDatabase &db, const QString &name, qint64 except, QString *error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(hasFileColumn(db)
                  ? QStringLiteral("SELECT 1 FROM Diario WHERE Codigo <> :c AND ufold(CASE WHEN Arquivo IS NULL OR "
                                   "Arquivo = '' THEN Titulo ELSE Arquivo END) = ufold(:n) LIMIT 1")
                  : QStringLiteral("SELECT 1 FROM Diario WHERE Codigo <> :c AND ufold(Titulo) = ufold(:n) LIMIT 1"));
    q.bindValue(":c", except);
    q.bindValue(":n", name);
    if (!q.exec()) {
        *error = errorText(q.lastError());
        return std::nullopt;
    }
    return q.next();
}

// The title when no row and nothing on disk holds that name, else the first free "title (n)".
// nullopt, with the reason, when the database failed or no name is free.
std::optional<QString> freeFileName(const QSqlDatabase &db, const QString &titulo, qint64 except, QString *error)
{
    for (int n = 1; n < 100000; ++n) {
        const QString name = DiaryEntryFiles::candidate(titulo, n);
        if (DiaryEntryFiles::occupied(name))
            continue;
        const std::optional<bool> taken = fileNamedByRow(db, name, except, error);
        if (!taken)
            return std::nullopt;
        if (!*taken)
            return name;
    }
    *error = QStringLiteral("não há nome livre para o arquivo");
    return std::nullopt;
}

// A write transaction from the start, so that another running copy cannot slip in between the
// checks and the writes.
bool begin(QSqlDatabase &db, QString *error)
{
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return true;
    *error = errorText(q.lastError());
    return false;
}

} // namespace

std::optional<Entry> findEntry(const QString &senha, const QString &titulo, QString *error)
{
    return find(connection(), senha, titulo, error);
}

SaveResult saveEntry(const QString &senha, const QString &titulo, bool stored, const QTextDocument &document,
                     const QDateTime &when)
{
    SaveResult result;
    QSqlDatabase db = connection();
    QString error;
    const auto failed = [&](const QString &why) {
        result.ok = false;
        result.error = why;
        return result;
    };
    if (!begin(db, &error))
        return failed(error);
    bool committed = false;
    const auto rollback = qScopeGuard([&] {
        if (!committed)
            db.rollback();
    });
    const bool fileColumn = hasFileColumn(db);

    // The owner may have been deleted by another running copy since logging in: entries stored
    // under that password would go to whoever creates it next.
    {
        QSqlQuery owner(db);
        owner.setForwardOnly(true);
        owner.prepare(QStringLiteral("SELECT 1 FROM Senha WHERE ufold(Senha) = ufold(?) LIMIT 1"));
        owner.addBindValue(senha);
        if (!owner.exec())
            return failed(errorText(owner.lastError()));
        if (!owner.next()) {
            result.noOwner = true;
            return failed(QStringLiteral("O usuário desta senha foi excluído; faça o login de novo."));
        }
    }

    std::optional<Entry> row = find(db, senha, titulo, &error);
    if (!error.isEmpty())
        return failed(error);
    if (row && !stored) {
        result.duplicate = true;
        return failed(QStringLiteral("o título já existe"));
    }
    QSqlQuery q(db);
    Entry &e = result.entry;
    if (row) {
        // The stored entry keeps its row and its file, unless that file is also another row's (a
        // database from before Arquivo): then it moves to a name of its own.
        e = *row;
        const std::optional<bool> shared = fileNamedByRow(db, e.fileName(), e.codigo, &error);
        if (!shared)
            return failed(error);
        if (*shared && fileColumn) {
            const std::optional<QString> name = freeFileName(db, e.titulo, e.codigo, &error);
            if (!name)
                return failed(error);
            e.arquivo = *name == e.titulo ? QString() : *name;
        }
        e.data = storedDate(when.date());
        e.hora = timeText(when.time());
        q.prepare(fileColumn ? QStringLiteral("UPDATE Diario SET Data = ?, Hora = ?, Arquivo = ? WHERE Codigo = ?")
                             : QStringLiteral("UPDATE Diario SET Data = ?, Hora = ? WHERE Codigo = ?"));
        q.addBindValue(e.data);
        q.addBindValue(e.hora);
        if (fileColumn)
            q.addBindValue(e.arquivo.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(e.arquivo));
        q.addBindValue(e.codigo);
        if (!q.exec())
            return failed(errorText(q.lastError()));
    } else {
        // A new entry, or a stored one whose row has gone meanwhile: a row of its own.
        e.titulo = titulo;
        e.senha = senha;
        e.data = storedDate(when.date());
        e.hora = timeText(when.time());
        if (fileColumn) {
            const std::optional<QString> name = freeFileName(db, titulo, -1, &error);
            if (!name)
                return failed(error);
            e.arquivo = *name == titulo ? QString() : *name;
        }
        q.prepare(QStringLiteral("INSERT INTO Diario (Titulo, Senha, Data, Hora%1) VALUES (?, ?, ?, ?%2)")
                      .arg(fileColumn ? ", Arquivo" : "", fileColumn ? ", ?" : ""));
        q.addBindValue(e.titulo);
        q.addBindValue(e.senha);
        q.addBindValue(e.data);
        q.addBindValue(e.hora);
        if (fileColumn)
            q.addBindValue(e.arquivo.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(e.arquivo));
        if (!q.exec())
            return failed(errorText(q.lastError()));
        e.codigo = q.lastInsertId().toLongLong();
    }

    // The file is replaced only once its new content is whole; its old content is put back should
    // the database refuse the change.
    const QString name = e.fileName();
    if (name.isEmpty())
        return failed(QStringLiteral("o título não pode dar nome a um arquivo"));
    DiaryEntryFiles::Replacement file;
    if (!file.write(name, RichText::write(document), &error))
        return failed(error);
    if (!db.commit()) {
        error = errorText(db.lastError());
        file.undo();
        return failed(error);
    }
    committed = true;
    result.ok = true;
    return result;
}

bool deleteEntry(qint64 codigo, QString *error)
{
    if (error)
        error->clear();
    QSqlDatabase db = connection();
    const auto failed = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QString why;
    if (!begin(db, &why))
        return failed(why);
    bool committed = false;
    const auto rollback = qScopeGuard([&] {
        if (!committed)
            db.rollback();
    });

    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM Diario WHERE Codigo = ?").arg(entryColumns(db)));
    q.addBindValue(codigo);
    if (!q.exec())
        return failed(errorText(q.lastError()));
    if (!q.next()) {
        // Gone already (deleted by another running copy).
        committed = db.commit();
        return true;
    }
    const QString name = entryFrom(q, q.record().count() > 5).fileName();
    q.finish();
    q.prepare(QStringLiteral("DELETE FROM Diario WHERE Codigo = ?"));
    q.addBindValue(codigo);
    if (!q.exec())
        return failed(errorText(q.lastError()));
    const std::optional<bool> shared = fileNamedByRow(db, name, codigo, &why);
    if (!shared)
        return failed(why);

    // The file goes aside until the row is gone for good, so that a refused deletion keeps both.
    DiaryEntryFiles::Deletion files;
    if (!*shared && !files.setAside(name, &why))
        return failed(why);
    if (!db.commit()) {
        why = errorText(db.lastError());
        files.putBack();
        return failed(why);
    }
    committed = true;
    const QStringList left = files.commit();
    if (!left.isEmpty() && error)
        *error = QStringLiteral("o arquivo não pôde ser apagado");
    return true;
}

} // namespace DiaryDatabase
