// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/replacefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

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

namespace {

// The process that wrote a temporary file of ours, read from its name; 0 for any other name.
qint64 writerOf(const QString &name)
{
    const qsizetype owner = name.lastIndexOf(QLatin1String(Owner));
    if (!name.startsWith(QLatin1Char('.')) || owner < 2 || !name.endsWith(QLatin1String(Suffix)))
        return 0;
    const qsizetype from = owner + qsizetype(qstrlen(Owner));
    const QStringView digits = QStringView(name).sliced(from, name.size() - from - qstrlen(Suffix));
    bool number = false;
    const qint64 writer = digits.size() <= 10 ? digits.toLongLong(&number) : 0;
    return number && writer > 0 && digits.front().isDigit() && digits.back().isDigit() ? writer : 0;
}

} // namespace

// Names are matched by hand: a pattern here would be compiled at every start-up.
void RemoveLeftoverTemporaries(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &candidate : names) {
        const qint64 owner = writerOf(candidate);
        if (owner == 0)
            continue;
        const QString path = dir.filePath(candidate);
        if (owner == replacefile::currentProcess() || replacefile::processAlive(owner)
            || !replacefile::ownLeftover(path))
            continue;
        // What a crash or a kill cut short: the file it replaced is still whole.
        if (!QFile::remove(path))
            qCWarning(lcFiles) << "cannot remove the leftover" << path;
    }
}
