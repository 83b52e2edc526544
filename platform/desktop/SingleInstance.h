#pragma once
// Tells whether another copy of a program is already running: a lock file in the runtime folder
// ($XDG_RUNTIME_DIR), held while the holder lives. A copy that died leaves a stale lock, which the
// next copy takes over.
#include <QString>
#include <memory>

class QLockFile;

class SingleInstance {
public:
    explicit SingleInstance(const QString &name);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when another live process (or another holder in this one) holds the lock.
    bool anotherIsRunning() const { return !m_owner; }
    static QString lockPath(const QString &name);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_owner = false;
};
