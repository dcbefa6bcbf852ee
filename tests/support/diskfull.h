// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>

#include <csignal>

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
