// SPDX-License-Identifier: GPL-3.0-or-later
// The guard on POSIX systems: flock() on the lock file, which the kernel releases with
// the last descriptor of the process that took it.
#include "app/instanceguard.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// Silent unless a developer asks for it (QT_LOGGING_RULES="starfold.*=true").
Q_LOGGING_CATEGORY(lcGuard, "starfold.guard", QtCriticalMsg)

struct InstanceGuard::Lock {
    explicit Lock(int descriptor)
        : fd(descriptor)
    {
    }
    ~Lock() { ::close(fd); }
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

    const int fd;
};

namespace {

enum class Outcome { Held, Busy, Unavailable };

bool isRegularFile(const struct stat &st)
{
    return S_ISREG(st.st_mode);
}

// Whatever else stands at the lock's name (a folder, a pipe, a link) is not ours to
// follow or write through: move it out of the way if that can be done without losing
// anything, so that the name works again.
bool clearObstacle(const QByteArray &path)
{
    struct stat st{};
    if (::lstat(path.constData(), &st) != 0)
        return errno == ENOENT;
    if (isRegularFile(st))
        return true;
    // A folder goes only while it is empty.
    return S_ISDIR(st.st_mode) ? ::rmdir(path.constData()) == 0 : ::unlink(path.constData()) == 0;
}

// Still the file at the lock's name: a holder that ended removed the one we opened.
bool stillNamedBy(int fd, const QByteArray &path)
{
    struct stat open{};
    struct stat named{};
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0
           && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

void recordOwner(int fd)
{
    const QByteArray owner = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    // Only for people and tools that look: the lock itself is what counts.
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, owner.constData(), owner.size(), 0) < 0)
        qCWarning(lcGuard) << "cannot record the owner in the lock file:" << ::strerror(errno);
}

Outcome take(const QByteArray &path, int &fd)
{
    // A few rounds cover an obstacle cleared, or a holder ending, while we look.
    for (int round = 0; round < 4; ++round) {
        if (!clearObstacle(path))
            return Outcome::Unavailable;
        fd = ::open(path.constData(),
                    O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
        if (fd < 0) {
            if (errno == ELOOP || errno == EISDIR || errno == ENXIO)
                continue;
            return Outcome::Unavailable;
        }
        struct stat st{};
        if (::fstat(fd, &st) != 0 || !isRegularFile(st)) {
            ::close(fd);
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Outcome::Busy : Outcome::Unavailable;
        }
        if (stillNamedBy(fd, path))
            return Outcome::Held;
        ::close(fd);
    }
    return Outcome::Unavailable;
}

} // namespace

void InstanceGuard::LockDeleter::operator()(Lock *lock) const
{
    delete lock;
}

bool InstanceGuard::acquire()
{
    if (m_lock)
        return true;
    int fd = -1;
    switch (take(QFile::encodeName(m_path), fd)) {
    case Outcome::Held:
        m_lock.reset(new Lock(fd));
        recordOwner(fd);
        return true;
    case Outcome::Busy:
        return false;
    case Outcome::Unavailable:
        qCWarning(lcGuard) << "no single-instance lock at" << m_path << "- running without one";
        return true;
    }
    return true;
}

void InstanceGuard::release()
{
    if (!m_lock)
        return;
    // Removed while still locked, so that nobody takes a file that is about to go.
    const QByteArray path = QFile::encodeName(m_path);
    if (stillNamedBy(m_lock->fd, path))
        ::unlink(path.constData());
    m_lock.reset();
}
