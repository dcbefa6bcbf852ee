// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instanceguard.h"

#include "base/platform.h"

#include <QDir>
#include <QStandardPaths>

QString InstanceGuard::defaultLockPath()
{
    // The runtime folder is private to the user and emptied at log-out.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QLatin1Char('/') + executableName() + QLatin1String(".instance.lock");
}

InstanceGuard::InstanceGuard(QString lockPath)
    : m_path(std::move(lockPath))
{
}

InstanceGuard::~InstanceGuard()
{
    release();
}

bool InstanceGuard::acquire()
{
    if (m_held)
        return true;
    m_lock = std::make_unique<QLockFile>(m_path);
    // Never stale by age: only a dead owner frees the lock.
    m_lock->setStaleLockTime(0);
    m_held = m_lock->tryLock(0);
    return m_held;
}

void InstanceGuard::release()
{
    if (m_lock && m_held)
        m_lock->unlock();
    m_held = false;
}
