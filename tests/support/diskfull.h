// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
// Windows has no limit on the size of a process's files to stand in for a full disk.
struct DiskFull {
    explicit DiskFull(qint64 = 4) {}
    bool isFull() const { return false; }
};
#define STARFOLD_NEEDS_FULL_DISK() QSKIP("no file-size limit on Windows to fill the disk with")
#else
#include <sys/resource.h>

#include <csignal>

#define STARFOLD_NEEDS_FULL_DISK()

// While it lives, no file can grow past the given size, as on a full disk. A file-size limit
// binds root as well, where a read-only folder would not.
class DiskFull
{
public:
    explicit DiskFull(rlim_t bytes = 4)
        : m_previousHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        m_limited = ::getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        rlimit tiny = m_saved;
        tiny.rlim_cur = bytes;
        m_limited = m_limited && ::setrlimit(RLIMIT_FSIZE, &tiny) == 0;
    }
    ~DiskFull()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    DiskFull(const DiskFull &) = delete;
    DiskFull &operator=(const DiskFull &) = delete;

    // False when the limit could not be set, so the test cannot show anything.
    bool isFull() const { return m_limited; }

private:
    void (*m_previousHandler)(int);
    rlimit m_saved{};
    bool m_limited = false;
};
#endif
