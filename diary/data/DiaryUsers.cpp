#include "DiaryUsers.h"

#include "DiaryDatabase.h"
#include "DiaryEntryFiles.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace DiaryUsers {

namespace {

bool fail(const QSqlError &e, QString *error)
{
    if (error)
        *error = DiaryDatabase::errorText(e);
    return false;
}

bool fail(const QString &why, QString *error)
{
    if (error)
        *error = why;
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

// Whether the user's row still holds the password and the login it was found with: another running
// copy may have changed or deleted it since.
bool stillAsFound(QSqlDatabase &db, const User &user, QString *error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!prepare(q, QStringLiteral("SELECT 1 FROM Senha WHERE rowid = :id AND Senha = :senha AND Login = :login"),
                 error))
        return false;
    q.bindValue(QStringLiteral(":id"), user.id);
    q.bindValue(QStringLiteral(":senha"), user.senha);
    q.bindValue(QStringLiteral(":login"), user.login);
    if (!run(q, error))
        return false;
    return q.next() || fail(QStringLiteral("o usuário foi alterado ou excluído por outra cópia do programa"), error);
}

// Runs a statement with its named values bound.
bool exec(QSqlDatabase &db, const QString &statement, const QList<std::pair<QString, QVariant>> &values,
          QString *error)
{
    QSqlQuery q(db);
    if (!prepare(q, statement, error))
        return false;
    for (const auto &[name, value] : values)
        q.bindValue(name, value);
    return run(q, error);
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
    DiaryDatabase::WriteTransaction t(db);
    if (!t.begin(error) || !heldByAnother(senha, -1, held, error) || held)
        return false;
    return exec(db, QStringLiteral("INSERT INTO Senha (Senha, Login) VALUES (:senha, :login)"),
                {{QStringLiteral(":senha"), senha}, {QStringLiteral(":login"), login}}, error)
        && t.commit(error);
}

bool changePassword(const User &user, const QString &novaSenha, bool &held, QString *error)
{
    held = false;
    QSqlDatabase db = DiaryDatabase::connection();
    DiaryDatabase::WriteTransaction t(db);
    if (!t.begin(error) || !stillAsFound(db, user, error) || !heldByAnother(novaSenha, user.id, held, error) || held)
        return false;
    return exec(db, QStringLiteral("UPDATE Senha SET Senha = :nova WHERE rowid = :id"),
                {{QStringLiteral(":nova"), novaSenha}, {QStringLiteral(":id"), user.id}}, error)
        && exec(db, QStringLiteral("UPDATE Diario SET Senha = :nova") + QLatin1String(OfTheUser),
                {{QStringLiteral(":nova"), novaSenha}, {QStringLiteral(":senha"), user.senha}}, error)
        && t.commit(error);
}

bool remove(const User &user, QStringList *filesLeft, QString *error, QList<DiaryEntryFiles::SetAside> *notPutBack)
{
    if (notPutBack)
        notPutBack->clear();
    QSqlDatabase db = DiaryDatabase::connection();
    DiaryDatabase::WriteTransaction t(db);
    QSet<QString> deleted, kept;
    if (!t.begin(error) || !stillAsFound(db, user, error) || !fileNames(db, OfTheUser, user.senha, deleted, error)
        || !fileNames(db, OfTheOthers, user.senha, kept, error))
        return false;
    if (!exec(db, QStringLiteral("DELETE FROM Diario") + QLatin1String(OfTheUser),
              {{QStringLiteral(":senha"), user.senha}}, error)
        || !exec(db, QStringLiteral("DELETE FROM Senha WHERE rowid = :id"), {{QStringLiteral(":id"), user.id}},
                 error))
        return false;

    // The files go aside until the rows are gone for good, and come back if they are not. A file
    // that cannot be moved cannot be deleted either: it is left, and named.
    DiaryEntryFiles::Deletion files;
    QStringList left, going;
    for (const QString &name : std::as_const(deleted))
        if (!kept.contains(name))
            going.append(name);
    files.setAside(going, &left);
    if (!t.commit(error)) {
        const QList<DiaryEntryFiles::SetAside> aside = files.putBack();
        if (notPutBack)
            *notPutBack = aside;
        return false;
    }
    left += files.commit();
    left.sort();
    if (filesLeft)
        *filesLeft = left;
    return true;
}

} // namespace DiaryUsers
