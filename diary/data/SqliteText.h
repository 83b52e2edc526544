#pragma once
// Text rules that SQLite lacks, registered on a Qt Sql connection: case folding over all of
// Unicode (not only A-Z) and Portuguese collation, both independent of the process locale.
#include <QString>

class QSqlDatabase;

namespace SqliteText {

// Registers, on an open SQLite connection, the function ufold(text) (Unicode case folding, NULL
// stays NULL) and the collation "ptbr" (Portuguese order, the one compare() gives).
// False when the connection is not an open SQLite connection.
bool install(const QSqlDatabase &db);

// The folding that ufold() applies: "ÇÃO" and "ção" fold alike.
QString fold(const QString &text);
bool equalFolded(const QString &a, const QString &b);

// Portuguese (Brazil) collation: negative, zero or positive like strcmp.
int compare(const QString &a, const QString &b);

} // namespace SqliteText
