#include "Drives.h"

#include "FolderListing.h"

#include <QDir>
#include <QHash>
#include <QMutex>
#include <QStorageInfo>

namespace Drives {

namespace {
struct State {
    QMutex mutex;
    QStringList testRoots;
    QHash<QString, QString> current;
};
State &state()
{
    static State s;
    return s;
}

bool isVolume(const QStorageInfo &v)
{
    const QString root = v.rootPath();
    if (!v.isValid() || root == QLatin1String("/") || !QFileInfo(root).isDir())
        return false;
    static const QStringList systemPlaces = {"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var/lib", "/etc"};
    for (const QString &s : systemPlaces)
        if (root == s || root.startsWith(s + QLatin1Char('/')))
            if (!root.startsWith(QLatin1String("/run/media/")))
                return false;
    const QByteArray type = v.fileSystemType();
    static const QByteArrayList pseudo = {"tmpfs", "devtmpfs", "proc", "sysfs", "cgroup", "cgroup2", "devpts",
                                          "mqueue", "debugfs", "tracefs", "securityfs", "pstore", "bpf",
                                          "configfs", "fusectl", "hugetlbfs", "autofs", "binfmt_misc",
                                          "overlay", "squashfs", "nsfs", "efivarfs", "ramfs", "rpc_pipefs"};
    return !pseudo.contains(type);
}
} // namespace

QStringList roots()
{
    {
        QMutexLocker lock(&state().mutex);
        if (!state().testRoots.isEmpty())
            return state().testRoots;
    }
    QStringList list;
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes())
        if (isVolume(v) && !list.contains(v.rootPath()))
            list.append(v.rootPath());
    FolderListing::sort(list);
    list.prepend(QStringLiteral("/"));
    return list;
}

QString rootOf(const QString &path)
{
    const QString clean = FolderListing::cleanFolder(path);
    const QStringList all = roots();
    QString best;
    for (const QString &r : all) {
        const bool under = r == QLatin1String("/") || clean == r || clean.startsWith(r + QLatin1Char('/'));
        if (under && r.size() > best.size())
            best = r;
    }
    if (best.isEmpty())
        best = all.isEmpty() ? QStringLiteral("/") : all.first();
    return best;
}

bool isAvailable(const QString &root)
{
    return FolderListing::canList(root);
}

QString currentFolder(const QString &root)
{
    {
        QMutexLocker lock(&state().mutex);
        const auto it = state().current.constFind(root);
        if (it != state().current.constEnd())
            return it.value();
    }
    const QString here = FolderListing::cleanFolder(QDir::currentPath());
    if (rootOf(here) == root)
        return here;
    return root;
}

void setCurrentFolder(const QString &folder)
{
    const QString clean = FolderListing::cleanFolder(folder);
    const QString root = rootOf(clean);
    QMutexLocker lock(&state().mutex);
    state().current.insert(root, clean);
}

void setRootsForTesting(const QStringList &list)
{
    QMutexLocker lock(&state().mutex);
    state().testRoots.clear();
    for (const QString &r : list)
        state().testRoots.append(FolderListing::cleanFolder(r));
}

void forgetCurrentFolders()
{
    QMutexLocker lock(&state().mutex);
    state().current.clear();
}

} // namespace Drives
