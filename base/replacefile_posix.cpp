// SPDX-License-Identifier: GPL-3.0-or-later
// The write path on POSIX systems, in plain system calls: QSaveFile::commit() in Qt 6.4
// ignores what fdatasync() and close() report and renames the file in regardless, while a
// network file system refuses a write only there.
#include "base/replacefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString failure(const char *step, int error)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(step), qt_error_string(error));
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev;
}

// A temporary file of a fresh name, made here and locked. A clean-up that opened it before the
// lock took it for a leftover and holds or has removed it: then another name is tried.
int createTemporary(const QString &file, mode_t mode, QByteArray &name)
{
    constexpr int Flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY;
    for (int attempt = 0; attempt < 8; ++attempt) {
        name = QFile::encodeName(replacefile::temporaryPathFor(file));
        const int fd = ::open(name.constData(), Flags, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return fd;
        struct stat mine{};
        struct stat named{};
        // A file system without locks writes unlocked; its clean-up cannot lock either.
        if ((::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK)
            && ::fstat(fd, &mine) == 0 && ::lstat(name.constData(), &named) == 0
            && sameFile(mine, named))
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

std::optional<QString> writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return failure("cannot write the file", written < 0 ? errno : EIO);
        data += written;
        left -= written;
    }
    return std::nullopt;
}

// Everything that must hold before the rename: the bytes, on the disk, in a closed file.
std::optional<QString> fill(int fd, const QByteArray &bytes, const struct stat *old)
{
    // A replaced file keeps its permissions; its owner is not ours to give.
    if (old && ::fchmod(fd, old->st_mode & 07777) != 0) {
        const int error = errno;
        ::close(fd);
        return failure("cannot keep the file's permissions", error);
    }
    std::optional<QString> reason = writeAll(fd, bytes);
    // A file system that cannot sync (EINVAL) has nothing more to flush.
    if (!reason && ::fdatasync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
        reason = failure("cannot flush the file to the disk", errno);
    if (::close(fd) != 0 && !reason)
        reason = failure("cannot close the file", errno);
    return reason;
}

// Makes the rename itself last. A folder that cannot be opened or synced here (EINVAL, EROFS,
// ENOTSUP) has nothing to flush; any other failure may lose the new name in a crash.
std::optional<QString> syncFolder(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<QString> reason;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        reason = failure("cannot flush the folder to the disk", errno);
    ::close(fd);
    return reason;
}

mode_t modeOf(QFileDevice::Permissions permissions)
{
    mode_t mode = 0;
    const std::pair<QFileDevice::Permission, mode_t> bits[] = {
        {QFileDevice::ReadOwner, S_IRUSR},  {QFileDevice::WriteOwner, S_IWUSR},
        {QFileDevice::ExeOwner, S_IXUSR},   {QFileDevice::ReadGroup, S_IRGRP},
        {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
        {QFileDevice::ReadOther, S_IROTH},  {QFileDevice::WriteOther, S_IWOTH},
        {QFileDevice::ExeOther, S_IXOTH}};
    for (const auto &[permission, bit] : bits) {
        if (permissions & permission)
            mode |= bit;
    }
    return mode;
}

} // namespace

namespace replacefile {

qsizetype longestName(const QString &folder)
{
    const long most = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return most > 0 ? most : NAME_MAX;
}

qsizetype nameLength(const QString &name)
{
    return QFile::encodeName(name).size();
}

// A writer holds its temporary locked until the rename: the lock, unlike a process id, means
// the same in every process namespace and, through the file system, on every machine.
void removeIfAbandoned(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd =
        ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return;
    struct stat held{};
    struct stat named{};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == ::geteuid()
        && ::flock(fd, LOCK_SH | LOCK_NB) == 0 && ::lstat(name.constData(), &named) == 0
        && sameFile(held, named))
        ::unlink(name.constData());
    ::close(fd);
}

} // namespace replacefile

std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   QFileDevice::Permissions newFilePermissions)
{
    const QString file = replacefile::finalPath(path);
    const QString folder = QFileInfo(file).path();
    const QByteArray target = QFile::encodeName(file);
    struct stat old{};
    const bool replacing = ::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode);
    const mode_t mode = newFilePermissions ? modeOf(newFilePermissions) : 0666;
    RemoveLeftoverTemporaries(folder);

    QByteArray temporary;
    const int fd = createTemporary(file, mode, temporary);
    if (fd < 0)
        return failure("cannot create a file in the folder", errno);
    // The lock stays on until the rename, though the file is closed before it.
    const int lock = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    std::optional<QString> reason = fill(fd, bytes, replacing ? &old : nullptr);
    if (!reason && ::rename(temporary.constData(), target.constData()) != 0)
        reason = failure("cannot replace the file", errno);
    if (reason)
        ::unlink(temporary.constData());
    if (lock >= 0)
        ::close(lock);
    return reason ? reason : syncFolder(folder);
}
