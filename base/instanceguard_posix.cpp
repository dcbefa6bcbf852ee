// SPDX-License-Identifier: GPL-3.0-or-later
// The guard on POSIX systems: flock() on the lock file, which the kernel releases with
// the last descriptor of the process that took it.
#include "base/instanceguard.h"
#include "base/logging.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

STARFOLD_LOGGING_CATEGORY(lcGuard, "starfold.guard")

struct InstanceGuard::Lock {
    Lock(int descriptor, bool ownFile)
        : fd(descriptor)
        , isOurFile(ownFile)
    {
    }
    ~Lock() { ::close(fd); }
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

    const int fd;
    // A file we made and may remove; a folder found at the name is only borrowed.
    const bool isOurFile;
};

namespace {

enum class Outcome { Held, Busy, Unavailable };

// What stands at the lock's name decides how it is opened. A file is the lock. A folder,
// which nothing of ours makes there, serves as well, since flock() takes any file. Anything
// else (a pipe, a socket, a link) is not ours to follow or write through, and goes.
int openLock(const QByteArray &path, bool &isFolder)
{
    isFolder = false;
    struct stat st{};
    if (::lstat(path.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) {
            isFolder = true;
            return ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        }
        if (::unlink(path.constData()) != 0)
            return -1;
    }
    return ::open(path.constData(),
                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
}

// Still the file at the lock's name: a holder that ended removed the one we opened.
bool stillNamedBy(int fd, const QByteArray &path)
{
    struct stat open{};
    struct stat named{};
    return ::fstat(fd, &open) == 0 && ::lstat(path.constData(), &named) == 0
           && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

void recordOwner(int fd)
{
    const QByteArray owner = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    // Only for people and tools that look: the lock itself is what counts.
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, owner.constData(), owner.size(), 0) < 0)
        qCWarning(lcGuard) << "cannot record the owner in the lock file:" << ::strerror(errno);
}

Outcome take(const QByteArray &path, int &fd, bool &isFolder)
{
    // A few rounds cover something at the name changing, or a holder ending, as we look.
    for (int round = 0; round < 4; ++round) {
        fd = openLock(path, isFolder);
        if (fd < 0) {
            if (errno == ENOENT || errno == ELOOP || errno == EISDIR || errno == ENXIO
                || errno == ENOTDIR)
                continue;
            return Outcome::Unavailable;
        }
        struct stat st{};
        const bool usable = ::fstat(fd, &st) == 0
                            && (S_ISREG(st.st_mode) || (isFolder && S_ISDIR(st.st_mode)));
        if (!usable) {
            ::close(fd);
            continue;
        }
        // Another user's file or folder is not ours to lock: whoever holds it would keep
        // this user out for good.
        if (st.st_uid != ::geteuid()) {
            ::close(fd);
            return Outcome::Unavailable;
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

QString InstanceGuard::userTag()
{
    return QString::number(::geteuid());
}

void InstanceGuard::LockDeleter::operator()(Lock *lock) const
{
    delete lock;
}

bool InstanceGuard::acquire()
{
    if (m_lock)
        return true;
    int fd = -1;
    bool isFolder = false;
    switch (take(QFile::encodeName(m_path), fd, isFolder)) {
    case Outcome::Held:
        m_lock.reset(new Lock(fd, !isFolder));
        if (!isFolder)
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
    if (m_lock->isOurFile && stillNamedBy(m_lock->fd, path))
        ::unlink(path.constData());
    m_lock.reset();
}
