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
