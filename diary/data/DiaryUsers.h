#pragma once
// The diary's users (table Senha) on the diary's connection: find, create, change the password of
// and delete a user. A user is known by the password: a password matches another, and an entry
// (Diario.Senha) belongs to a user, when they are equal without regard to letter case. Create,
// change and delete each check and write in one write transaction, so that two running copies
// cannot give two users one password: they either happen whole or leave everything as it was.
#include "DiaryEntryFiles.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace DiaryUsers {

struct User {
    qint64 id = -1; // the row of table Senha
    QString senha;  // as stored
    QString login;
};

// The first user (in the order of creation) whose password equals `senha`, letter case ignored.
// False, with `error` set, when the table could not be read.
bool find(const QString &senha, std::optional<User> &found, QString *error = nullptr);

// Whether a user other than the one of row `except` holds this password, letter case ignored.
bool heldByAnother(const QString &senha, qint64 except, bool &held, QString *error = nullptr);

// Adds a user, unless a user holds this password already, letter case ignored (`held` is then set
// and nothing is added). The check and the insert are one write transaction, so that two running
// copies cannot both create the same password.
bool create(const QString &login, const QString &senha, bool &held, QString *error = nullptr);

// Gives the user the new password and carries every entry of the user over to it, unless another
// user holds the new password, letter case ignored (`held` is then set and nothing changes). A user
// whose row no longer holds the password and login it was found with (changed or deleted by
// another running copy) is not changed: false with the reason.
bool changePassword(const User &user, const QString &novaSenha, bool &held, QString *error = nullptr);

// Deletes every entry of the user and then the user (who must still be as found, as above), with
// the entry files of the deleted rows (DiaryEntryFiles::Deletion), except files that a remaining
// entry also names (another user's entry of equal title) and names that may not be an entry
// file's. `filesLeft` gets the files that could not be deleted. When nothing is deleted,
// `notPutBack` gets the files that could not be put back from where they were set aside.
bool remove(const User &user, QStringList *filesLeft = nullptr, QString *error = nullptr,
            QList<DiaryEntryFiles::SetAside> *notPutBack = nullptr);

} // namespace DiaryUsers
