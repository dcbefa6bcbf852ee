// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running instance per user and executable name. The lock records its owner's
// process, so a lock left by a crashed or killed instance is taken over.
class InstanceGuard
{
public:
    explicit InstanceGuard(QString lockPath = defaultLockPath());
    ~InstanceGuard();

    // True when this process now holds the guard (or already did).
    bool acquire();
    void release();
    QString lockPath() const { return m_path; }

    static QString defaultLockPath();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};
