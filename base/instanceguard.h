// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

// One running instance per user and executable name. The guard is a lock that the system
// holds for the life of the process and drops when the process dies, however it dies (a
// lock on an open file, on Windows a named mutex); so no file, folder or content left at
// the lock's name can keep a start out, and only a live instance refuses a second.
class InstanceGuard
{
public:
    explicit InstanceGuard(QString lockPath = defaultLockPath());
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard &) = delete;
    InstanceGuard &operator=(const InstanceGuard &) = delete;

    // False only while another live instance holds the guard. Where no lock can be had at
    // all (the folder cannot be written, say), the program runs unguarded rather than
    // refusing the user: true, without holding it.
    bool acquire();
    // True when this process holds the guard; the lock file then names its process.
    bool held() const { return m_lock != nullptr; }
    void release();
    QString lockPath() const { return m_path; }

    static QString defaultLockPath();

private:
    // Names the user in the shared temporary folder; from the platform's file.
    static QString userTag();

    // The platform's hold on the lock, defined with the code that takes it.
    struct Lock;
    struct LockDeleter {
        void operator()(Lock *lock) const;
    };

    QString m_path;
    std::unique_ptr<Lock, LockDeleter> m_lock;
};
