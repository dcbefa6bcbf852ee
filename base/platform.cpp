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
    // Every caller reaches the outside world through it; without one, stop with a reason
    // rather than at a null pointer, in release builds too.
    if (!current)
        qFatal("platform(): no platform installed; main() or the test must set one first");
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
