// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/replacefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>

// Silent unless a developer asks for it (QT_LOGGING_RULES="starfold.*=true").
Q_LOGGING_CATEGORY(lcFiles, "starfold.files", QtCriticalMsg)

namespace {

constexpr auto Owner = ".starfold-";
constexpr auto Suffix = ".tmp";

} // namespace

namespace replacefile {

QString temporaryPathFor(const QString &path, qint64 processId)
{
    const QFileInfo target(path);
    return target.path() + QLatin1String("/.") + target.fileName() + QLatin1String(Owner)
           + QString::number(processId) + QLatin1String(Suffix);
}

} // namespace replacefile

void RemoveLeftoverTemporaries(const QString &folder)
{
    static const QRegularExpression name(QStringLiteral("^\\..+\\.starfold-(\\d{1,10})\\.tmp$"));
    const QDir dir(folder);
    const QStringList candidates = dir.entryList(
        {QStringLiteral(".*") + QLatin1String(Owner) + QLatin1String("*") + QLatin1String(Suffix)},
        QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &candidate : candidates) {
        const QRegularExpressionMatch match = name.match(candidate);
        if (!match.hasMatch())
            continue;
        const qint64 owner = match.captured(1).toLongLong();
        const QString path = dir.filePath(candidate);
        if (owner == replacefile::currentProcess() || replacefile::processAlive(owner)
            || !replacefile::ownLeftover(path))
            continue;
        // What a crash or a kill cut short: the file it replaced is still whole.
        if (!QFile::remove(path))
            qCWarning(lcFiles) << "cannot remove the leftover" << path;
    }
}
