#pragma once
// Reading a folder, the lists' order and their file patterns.
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace FolderListing {
// Reads the folder's files and folders (hidden ones left out), by the names' own bytes; false when
// the folder cannot be read, which an empty folder is not.
bool readFolder(const QString &folder, QStringList *files, QStringList *folders);
// The folder's path made clean; "/" for an empty one.
QString cleanFolder(const QString &path);
// True when the folder can be listed (opened and read).
bool canList(const QString &folder);
// An absolute, clean folder path: relative paths are taken from base.
QString absolute(const QString &path, const QString &base);
// Order of the lists: alphabetical without regard to case or accents, runs of digits by value
// ("img2" before "img10"), the same whatever the process locale. Names equal in that order
// (differing in case or leading zeros only) keep a fixed order between them.
QString sortKey(const QString &name);
// Sorts names in that order.
void sort(QStringList &names);
// ';'-separated patterns with * and ?, matched without regard to case; "", "*" and "*.*" match all.
class Pattern {
public:
    explicit Pattern(const QString &patterns = QString());
    bool matches(const QString &name) const;

private:
    struct Part;
    std::shared_ptr<const std::vector<Part>> m_parts;
    bool m_all = true;
};
} // namespace FolderListing
