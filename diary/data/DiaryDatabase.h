#pragma once
// The diary's lasting data: users and entry records in one SQLite file reached through Qt Sql
// ("diario.mdb" in the data folder), and the text of each entry in a rich-text file.
//
// Tables (created with the file when it is missing):
//   Diario (Codigo integer key, auto-increment; Titulo text; Senha text: the owner's password;
//           Data text "yyyy-MM-dd": date of the last save; Hora text "HH:mm": time of the last save;
//           Arquivo text: the entry's file name when it is not the title, else NULL; added on
//           opening to databases made without it)
//   Senha  (Senha text: the user's password; Login text), index "index_senha" on Senha.
// Comparisons that ignore letter case go through ufold() (SqliteText), title order through the
// "ptbr" collation. Values are always bound, never pasted into SQL.
#include "DiaryEntryFiles.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QTime>

#include <optional>

class QSqlError;
class QSqlRecord;
class QTextDocument;

namespace DiaryDatabase {

inline const QString FileName = QStringLiteral("diario.mdb");
inline const QString ConnectionName = QStringLiteral("ADOConnection1");

enum class OpenResult {
    Opened,      // an existing, usable database
    Created,     // the file was missing (or empty) and has been created with its tables
    NotUsable,   // the file is not a diary database; it was opened read-only and left as it was
    CannotCreate // the file was missing and could not be created here
};

struct OpenStatus {
    OpenResult result = OpenResult::NotUsable;
    QString detail; // what went wrong, for the message
    bool ok() const { return result == OpenResult::Opened || result == OpenResult::Created; }
};

// Opens the diary's single connection (named ConnectionName) on the file. An existing file is
// checked read-only first (SQLite, intact, both tables with their columns); only a usable one is
// then opened for writing. Replaces an earlier connection of the same name.
OpenStatus open(const QString &path = FileName);
void close();
QSqlDatabase connection();

// The message for a failed open, for the user.
QString failureMessage(const OpenStatus &status, const QString &path = FileName);

// A failure in the database's own words (Qt's, when the database gave none).
QString errorText(const QSqlError &error);

// A write transaction taken from its start (BEGIN IMMEDIATE), so that another running copy cannot
// change the rows between the checks and the writes made in it. Whatever has not reached commit()
// when it goes is rolled back.
class WriteTransaction {
public:
    explicit WriteTransaction(QSqlDatabase db = connection());
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;

    // False, with the database's reason in *error, when it could not begin.
    bool begin(QString *error = nullptr);
    // False, with the reason, when the database refused the commit; it is rolled back then.
    bool commit(QString *error = nullptr);

private:
    QSqlDatabase m_db;
    bool m_open = false;
};

// The current user's entries (Codigo, Titulo, Senha, Data, Hora), the owner's password compared
// without regard to letter case; by title in Portuguese order, or by date (oldest first). Rows
// that tie keep the order in which they were stored. The query is executed (see lastError()).
enum class Order { ByTitle, ByDate };
QSqlQuery listEntries(const QString &senha, Order order);

// How many rows this connection has inserted, changed or deleted since it was opened: a list read
// earlier still holds while this stays the same (other running copies aside). -1 on failure.
qint64 changes();

// Dates are stored so that they sort; they are shown as the diary shows them.
QString storedDate(const QDate &date);          // "yyyy-MM-dd"
QDate dateFromStored(const QString &stored);
QString shownDate(const QString &stored);       // "dd/MM/yyyy"; as stored when not a date
QString shownDate(const QDate &date);           // "dd/MM/yyyy"
QString timeText(const QTime &time);            // "HH:mm"

// ---- Entries (DiaryEntries.cpp) ------------------------------------------------------------
// Titles are unique among one owner's entries (letter case ignored), not among all entries: every
// lookup of a row is scoped to its owner, and two owners' equal titles get two files. An entry's
// file is named by its title when that name is free, otherwise by a distinct name kept in Arquivo
// (the names and the files themselves: DiaryEntryFiles).

inline const QString FileColumn = QStringLiteral("Arquivo");

struct Entry {
    qint64 codigo = -1;
    QString titulo;
    QString senha;
    QString data; // as stored, "yyyy-MM-dd"
    QString hora;
    QString arquivo; // empty: the file is named by the title
    QString fileName() const; // as entryFileName()
};

// The file name of an entry row: its title, or the name in Arquivo when the row has one. The row
// may come from any query on Diario that holds Titulo (Arquivo is optional). Empty when that name
// may not be an entry file's (DiaryEntryFiles::isFileName: a title such as "../x" or "diario.mdb"
// in a database made elsewhere): such a row has no file to read or delete.
QString entryFileName(const QSqlRecord &row);

// The owner's entries in the order asked (as listEntries), read whole. False on a database error.
bool readEntries(const QString &senha, Order order, QList<Entry> &entries, QString *error = nullptr);

// Whether a row, any owner's, names that file of the data folder (letter case ignored). nullopt,
// with the reason, on a database error.
std::optional<bool> isEntryFile(const QString &name, QString *error = nullptr);

// The owner's entry of that title, both compared without regard to letter case.
std::optional<Entry> findEntry(const QString &senha, const QString &titulo, QString *error = nullptr);

struct SaveResult {
    bool ok = false;
    bool duplicate = false; // a new entry whose title the owner already has: nothing stored
    bool noOwner = false;   // no user holds the owner's password (any more): nothing stored
    Entry entry;   // the row as stored
    QString error; // why nothing was stored
    QString notPutBack; // the entry file that could not be put back as it was, when nothing was stored
};

// Stores the document as the owner's entry of that title, all or nothing: the row (Data and Hora
// from `when`) and the file are written in one transaction, the file atomically; on failure no row
// is added or changed and no file is left half written. `stored`: the entry is stored already; its
// row is found by owner and title and renewed, or, when it has vanished, stored anew. A new entry
// gets a new row, unless the owner has an entry of that title already (`duplicate`). Nothing is
// stored when no user holds the owner's password (`noOwner`), checked in the same transaction.
SaveResult saveEntry(const QString &senha, const QString &titulo, bool stored, const QTextDocument &document,
                     const QDateTime &when);

// At start: puts back the entry files that a deletion cut short (the run was killed) left aside,
// where their rows are still there, and deletes those whose rows are gone (DiaryEntryFiles::recover).
DiaryEntryFiles::Recovered recoverSetAsideFiles();

// Deletes the row of that Codigo and its file (a missing file is no error; a file that another
// row also names, as in databases made before Arquivo, is kept for that row). False with the reason
// when the row could not be deleted; a file that could not be removed is reported in *error too.
// `notPutBack` gets the file that a refused deletion could not put back from where it was set
// aside (it stays in the list of set-aside files, for the next start).
bool deleteEntry(qint64 codigo, QString *error = nullptr, QList<DiaryEntryFiles::SetAside> *notPutBack = nullptr);

} // namespace DiaryDatabase
