// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/settings.h"

#include "base/identity.h"
#include "base/platform.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>

// Silent unless a developer asks for it (QT_LOGGING_RULES="starfold.*=true"): the user is
// shown nothing, and the program keeps no log.
Q_LOGGING_CATEGORY(lcSettings, "starfold.settings", QtCriticalMsg)

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

// Scrambled codes run from 71 to 255. Qt's INI file keeps every one of them unchanged
// (keys as %XX, values as UTF-8), so keys and values go in as they are. The registry
// keeps them too, but would take a backslash (plain code 21) in a key as a subkey.
#ifdef Q_OS_WIN
constexpr auto StoreFormat = QSettings::NativeFormat; // the registry
#else
constexpr auto StoreFormat = QSettings::IniFormat;
#endif

struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const FileStamp &) const = default;
};

FileStamp stampOf(const QString &path)
{
    const QFileInfo info(path);
    return {info.exists() ? info.size() : -1, info.lastModified()};
}

// Qt parses a file once per process for as long as it stays unchanged, and tells
// only the first reader that it is malformed; later calls must fail as well.
std::optional<FileStamp> &malformedFile()
{
    static std::optional<FileStamp> stamp;
    return stamp;
}

class Store : public QSettings
{
public:
    Store()
        : QSettings(StoreFormat, QSettings::UserScope, QLatin1String(ProgramTitle),
                    executableName())
    {
        // Only the user's own file counts; no shared or system-wide defaults.
        setFallbacksEnabled(false);
    }

    ~Store() override { noteMalformed(); }

    bool healthy(const char *doing) const
    {
        noteMalformed();
        auto &malformed = malformedFile();
        if (malformed && *malformed != stampOf(fileName()))
            malformed.reset();
        // Qt answers from memory while the file looks unchanged, even after it has
        // become unreadable.
        const QFileInfo file(fileName());
        const bool readable = !file.exists() || (file.isFile() && file.isReadable());
        if (status() == QSettings::NoError && !malformed && readable)
            return true;
        qCWarning(lcSettings) << "cannot" << doing << fileName() << "status" << status();
        return false;
    }

private:
    // Whoever meets a malformed file first, even only to ask for its name, notes it.
    void noteMalformed() const
    {
        if (status() == QSettings::FormatError)
            malformedFile() = stampOf(fileName());
    }
};

QString storedKey(const QString &scrambledKey)
{
    return QLatin1String("Settings/") + scrambledKey;
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
    Store store;
    const QString stored = store.value(storedKey(scrambledKey)).toString();
    // The file is parsed section by section on demand, so look after the read.
    if (!store.healthy("read"))
        return std::nullopt;
    return UnscrambleText(stored);
}

bool WriteSetting(const QString &key, const QString &value)
{
    const QString scrambledKey = ScrambleText(key);
    if (scrambledKey.isEmpty())
        return false;
    Store store;
    // Parse everything first: QSettings would rewrite a malformed file without the
    // parts it could not read.
    store.allKeys();
    if (!store.healthy("read"))
        return false;
    if (!store.isWritable()) {
        qCWarning(lcSettings) << "cannot write" << store.fileName();
        return false;
    }
    const QString address = storedKey(scrambledKey);
    const QVariant before = store.value(address);
    store.setValue(address, ScrambleText(value));
    store.sync();
    if (store.healthy("write"))
        return true;
    // Qt keeps a change it could not write and writes it with the next one; take it
    // back, so that a value reported as not stored never turns up later.
    if (before.isValid())
        store.setValue(address, before);
    else
        store.remove(address);
    return false;
}

QString settingsFilePath()
{
    return Store().fileName();
}
