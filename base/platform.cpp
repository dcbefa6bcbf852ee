// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/platform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QtGlobal>

namespace {
Platform *current = nullptr;
}

Platform &platform()
{
    Q_ASSERT_X(current, "platform()", "no platform installed");
    return *current;
}

void setPlatform(Platform *platform)
{
    current = platform;
}

QString executableName()
{
    const QString path = QCoreApplication::applicationFilePath();
    const QString name = QFileInfo(path).completeBaseName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}
