// SPDX-License-Identifier: GPL-3.0-or-later
// Windows names are UTF-16, so any script can be stored; but half a character cannot, nor
// the characters the shell keeps for itself, nor a name Windows takes for a device (CON,
// NUL, COM1, even with an extension) or strips of its trailing dots and spaces, which would
// write somewhere other than the file the user named.
#include "base/filename.h"

#include <QFileInfo>
#include <QStringList>

namespace {

bool wholeCharacters(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (ch.isSurrogate() || ch == QChar::ReplacementCharacter || ch.unicode() < 32)
            return false;
    }
    return true;
}

bool namesADevice(const QString &name)
{
    static const QStringList devices{
        QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),
        QStringLiteral("NUL"),  QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    // What comes before the first dot, without the spaces Windows drops there too.
    QString stem = name.section(QLatin1Char('.'), 0, 0);
    while (stem.endsWith(QLatin1Char(' ')))
        stem.chop(1);
    stem = stem.toUpper();
    if (devices.contains(stem))
        return true;
    // COM1 to COM9 and LPT1 to LPT9, and their superscript spellings.
    static const QString digits = QStringLiteral("123456789\u00B9\u00B2\u00B3");
    const QStringView port = QStringView(stem).left(3);
    return stem.size() == 4 && (port == QLatin1String("COM") || port == QLatin1String("LPT"))
           && digits.contains(stem.at(3));
}

} // namespace

bool fileSystemCanName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    static const QString reserved = QStringLiteral("<>:\"|?*");
    for (const QChar ch : name) {
        if (reserved.contains(ch))
            return false;
    }
    return wholeCharacters(path) && !name.isEmpty() && !name.endsWith(QLatin1Char('.'))
           && !name.endsWith(QLatin1Char(' ')) && !namesADevice(name);
}
