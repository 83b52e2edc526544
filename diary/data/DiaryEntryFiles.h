#pragma once
// The diary's entry files: the text of each entry as RTF in a file of the data folder, named by
// the entry's title or, when that name is taken, by a name of its own (kept in Diario.Arquivo).
// This unit says where the data folder is and which names an entry file may have, and writes and
// deletes entry files so that a database transaction that fails leaves them as they were.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

namespace DiaryEntryFiles {

// The data folder: where the database, the entry files and the help folder lie. It is the folder
// current when the program starts (fixFolder), whatever a library loaded later does to the current
// folder. Until it is fixed, names stand for themselves, relative to the current folder.
void fixFolder(const QString &folder);
QString folder();
// A name within the data folder.
QString path(const QString &name);

// Whether a name may be an entry file's: not blank; whole characters only; no "/", "\" or control
// characters; not "." or ".."; not, letter case ignored, the database file, its journal files or
// the help folder "Dorlinda". A row whose name breaks the rule (a database made elsewhere) has no
// file to read or delete.
bool isFileName(const QString &name);

// Whether a title typed for a new entry may name it and its file: a file name by the rule above
// that neither begins nor ends with a blank or a dot, since such a title names a file other than
// the one it seems to ("diario.mdb " beside the database).
bool isUsableTitle(const QString &titulo);

// Whether anything (a file, a folder, a dangling link) lies at that name in the data folder.
bool occupied(const QString &name);

// The candidate names for an entry file, from the first (the title itself) on: "title (n)".
QString candidate(const QString &titulo, int n);

// A file written whole (atomically) while its transaction is open; undo() puts back what the
// file held before, or removes it when there was none.
class Replacement {
public:
    bool write(const QString &name, const QByteArray &bytes, QString *error);
    // False when the file could not be put back as it was.
    bool undo();

private:
    QString m_name;
    bool m_existed = false;
    QByteArray m_before;
};

// Whether the file of that name is one the diary wrote: RTF that reads whole and that, written
// again, gives the same bytes (another program's file practically never does).
bool writtenByTheDiary(const QString &name);

// A file written for an entry whose row is not stored yet (a new entry, or one moved to a name of
// its own). Its name is recorded first, in ".PID-N.gravando", and the record dropped once the row
// is stored (done()), or once the save has failed and the file is gone. Should the run end in
// between, the record says that the file without a row is the diary's own, left by a save cut
// short: a later save of that name may take it (leftBehind()). Any other file without a row, even
// one the diary wrote (a database replaced since), is never taken.
class FirstSave {
public:
    FirstSave() = default;
    FirstSave(const FirstSave &) = delete;
    FirstSave &operator=(const FirstSave &) = delete;
    ~FirstSave();

    // Records the name; false, with the reason, when the record could not be written.
    bool begin(const QString &name, QString *error);
    // The row is stored: this record goes, and those that earlier saves of the name left.
    void done();

    // Whether a save cut short left the file of that name, by its record.
    static bool leftBehind(const QString &name);

private:
    QString m_name;
    QString m_record;
    QStringList m_leftBehind;
};

// An entry file set aside: its name, and the hidden name it lies under meanwhile.
using SetAside = std::pair<QString, QString>;

// Entry files deleted with their rows: each is moved to a hidden name of the data folder
// (".PID-N.excluido") while the transaction is open, after a list of the names it moves (the
// hidden name and the entry file's, a line each, in ".PID-N.excluidos"). commit() deletes them
// once the rows are gone for good, and putBack() (also run when the deletion ends without
// commit()) returns them to their names; either then drops the list. Should the run end in
// between, the list tells the next start what to put back (recover()). Only plain files (or links
// to them) are touched, never a folder.
class Deletion {
public:
    Deletion() = default;
    Deletion(const Deletion &) = delete;
    Deletion &operator=(const Deletion &) = delete;
    ~Deletion();

    // Moves the files aside. Names that may not be an entry file's, and names under which no file
    // lies, are passed over. `left` gets the files that could not be moved (they stay where they
    // are), and *error the reason.
    void setAside(const QStringList &names, QStringList *left, QString *error = nullptr);
    // Deletes the files set aside; returns the names of those that could not be deleted.
    QStringList commit();
    // Returns the files that could not be put back: they stay under their hidden names, in the
    // list, for the next start to put back.
    QList<SetAside> putBack();

private:
    bool writeList(const QList<SetAside> &aside, QString *error);
    // Drops the list when nothing is left aside, else leaves it for the next start.
    void endList(bool whole);

    QString m_list; // the list's name, once written
    QList<SetAside> m_aside;
};

// What the lists of deletions that did not end (the run was killed) left in the data folder: each
// file a list names under a set-aside name is put back when `hasRow` says a row still names its
// entry file and that name is free, and deleted when no row does. A file whose name has been taken
// meanwhile, or for which `hasRow` cannot tell (nullopt), stays aside, in its list. Nothing but the
// files a list names under set-aside names is touched; a list is dropped once nothing is left of it.
// The records of first saves that did not end are dropped where a row names their file or no file
// is there: only those of files without a row stay.
struct Recovered {
    int putBack = 0;
    int deleted = 0;
    int left = 0;
};
// The deletions' lists and the first saves' records in the data folder, oldest first, found in one
// listing of the folder.
struct LeftOver {
    QStringList lists;
    QStringList records;
    bool isEmpty() const { return lists.isEmpty() && records.isEmpty(); }
};
LeftOver leftOver();
Recovered recover(const LeftOver &found, const std::function<std::optional<bool>(const QString &name)> &hasRow);

} // namespace DiaryEntryFiles
