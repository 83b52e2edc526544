#pragma once
// The diary's lasting data: users and entry records in one SQLite file reached through Qt Sql
// ("diario.mdb" in the current folder), and the text of each entry in a rich-text file.
//
// Tables (created with the file when it is missing):
//   Diario (Codigo integer key, auto-increment; Titulo text; Senha text: the owner's password;
//           Data text "yyyy-MM-dd": date of the last save; Hora text "HH:mm": time of the last save)
//   Senha  (Senha text: the user's password; Login text), index "index_senha" on Senha.
// Comparisons that ignore letter case go through ufold() (SqliteText), title order through the
// "ptbr" collation. Values are always bound, never pasted into SQL.
#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QTime>

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

// The current user's entries (Codigo, Titulo, Senha, Data, Hora), the owner's password compared
// without regard to letter case; by title in Portuguese order, or by date (oldest first). Rows
// that tie keep the order in which they were stored. The query is executed (see lastError()).
enum class Order { ByTitle, ByDate };
QSqlQuery listEntries(const QString &senha, Order order);

// Dates are stored so that they sort; they are shown as the diary shows them.
QString storedDate(const QDate &date);          // "yyyy-MM-dd"
QDate dateFromStored(const QString &stored);
QString shownDate(const QString &stored);       // "dd/MM/yyyy"; as stored when not a date
QString timeText(const QTime &time);            // "HH:mm"

// Entry files: the editor's whole content as RTF in a file named exactly by the title, in the
// current folder. Writing replaces the file atomically. Reading loads RTF, or plain text when the
// file is not RTF.
bool writeEntryFile(const QString &name, const QTextDocument &document, QString *error = nullptr);
bool readEntryFile(const QString &name, QTextDocument &document, QString *error = nullptr);

// The name of the file that holds the entry of a Diario row read with all its columns
// ("SELECT *"): for now the row's title.
QString entryFileName(const QSqlRecord &row);

} // namespace DiaryDatabase
