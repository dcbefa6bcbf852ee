// SPDX-License-Identifier: GPL-3.0-or-later
// The store as an INI file in the user's configuration folder. Qt parses the file that is
// opened here without waiting on anything; the program writes it itself, through the one
// write path, because QSettings saves through a QSaveFile that reports a cut file as saved.
// Comments and the layout of a hand-edited store do not survive a write; every key and
// value does.
#include "base/settingsstore.h"

#include "base/identity.h"
#include "base/logging.h"
#include "base/platform.h"
#include "base/replacefile.h"

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMap>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

STARFOLD_LOGGING_CATEGORY(lcSettings, "starfold.settings")

namespace settingsstore {
namespace {

// How long a write waits for another writer, who holds the lock for milliseconds.
constexpr int LockWaitMs = 300;
// A lock older than this was left by a writer that died before it could say who it was.
constexpr int LockStaleMs = 3000;
// Far more than the program ever stores: anything larger is not its store.
constexpr qint64 MaxStoreBytes = 1024 * 1024;

// Every key of the store as Qt reads it ("group/key"), with its value.
using Values = QMap<QString, QVariant>;

QString storedKey(const QString &key)
{
    return QLatin1String("Settings/") + key;
}

bool failed(const char *doing, const QString &path)
{
    qCWarning(lcSettings) << "cannot" << doing << path;
    return false;
}

// Without a home Qt falls back to the root of the file system ("//.config"), which is
// nobody's configuration folder.
QString configFolder()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty() || QDir::isRelativePath(config) || QDir::cleanPath(config) == u"/")
        return {};
    if (!QDir::isAbsolutePath(qEnvironmentVariable("XDG_CONFIG_HOME"))) {
        const QString home = qEnvironmentVariable("HOME");
        if (!QDir::isAbsolutePath(home) || QDir::cleanPath(home) == u"/")
            return {};
    }
    return QDir::cleanPath(config);
}

// A copy of the descriptor under a number that no reading used lately: Qt's cache of parsed
// files, which keeps a few at most, has forgotten that name.
int freshAlias(int fd)
{
    static unsigned generation = 0;
    rlimit limit{};
    const rlim_t most = ::getrlimit(RLIMIT_NOFILE, &limit) == 0 ? limit.rlim_cur : 64;
    const int top = int(std::clamp<rlim_t>(most, 8, 1024));
    return ::fcntl(fd, F_DUPFD_CLOEXEC, top / 2 + int(generation++ % unsigned(top / 2)));
}

// Whether Qt finds a key again by the name it lists it under: it lists "a//b", "/k" or "a/"
// as they stand but looks them up with the slashes tidied, so their values could not be kept.
bool foundByName(const QSettings &settings, const QString &key)
{
    return !key.isEmpty() && !key.startsWith(u'/') && !key.endsWith(u'/')
           && !key.contains(QLatin1String("//")) && settings.contains(key);
}

// Every key and value of the store as Qt reads it: none while there is no store; nothing
// when its name holds anything but the user's own regular file (a link, a folder, a pipe,
// another user's file) or more than a store holds, when Qt finds it malformed, or when Qt
// lists a key it cannot look up. The store is opened here, without following a link or
// waiting on a pipe, and Qt reads that very file through /proc; where /proc does not name
// it (a sandbox or chroot without /proc), Qt would find no file and read no keys, so that
// reading fails. Qt keeps what it parsed of a file (and whether it was malformed) by name
// while its size and time look unchanged, so each reading uses a name that has not come up
// lately.
std::optional<Values> readStore(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? std::optional(Values()) : std::nullopt;
    struct stat st{};
    const bool own = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()
                     && st.st_size <= MaxStoreBytes;
    const int alias = own ? freshAlias(fd) : -1;
    const QString name = QStringLiteral("/proc/self/fd/%1").arg(alias);
    struct stat seen{};
    std::optional<Values> values;
    if (alias >= 0 && ::stat(QFile::encodeName(name).constData(), &seen) == 0
        && seen.st_ino == st.st_ino && seen.st_dev == st.st_dev) {
        QSettings settings(name, QSettings::IniFormat);
        const QStringList keys = settings.allKeys();
        if (settings.status() == QSettings::NoError
            && std::all_of(keys.begin(), keys.end(),
                           [&settings](const QString &k) { return foundByName(settings, k); })) {
            values.emplace();
            for (const QString &key : keys)
                values->insert(key, settings.value(key));
        }
    }
    if (alias >= 0)
        ::close(alias);
    ::close(fd);
    return values;
}

// Section and key names as Qt spells them in an INI file.
QByteArray escapedName(const QString &name)
{
    QByteArray out;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u == u'/')
            out += '\\';
        else if (u < 0x80 && (c.isLetterOrNumber() || u == u'_' || u == u'-' || u == u'.'))
            out += char(u);
        else if (u <= 0xFF)
            out += '%' + QByteArray::number(u, 16).rightJustified(2, '0').toUpper();
        else
            out += "%U" + QByteArray::number(u, 16).rightJustified(4, '0').toUpper();
    }
    return out;
}

// One value as Qt reads it back: plain text, "@@" for text that starts with "@", and Qt's
// own forms for bytes and for every other type.
QString asText(const QVariant &value)
{
    const auto streamed = [&value](const char *form, QDataStream::Version version) {
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(version);
        stream << value;
        return QLatin1String(form) + QString::fromLatin1(bytes) + QLatin1Char(')');
    };
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QString: {
        const QString text = value.toString();
        return text.startsWith(u'@') ? u'@' + text : text;
    }
    case QMetaType::QByteArray:
        return QLatin1String("@ByteArray(") + QString::fromLatin1(value.toByteArray()) + u')';
    case QMetaType::QDateTime:
        return streamed("@DateTime(", QDataStream::Qt_5_6);
    default:
        return streamed("@Variant(", QDataStream::Qt_4_0);
    }
}

