// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/instanceguard.h"

#include "base/platform.h"

#include <QDir>
#include <QStandardPaths>

QString InstanceGuard::defaultLockPath()
{
    // The runtime folder is private to the user and emptied at log-out. The shared
    // temporary folder is everyone's, so a name there says whose lock it is.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime + QLatin1Char('/') + executableName() + QLatin1String(".instance.lock");
    return QDir::tempPath() + QLatin1Char('/') + executableName() + QLatin1Char('-')
           + userTag() + QLatin1String(".instance.lock");
}

InstanceGuard::InstanceGuard(QString lockPath)
    : m_path(std::move(lockPath))
{
}

InstanceGuard::~InstanceGuard()
{
    release();
}
