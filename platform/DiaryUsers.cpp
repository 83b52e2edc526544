#include "DiaryUsers.h"

#include "DiaryDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace DiaryUsers {

namespace {

QString errorText(const QSqlError &e)
{
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

bool fail(const QSqlError &e, QString *error)
{
    if (error)
        *error = errorText(e);
    return false;
}

// Runs a prepared statement; on failure sets the error text.
bool run(QSqlQuery &q, QString *error)
{
    return q.exec() || fail(q.lastError(), error);
}

bool prepare(QSqlQuery &q, const QString &statement, QString *error)
{
    return q.prepare(statement) || fail(q.lastError(), error);
}

// Ends a transaction that went wrong: nothing of it stays.
bool rollBack(QSqlDatabase &db, const QSqlError &why, QString *error)
{
    db.rollback();
    return fail(why, error);
}

// Only a plain file of the current folder, and never the database itself, is an entry file that
// may be deleted.
bool deletable(const QString &name)
{
    const QString &db = DiaryDatabase::FileName;
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && QFileInfo(name).fileName() == name && name != db && !name.startsWith(db + QLatin1Char('-'))
        && QFileInfo(name).isFile();
}

const char *const OfTheUser = " WHERE ufold(Senha) = ufold(:senha)";
const char *const OfTheOthers = " WHERE Senha IS NULL OR ufold(Senha) <> ufold(:senha)";

// The entry file names of the rows that the condition picks.
bool fileNames(QSqlDatabase &db, const char *condition, const QString &senha, QSet<QString> &names, QString *error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!prepare(q, QStringLiteral("SELECT * FROM Diario") + QLatin1String(condition), error))
        return false;
    q.bindValue(QStringLiteral(":senha"), senha);
    if (!run(q, error))
        return false;
    while (q.next())
        names.insert(DiaryDatabase::entryFileName(q.record()));
    return true;
}

} // namespace

bool find(const QString &senha, std::optional<User> &found, QString *error)
{
    found.reset();
    QSqlQuery q(DiaryDatabase::connection());
    if (!prepare(q,
                 QStringLiteral("SELECT rowid, Senha, Login FROM Senha WHERE ufold(Senha) = ufold(:senha)"
                                " ORDER BY rowid LIMIT 1"),
                 error))
        return false;
    q.bindValue(QStringLiteral(":senha"), senha);
    if (!run(q, error))
        return false;
    if (q.next())
        found = User{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()};
    return true;
}

bool heldByAnother(const QString &senha, qint64 except, bool &held, QString *error)
{
    held = false;
    QSqlQuery q(DiaryDatabase::connection());
    if (!prepare(q,
                 QStringLiteral("SELECT 1 FROM Senha WHERE ufold(Senha) = ufold(:senha) AND rowid <> :except"
                                " LIMIT 1"),
                 error))
        return false;
    q.bindValue(QStringLiteral(":senha"), senha);
    q.bindValue(QStringLiteral(":except"), except);
    if (!run(q, error))
        return false;
    held = q.next();
    return true;
}

bool create(const QString &login, const QString &senha, bool &held, QString *error)
{
    held = false;
    QSqlDatabase db = DiaryDatabase::connection();
    QSqlQuery q(db);
    // A write transaction from the start: another copy cannot add the password between check and insert.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(q.lastError(), error);
    if (!heldByAnother(senha, -1, held, error)) {
        db.rollback();
        return false;
    }
    if (held) {
        db.rollback();
        return false;
    }
    if (!q.prepare(QStringLiteral("INSERT INTO Senha (Senha, Login) VALUES (:senha, :login)")))
        return rollBack(db, q.lastError(), error);
    q.bindValue(QStringLiteral(":senha"), senha);
    q.bindValue(QStringLiteral(":login"), login);
    if (!q.exec())
        return rollBack(db, q.lastError(), error);
    q.finish();
    if (!db.commit())
        return rollBack(db, db.lastError(), error);
    return true;
}

bool changePassword(const User &user, const QString &novaSenha, QString *error)
{
    QSqlDatabase db = DiaryDatabase::connection();
    if (!db.transaction())
        return fail(db.lastError(), error);

    QSqlQuery q(db);
    if (!q.prepare(QStringLiteral("UPDATE Senha SET Senha = :nova WHERE rowid = :id")))
        return rollBack(db, q.lastError(), error);
    q.bindValue(QStringLiteral(":nova"), novaSenha);
    q.bindValue(QStringLiteral(":id"), user.id);
    if (!q.exec())
        return rollBack(db, q.lastError(), error);
    if (q.numRowsAffected() != 1)
        return rollBack(db, QSqlError(QStringLiteral("o usuário não existe mais")), error);

    if (!q.prepare(QStringLiteral("UPDATE Diario SET Senha = :nova") + QLatin1String(OfTheUser)))
        return rollBack(db, q.lastError(), error);
    q.bindValue(QStringLiteral(":nova"), novaSenha);
    q.bindValue(QStringLiteral(":senha"), user.senha);
    if (!q.exec())
        return rollBack(db, q.lastError(), error);
    q.finish();

    if (!db.commit())
        return rollBack(db, db.lastError(), error);
    return true;
}

bool remove(const User &user, QStringList *filesLeft, QString *error)
{
    QSqlDatabase db = DiaryDatabase::connection();
    if (!db.transaction())
        return fail(db.lastError(), error);

    QSet<QString> deleted, kept;
    QString why;
    if (!fileNames(db, OfTheUser, user.senha, deleted, &why) || !fileNames(db, OfTheOthers, user.senha, kept, &why)) {
        db.rollback();
        if (error)
            *error = why;
        return false;
    }

    QSqlQuery q(db);
    if (!q.prepare(QStringLiteral("DELETE FROM Diario") + QLatin1String(OfTheUser)))
        return rollBack(db, q.lastError(), error);
    q.bindValue(QStringLiteral(":senha"), user.senha);
    if (!q.exec())
        return rollBack(db, q.lastError(), error);
    if (!q.prepare(QStringLiteral("DELETE FROM Senha WHERE rowid = :id")))
        return rollBack(db, q.lastError(), error);
    q.bindValue(QStringLiteral(":id"), user.id);
    if (!q.exec())
        return rollBack(db, q.lastError(), error);
    if (q.numRowsAffected() != 1)
        return rollBack(db, QSqlError(QStringLiteral("o usuário não existe mais")), error);
    q.finish();
    if (!db.commit())
        return rollBack(db, db.lastError(), error);

    // Files cannot take part in the transaction: they go once the rows are gone for good.
    QStringList left;
    for (const QString &name : std::as_const(deleted)) {
        if (kept.contains(name) || !deletable(name))
            continue;
        if (!QFile::remove(name) && QFileInfo::exists(name))
            left.append(name);
    }
    left.sort();
    if (filesLeft)
        *filesLeft = left;
    return true;
}

} // namespace DiaryUsers
