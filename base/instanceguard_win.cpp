// SPDX-License-Identifier: GPL-3.0-or-later
// The guard on Windows: a named mutex in the user's session, which exists only while some
// process holds a handle to it and goes with the last one, however that process ends. No
// file is made, so nothing left at the lock's name can keep a start out; the name only
// tells instances of the same executable and user apart.
#include "base/instanceguard.h"
#include "base/logging.h"

#include <QCryptographicHash>
#include <QDir>

#include <windows.h>

STARFOLD_LOGGING_CATEGORY(lcGuard, "starfold.guard")

struct InstanceGuard::Lock {
    explicit Lock(HANDLE mutex)
        : handle(mutex)
    {
    }
    ~Lock() { CloseHandle(handle); }
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

    const HANDLE handle;
};

namespace {

// Windows' file names ignore case, and a kernel object's name may hold no backslash.
QString mutexName(const QString &lockPath)
{
    const QByteArray digest = QCryptographicHash::hash(lockPath.toLower().toUtf8(),
                                                       QCryptographicHash::Sha256);
    return QLatin1String("Local\\starfold-instance-") + QLatin1String(digest.toHex());
}

} // namespace

QString InstanceGuard::userTag()
{
    // The user's own profile folder, which Qt's temporary and home folders follow.
    return QString::number(qHash(QDir::homePath()), 16);
}

void InstanceGuard::LockDeleter::operator()(Lock *lock) const
{
    delete lock;
}

bool InstanceGuard::acquire()
{
    if (m_lock)
        return true;
    const QString name = mutexName(m_path);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t *>(name.utf16()));
    const DWORD error = GetLastError();
    if (!mutex) {
        // Another kind of object of that name, or no right to it: run rather than refuse.
        qCWarning(lcGuard) << "no single-instance mutex" << name << "- running without one:"
                           << error;
        return true;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    m_lock.reset(new Lock(mutex));
    return true;
}

void InstanceGuard::release()
{
    m_lock.reset();
}
