#include "SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &name)
    : m_lock(std::make_unique<QLockFile>(lockPath(name)))
{
    // Only a dead holder makes a lock stale, never its age: a first copy may run for days.
    m_lock->setStaleLockTime(0);
    m_owner = m_lock->tryLock(0);
    if (!m_owner && m_lock->error() != QLockFile::LockFailedError)
        m_owner = true; // no usable runtime folder: never refuse to start
}

SingleInstance::~SingleInstance()
{
    if (m_owner)
        m_lock->unlock();
}

QString SingleInstance::lockPath(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + u'/' + name + QLatin1String(".lock");
}
