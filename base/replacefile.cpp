// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/replacefile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

namespace {

constexpr QLatin1StringView Owner(".starfold-");
constexpr QLatin1StringView Suffix(".tmp");
constexpr int RandomDigits = 16;

// A temporary file of ours, by its name; earlier versions put a process id where the random
// digits are now.
bool isTemporaryName(QStringView name)
{
    const qsizetype owner = name.lastIndexOf(Owner);
    if (!name.startsWith(u'.') || owner < 1 || !name.endsWith(Suffix))
        return false;
    const qsizetype from = owner + Owner.size();
    const QStringView digits = name.sliced(from, name.size() - from - Suffix.size());
    return !digits.isEmpty() && digits.size() <= RandomDigits
           && std::all_of(digits.begin(), digits.end(), [](QChar c) {
                  return c.isDigit() || (c >= u'a' && c <= u'f');
              });
}

} // namespace

namespace replacefile {

QString finalPath(const QString &path)
{
    QFileInfo file(path);
    // A circle of links ends here and is replaced, as a lone link would have been before.
    for (int depth = 0; depth < 40 && file.isSymbolicLink(); ++depth)
        file.setFile(file.symLinkTarget());
    return file.absoluteFilePath();
}

QString temporaryPathFor(const QString &file)
{
    const QFileInfo target(file);
    const QString tail = Owner
                         + QString::number(QRandomGenerator::global()->generate64(), 16)
                               .rightJustified(RandomDigits, u'0')
                         + Suffix;
    const qsizetype most = longestName(target.path());
    QString name = target.fileName();
    while (!name.isEmpty() && nameLength(u'.' + name + tail) > most) {
        name.chop(1);
        if (!name.isEmpty() && name.back().isHighSurrogate())
            name.chop(1);
    }
    return target.path() + QLatin1String("/.") + name + tail;
}

} // namespace replacefile

// Names are matched by hand: a pattern here would be compiled at every start-up.
void RemoveLeftoverTemporaries(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &candidate : names) {
        if (isTemporaryName(candidate))
            replacefile::removeIfAbandoned(dir.filePath(candidate));
    }
}