// Quoted, with everything outside printable ASCII as \x escapes, so every UTF-16 unit
// (half a surrogate pair too) comes back as it was. A hex digit right after an escape
// would be read as part of it, so it is escaped as well.
void appendQuoted(QByteArray &out, const QString &text)
{
    out += '"';
    bool afterEscape = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool hexDigit = (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f')
                              || (u >= u'A' && u <= u'F');
        if (u < 0x20 || u >= 0x7F || (afterEscape && hexDigit)) {
            out += "\\x" + QByteArray::number(u, 16);
            afterEscape = true;
            continue;
        }
        if (u == u'"' || u == u'\\')
            out += '\\';
        out += char(u);
        afterEscape = false;
    }
    out += '"';
}

void appendValue(QByteArray &out, const QVariant &value)
{
    const int type = value.typeId();
    if (type != QMetaType::QStringList && type != QMetaType::QVariantList) {
        appendQuoted(out, asText(value));
        return;
    }
    const QVariantList items = value.toList();
    if (items.isEmpty())
        out += "@Invalid()";
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ", ";
        appendQuoted(out, asText(items[i]));
    }
}

// The store's text: top-level keys under [General], each group under its first part.
QByteArray serialise(const Values &values)
{
    QMap<QString, QList<std::pair<QString, QVariant>>> sections;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        sections[slash < 0 ? QString() : it.key().first(slash)].append(
            {slash < 0 ? it.key() : it.key().sliced(slash + 1), it.value()});
    }
    QByteArray out;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        if (!out.isEmpty())
            out += '\n';
        if (it.key().isEmpty())
            out += "[General]\n";
        else if (it.key().compare(u"general", Qt::CaseInsensitive) == 0)
            out += "[%" + escapedName(it.key()) + "]\n";
        else
            out += '[' + escapedName(it.key()) + "]\n";
        for (const auto &[key, value] : it.value()) {
            out += escapedName(key) + '=';
            appendValue(out, value);
            out += '\n';
        }
    }
    return out;
}

// QLockFile judges what stands at its name by reading it: a pipe there would never answer,
// a link would be followed. Those go. A folder, which may hold someone's files, fails this
// write, and goes if it is empty, so that the next write finds the name free.
bool lockNameClear(const QString &lockPath)
{
    const QByteArray name = QFile::encodeName(lockPath);
    struct stat st{};
    if (::lstat(name.constData(), &st) != 0)
        return errno == ENOENT;
    if (S_ISREG(st.st_mode))
        return true;
    if (S_ISDIR(st.st_mode)) {
        ::rmdir(name.constData());
        return false;
    }
    return ::unlink(name.constData()) == 0;
}

// The lock taken for a write, judged stale once its writer is gone.
class StoreLock
{
public:
    explicit StoreLock(const QString &storePath)
        : m_lock(storePath + QLatin1String(".lock"))
    {
        m_lock.setStaleLockTime(LockStaleMs);
    }
    bool take(int waitMs) { return m_lock.tryLock(waitMs); }

private:
    QLockFile m_lock;
};

// What a write that a crash or a kill cut short left behind goes at the first look: its
// temporary file, and its lock, which taking and releasing clears.
void tidyOnce(const QString &path)
{
    static bool tidied = false;
    if (std::exchange(tidied, true))
        return;
    RemoveLeftoverTemporaries(QFileInfo(path).path());
    const QString lockPath = path + QLatin1String(".lock");
    struct stat st{};
    if (::lstat(QFile::encodeName(lockPath).constData(), &st) == 0 && lockNameClear(lockPath))
        StoreLock(path).take(0);
}

} // namespace

QString location()
{
    const QString config = configFolder();
    if (config.isEmpty())
        return {};
    // Where QSettings puts an INI file of the user's: the maker's folder, the program's name.
    return config + QLatin1Char('/') + QLatin1String(ProgramTitle) + QLatin1Char('/')
           + executableName() + QLatin1String(".ini");
}

std::optional<QString> read(const QString &key)
{
    const QString path = location();
    if (path.isEmpty()) {
        failed("find a place for", path);
        return std::nullopt;
    }
    tidyOnce(path);
    const std::optional<Values> values = readStore(path);
    if (!values) {
        failed("read", path);
        return std::nullopt;
    }
    return values->value(storedKey(key)).toString();
}

bool write(const QString &key, const QString &value)
{
    const QString path = location();
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).path()))
        return failed("make the folder of", path);
    tidyOnce(path);
    // The lock that QSettings takes, so that a writer of either kind waits for the other.
    const QString lockPath = path + QLatin1String(".lock");
    if (!lockNameClear(lockPath))
        return failed("use the lock", lockPath);
    StoreLock lock(path);
    if (!lock.take(LockWaitMs))
        return failed("take the lock", lockPath);

    std::optional<Values> values = readStore(path);
    if (!values)
        return failed("read", path);
    values->insert(storedKey(key), value);
    const QByteArray text = serialise(*values);
    // What every later read would refuse is never written.
    if (text.size() > MaxStoreBytes)
        return failed("keep within a store's size", path);
    if (const auto error = ReplaceFile(path, text, QFile::ReadOwner | QFile::WriteOwner)) {
        qCWarning(lcSettings) << "cannot write" << path << *error;
        return false;
    }
    return true;
}

} // namespace settingsstore
