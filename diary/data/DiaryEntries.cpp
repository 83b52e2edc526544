// The entries of the diary database: listing, finding, saving and deleting rows with their files.
#include "DiaryDatabase.h"

#include "DiaryEntryFiles.h"
#include "RichText.h"
#include "SqliteText.h"

#include <QSet>
#include <QSqlError>
#include <QSqlRecord>
#include <QTextDocument>

#include <algorithm>

namespace DiaryDatabase {

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

// The owner's rows, ordered as the clause says and then as they were stored.
QSqlQuery ownersRows(const QString &senha, const QString &order)
{
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM Diario WHERE ufold(Senha) = ufold(:aux_senha) ORDER BY %2Codigo")
                  .arg(entryColumns(connection()), order));
    q.bindValue(":aux_senha", senha);
    q.exec();
    return q;
}

} // namespace

QSqlQuery listEntries(const QString &senha, Order order)
{
    return ownersRows(senha, order == Order::ByTitle ? QStringLiteral("Titulo COLLATE ptbr, ") : QStringLiteral("Data, "));
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
    // By title the rows are sorted here, each title taken once, rather than by the database,
    // which would make both titles anew for every comparison; in the same order.
    QSqlQuery q = order == Order::ByTitle ? ownersRows(senha, {}) : listEntries(senha, order);
    if (!q.isActive()) {
        if (error)
            *error = errorText(q.lastError());
        return false;
    }
    const bool withFile = q.record().count() > 5;
    while (q.next())
        entries.append(entryFrom(q, withFile));
    if (order == Order::ByTitle)
        std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
            return SqliteText::compare(a.titulo, b.titulo) < 0;
        });
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

// The title when no row names it and nothing on disk holds that name but a file that a first save
// of the diary's, cut short, left (DiaryEntryFiles::FirstSave), else the first such "title (n)".
// nullopt, with the reason, when the database failed or no name is free.
std::optional<QString> freeFileName(const QSqlDatabase &db, const QString &titulo, qint64 except, QString *error)
{
    for (int n = 1; n < 100000; ++n) {
        const QString name = DiaryEntryFiles::candidate(titulo, n);
        const std::optional<bool> taken = fileNamedByRow(db, name, except, error);
        if (!taken)
            return std::nullopt;
        if (!*taken
            && (!DiaryEntryFiles::occupied(name)
                || (DiaryEntryFiles::writtenByTheDiary(name) && DiaryEntryFiles::FirstSave::leftBehind(name))))
            return name;
    }
    *error = QStringLiteral("não há nome livre para o arquivo");
    return std::nullopt;
}

} // namespace

std::optional<bool> isEntryFile(const QString &name, QString *error)
{
    QString why;
    const std::optional<bool> named = fileNamedByRow(connection(), name, -1, &why);
    if (error)
        *error = why;
    return named;
}

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
    WriteTransaction t(db);
    if (!t.begin(&error))
        return failed(error);
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
    bool firstSave = false; // a file for a row that does not name it yet
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
            firstSave = true;
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
            firstSave = true;
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
    DiaryEntryFiles::FirstSave record;
    if (firstSave && !record.begin(name, &error))
        return failed(error);
    DiaryEntryFiles::Replacement file;
    if (!file.write(name, RichText::write(document), &error))
        return failed(error);
    if (!t.commit(&error)) {
        if (!file.undo())
            result.notPutBack = name;
        return failed(error);
    }
    record.done();
    result.ok = true;
    return result;
}

bool deleteEntry(qint64 codigo, QString *error, QList<DiaryEntryFiles::SetAside> *notPutBack)
{
    if (error)
        error->clear();
    if (notPutBack)
        notPutBack->clear();
    QSqlDatabase db = connection();
    const auto failed = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QString why;
    WriteTransaction t(db);
    if (!t.begin(&why))
        return failed(why);

    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM Diario WHERE Codigo = ?").arg(entryColumns(db)));
    q.addBindValue(codigo);
    if (!q.exec())
        return failed(errorText(q.lastError()));
    if (!q.next()) {
        // Gone already (deleted by another running copy).
        t.commit();
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
    QStringList notMoved;
    if (!*shared)
        files.setAside({name}, &notMoved, &why);
    if (!notMoved.isEmpty())
        return failed(why);
    if (!t.commit(&why)) {
        const QList<DiaryEntryFiles::SetAside> left = files.putBack();
        if (notPutBack)
            *notPutBack = left;
        return failed(why);
    }
    const QStringList left = files.commit();
    if (!left.isEmpty() && error)
        *error = QStringLiteral("o arquivo não pôde ser apagado");
    return true;
}

DiaryEntryFiles::Recovered recoverSetAsideFiles()
{
    const DiaryEntryFiles::LeftOver found = DiaryEntryFiles::leftOver();
    if (found.isEmpty())
        return {};
    // Inside a write transaction: another running copy that is deleting now has either not begun or
    // committed (or given up), so that its rows say where its files belong.
    QSqlDatabase db = connection();
    WriteTransaction t(db);
    if (!t.begin())
        return {};
    // Every row's file name, read once (letter case folded, as fileNamedByRow compares them): the
    // lists may name thousands of files.
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT Titulo%1 FROM Diario").arg(hasFileColumn(db) ? ", Arquivo" : "")))
        return {};
    QSet<QString> named;
    while (q.next())
        named.insert(SqliteText::fold(entryFileName(q.record())));
    return DiaryEntryFiles::recover(
        found, [&](const QString &name) { return std::optional<bool>(named.contains(SqliteText::fold(name))); });
}

} // namespace DiaryDatabase

