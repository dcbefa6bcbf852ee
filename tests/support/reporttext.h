// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/reportruns.h"

// The text of the runs, one after the other.
inline QString plainTextOf(const QList<ReportRun> &runs)
{
    QString text;
    for (const ReportRun &run : runs)
        text += run.text;
    return text;
}
