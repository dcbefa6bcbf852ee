// SPDX-License-Identifier: GPL-3.0-or-later
// The guard where flock() is missing: Qt's lock file, which records its owner's process
// and is taken over once that process is gone.
#include "app/instanceguard.h"

#include <QDir>
#include <QLockFile>

struct InstanceGuard::Lock {
    explicit Lock(const QString &path)
        : file(path)
    {
    }
    QLockFile file;
};

QString InstanceGuard::userTag()
{
    // The user's own name, as the system gives it to Qt's temporary and home folders.
    return QString::number(qHash(QDir::homePath()), 16);
}

void InstanceGuard::LockDeleter::operator()(Lock *lock) const
{
    delete lock;
}

bool InstanceGuard::acquire()
{
    if (m_lock)
        return true;
    auto lock = std::make_unique<Lock>(m_path);
    if (lock->file.tryLock(0)) {
        m_lock.reset(lock.release());
        return true;
    }
    // Only a live owner refuses the start; a lock that cannot be made lets the user in.
    return lock->file.error() != QLockFile::LockFailedError;
}

void InstanceGuard::release()
{
    if (m_lock)
        m_lock->file.unlock();
    m_lock.reset();
}
