// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

// Ends the process as soon as the watched window has painted for the first time, and
// reports the process's peak resident memory and the processor time it has used, so
// start-up can be measured as a whole and without the teardown that would follow.
class FirstPaintExit : public QObject
{
public:
    explicit FirstPaintExit(QWidget *window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // Queued behind the paint, so it runs once the frame is on screen.
            QTimer::singleShot(0, [] { finish(); });
        }
        return false;
    }

private:
    static void finish()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n'))
                if (qEnvironmentVariableIsSet("STARFOLD_RSS_PARTS") && line.startsWith("Rss"))
                    std::fprintf(stderr, "%s\n", line.constData());
                else if (line.startsWith("VmHWM:"))
                    std::fprintf(stderr, "peak_kb=%lld\n",
                                 line.mid(6).trimmed().split(' ').first().toLongLong());
        }
        rusage used = {};
        if (getrusage(RUSAGE_SELF, &used) == 0) {
            const auto us = [](const timeval &t) { return t.tv_sec * 1000000LL + t.tv_usec; };
            std::fprintf(stderr, "cpu_us=%lld\n", us(used.ru_utime) + us(used.ru_stime));
        }
        std::fflush(nullptr);
        std::_Exit(0);
    }

    bool m_painted = false;
};
