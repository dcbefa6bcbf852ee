// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/settings.h"

#include "base/settingsstore.h"

namespace {

// A character beyond 0-255 has no 8-bit code, so it goes the way of a code pushed
// out of range.
QString shifted(const QString &text, int offset)
{
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        const int code = ch.unicode() + offset;
        if (ch.unicode() <= 0xFF && code >= 0 && code <= 0xFF)
            result += QChar(code);
    }
    return result;
}

} // namespace

QString ScrambleText(const QString &text)
{
    return shifted(text, SettingOffset);
}

QString UnscrambleText(const QString &text)
{
    return shifted(text, -SettingOffset);
}

std::optional<QString> ReadSetting(const QString &key)
{
    const QString scrambledKey = ScrambleText(key);
    if (scrambledKey.isEmpty())
        return std::nullopt;
    const std::optional<QString> stored = settingsstore::read(scrambledKey);
    if (!stored)
        return std::nullopt;
    return UnscrambleText(*stored);
}

bool WriteSetting(const QString &key, const QString &value)
{
    const QString scrambledKey = ScrambleText(key);
    if (scrambledKey.isEmpty())
        return false;
    return settingsstore::write(scrambledKey, ScrambleText(value));
}
