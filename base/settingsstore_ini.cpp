// SPDX-License-Identifier: GPL-3.0-or-later
// The store as an INI file in the user's configuration folder. Qt's QSettings reads and
// writes the format, but never under the store's own name: there it would wait for the
// lock without end, open whatever stands at the name (a pipe never answers), and write
// back only what it managed to read.
#include "base/settingsstore.h"

#include "base/identity.h"
#include "base/platform.h"
#include "base/replacefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Silent unless a developer asks for it (QT_LOGGING_RULES="starfold.*=true"): the user is
// shown nothing, and the program keeps no log.
Q_LOGGING_CATEGORY(lcSettings, "starfold.settings", QtCriticalMsg)

namespace settingsstore {
namespace {

// How long a write waits for another writer, who holds the lock for milliseconds.
constexpr int LockWaitMs = 300;
// Far more than the program ever stores: anything larger is not its store.
constexpr qint64 MaxStoreBytes = 1024 * 1024;

QString storedKey(const QString &key)
{
    return QLatin1String("Settings/") + key;
}

// The store's bytes (none while it does not exist), read without waiting on anything:
// nothing when its name holds anything but a regular file (a folder, a pipe, a device)
// or more than a store holds.
std::optional<QByteArray> readStore(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st{};
    if (::stat(name.constData(), &st) != 0)
        return errno == ENOENT ? std::optional(QByteArray()) : std::nullopt;
    if (!S_ISREG(st.st_mode))
        return std::nullopt;
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    QByteArray bytes;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    char buffer[16384];
    while (ok) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0 && errno == EINTR)
            continue;
        ok = got > 0 && bytes.size() + got <= MaxStoreBytes;
        if (ok)
            bytes.append(buffer, got);
    }
    ::close(fd);
    return ok ? std::optional(std::move(bytes)) : std::nullopt;
}

// QLockFile reads what stands at the lock's name to judge it: a pipe there would
// never answer, a folder would count as a lock held for good.
bool lockNameUsable(const QString &lockPath)
{
    struct stat st{};
    if (::lstat(QFile::encodeName(lockPath).constData(), &st) != 0)
        return errno == ENOENT;
    return S_ISREG(st.st_mode);
}

// The runtime folder is private to the user and normally in memory, where Qt's flush
// of each file it writes to the disk costs nothing.
QString privateFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return (runtime.isEmpty() ? QDir::tempPath() : runtime) + QLatin1String("/settings-XXXXXX");
}

// The store as Qt reads and writes it, under a name in a folder of our own: either a copy
// for Qt to change, or a link to the store for Qt to read. Qt keeps what it parsed of a
// file for as long as the file looks unchanged, and tells only its first reader that the
// file is malformed; a name it has never seen makes it read afresh.
class PrivateStore
{
public:
    enum class Kind { CopyOf, LinkTo };

    PrivateStore(Kind kind, const QByteArray &bytesOrPath)
        : m_dir(privateFolder())
    {
        if (!m_dir.isValid())
            return;
        const QString name = m_dir.filePath(QStringLiteral("store.ini"));
        if (kind == Kind::LinkTo) {
            if (!QFile::link(QFile::decodeName(bytesOrPath), name))
                return;
        } else {
            QFile file(name);
            if (!file.open(QIODevice::WriteOnly)
                || file.write(bytesOrPath) != bytesOrPath.size() || !file.flush())
                return;
        }
        m_settings.emplace(name, QSettings::IniFormat);
    }

    QSettings *settings() { return m_settings ? &*m_settings : nullptr; }

    // What Qt writes for the settings as they now stand.
    std::optional<QByteArray> written()
    {
        m_settings->sync();
        QFile file(m_settings->fileName());
        if (m_settings->status() != QSettings::NoError || !file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return file.readAll();
    }

private:
    QTemporaryDir m_dir;
    std::optional<QSettings> m_settings;
};

// What this process last wrote to the store, which needs no second look.
QByteArray &lastWritten()
{
    static QByteArray bytes;
    return bytes;
}

// Only a store that Qt writes back byte for byte is understood in full. Invalid UTF-8,
// %U escapes, comments and other spellings that Qt reads but writes otherwise would be
// changed or lost by a write, so such a store is left alone.
bool understood(PrivateStore &copy, const QByteArray &original)
{
    if (!original.isEmpty() && original == lastWritten())
        return true;
    QSettings &settings = *copy.settings();
    const QStringList keys = settings.allKeys();
    if (settings.status() != QSettings::NoError)
        return false;
    if (keys.isEmpty())
        return original.isEmpty();
    // A value set to itself makes Qt write the whole file anew.
    settings.setValue(keys.constFirst(), settings.value(keys.constFirst()));
    return copy.written() == original;
}

bool failed(const char *doing, const QString &path)
{
    qCWarning(lcSettings) << "cannot" << doing << path;
    return false;
}

} // namespace

QString location()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        return {};
    // Where QSettings puts an INI file of the user's: the maker's folder, the program's name.
    return config + QLatin1Char('/') + QLatin1String(ProgramTitle) + QLatin1Char('/')
           + executableName() + QLatin1String(".ini");
}

std::optional<QString> read(const QString &key)
{
    // Reading writes nothing, so it works on a full disk as well.
    const QString path = location();
    struct stat st{};
    const QByteArray name = QFile::encodeName(path);
    if (path.isEmpty() || ::stat(name.constData(), &st) != 0) {
        if (!path.isEmpty() && errno == ENOENT)
            return QString();
        failed("read", path);
        return std::nullopt;
    }
    // Qt would wait for good on a pipe, and read a device without end.
    if (!S_ISREG(st.st_mode) || st.st_size > MaxStoreBytes) {
        failed("read", path);
        return std::nullopt;
    }
    PrivateStore view(PrivateStore::Kind::LinkTo, name);
    QSettings *settings = view.settings();
    if (!settings)
        return std::nullopt;
    const QString value = settings->value(storedKey(key)).toString();
    // Qt parses the file section by section as asked, so look after the read.
    if (settings->status() != QSettings::NoError) {
        failed("read", path);
        return std::nullopt;
    }
    return value;
}

bool write(const QString &key, const QString &value)
{
    const QString path = location();
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return failed("make the folder of", path);
    // The same lock that QSettings takes, so that a writer of either kind waits for the other.
    const QString lockPath = path + QLatin1String(".lock");
    if (!lockNameUsable(lockPath))
        return failed("use the lock", lockPath);
    QLockFile lock(lockPath);
    if (!lock.tryLock(LockWaitMs))
        return failed("take the lock", lockPath);

    const std::optional<QByteArray> contents = readStore(path);
    if (!contents)
        return failed("read", path);
    PrivateStore copy(PrivateStore::Kind::CopyOf, *contents);
    if (!copy.settings() || !understood(copy, *contents))
        return failed("understand all of", path);
    copy.settings()->setValue(storedKey(key), value);
    const std::optional<QByteArray> updated = copy.written();
    if (!updated)
        return failed("write", path);
    if (const auto error = ReplaceFile(path, *updated, QFile::ReadOwner | QFile::WriteOwner)) {
        qCWarning(lcSettings) << "cannot write" << path << *error;
        return false;
    }
    lastWritten() = *updated;
    return true;
}

} // namespace settingsstore
