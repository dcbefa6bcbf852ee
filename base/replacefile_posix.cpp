// SPDX-License-Identifier: GPL-3.0-or-later
// The write path on POSIX systems, in plain system calls: QSaveFile::commit() ignores what
// fdatasync() and close() report (QTBUG-75077 for its buffered tail), and a network file
// system refuses a write only there.
#include "base/replacefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace replacefile {

qint64 currentProcess()
{
    return ::getpid();
}

bool processAlive(qint64 processId)
{
    // EPERM: alive, but another user's.
    return processId > 0 && (::kill(pid_t(processId), 0) == 0 || errno == EPERM);
}

bool ownLeftover(const QString &path)
{
    struct stat st{};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode)
           && st.st_uid == ::geteuid();
}

} // namespace replacefile

namespace {

QString failure(const char *step, int error)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(step), qt_error_string(error));
}

// The temporary file, opened anew; a file of that name is a leftover of an ended process
// that had our process id, since this one leaves none.
int createTemporary(const QByteArray &name, mode_t mode)
{
    constexpr int Flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY;
    int fd = ::open(name.constData(), Flags, mode);
    if (fd < 0 && errno == EEXIST && ::unlink(name.constData()) == 0)
        fd = ::open(name.constData(), Flags, mode);
    return fd;
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

// Makes the rename itself last; a folder that cannot be synced takes nothing from the file.
void syncFolder(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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

std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   QFileDevice::Permissions newFilePermissions)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary =
        QFile::encodeName(replacefile::temporaryPathFor(path, replacefile::currentProcess()));
    struct stat old{};
    const bool replacing = ::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode);
    const mode_t mode = newFilePermissions ? modeOf(newFilePermissions) : 0666;
    RemoveLeftoverTemporaries(QFileInfo(path).absolutePath());

    const int fd = createTemporary(temporary, mode);
    if (fd < 0)
        return failure("cannot create a file in the folder", errno);
    std::optional<QString> reason = fill(fd, bytes, replacing ? &old : nullptr);
    if (!reason && ::rename(temporary.constData(), target.constData()) != 0)
        reason = failure("cannot replace the file", errno);
    if (reason) {
        ::unlink(temporary.constData());
        return reason;
    }
    syncFolder(QFileInfo(path).absolutePath());
    return std::nullopt;
}
