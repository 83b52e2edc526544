#pragma once
// Drives are this platform's file-system roots. Folders are written with "/", absolute and clean,
// with no "/" at the end except the root "/" itself.
#include <QString>
#include <QStringList>

// The drives: file-system roots, "/" first, then the mounted volumes (removable media, other
// disks, network shares). Each drive remembers its current folder: the folder the folder list
// last showed on it.
namespace Drives {
QStringList roots();
// The drive holding the path: the longest root that the path lies under.
QString rootOf(const QString &path);
// A drive is available while its root can be listed.
bool isAvailable(const QString &root);
// The drive's current folder; its root when the folder list has not been on it (for the drive of
// the process's working folder, that folder).
QString currentFolder(const QString &root);
void setCurrentFolder(const QString &folder);
// Tests: a fixed list of roots in place of the mounted volumes (empty = the system's again), and
// forgetting the current folders.
void setRootsForTesting(const QStringList &roots);
void forgetCurrentFolders();
} // namespace Drives
