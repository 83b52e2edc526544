#pragma once
// The diary's entry files: the text of each entry as RTF in a file of the current folder, named by
// the entry's title or, when that name is taken, by a name of its own (kept in Diario.Arquivo).
// This unit says which names an entry file may have, and writes and deletes entry files so that a
// database transaction that fails leaves them as they were.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace DiaryEntryFiles {

// Whether a name may be an entry file's: not blank; whole characters only; no "/", "\" or control
// characters; not "." or ".."; not, letter case ignored, the database file, its journal files or
// the help folder "Dorlinda". A row whose name breaks the rule (a database made elsewhere) has no
// file to read or delete.
bool isFileName(const QString &name);

// Whether a title typed for a new entry may name it and its file: a file name by the rule above
// that neither begins nor ends with a blank or a dot, since such a title names a file other than
// the one it seems to ("diario.mdb " beside the database).
bool isUsableTitle(const QString &titulo);

// Whether anything (a file, a folder, a dangling link) lies at that name.
bool occupied(const QString &name);

// The candidate names for an entry file, from the first (the title itself) on: "title (n)".
QString candidate(const QString &titulo, int n);

// A file written whole (atomically) while its transaction is open; undo() puts back what the
// file held before, or removes it when there was none.
class Replacement {
public:
    bool write(const QString &name, const QByteArray &bytes, QString *error);
    void undo();

private:
    QString m_name;
    bool m_existed = false;
    QByteArray m_before;
};

// Entry files deleted with their rows: each is moved to a hidden name of the current folder while
// the transaction is open; commit() deletes them once the rows are gone for good, and putBack()
// (also run when the deletion ends without commit()) returns them to their names. Only plain files
// (or links to them) are touched, never a folder.
class Deletion {
public:
    Deletion() = default;
    Deletion(const Deletion &) = delete;
    Deletion &operator=(const Deletion &) = delete;
    ~Deletion();

    // Moves the file aside. True when it is aside or there is nothing of that name to delete;
    // false, with the reason, when it could not be moved (it stays where it is).
    bool setAside(const QString &name, QString *error = nullptr);
    // Deletes the files set aside; returns the names of those that could not be deleted.
    QStringList commit();
    void putBack();

private:
    QList<std::pair<QString, QString>> m_aside; // name, hidden name
};

} // namespace DiaryEntryFiles
