// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "profile/signprofile.h"
#include "report/rtfwriter.h"

#include <QList>
#include <QString>

// The four colours of the report, named by their role; each is an entry of the
// standard 16-colour palette.
enum class ReportColour { Black, Teal, Maroon, Purple };

rtf::Colour rgbOf(ReportColour colour);

// One piece of the report with the weight and colour it is inserted with.
struct ReportRun {
    QString text;
    bool bold = false;
    ReportColour colour = ReportColour::Black;

    bool operator==(const ReportRun &) const = default;
};

namespace report {

// The report's text size, in points; its family is the program's typeface.
inline constexpr qreal PointSize = 9.75;

// The whole profile as the report shows it: title, core facts and fifteen sections, with
// every line break of its own (65 in all) as CR LF. Needs no display.
QList<ReportRun> ComposeRuns(const SignProfile &profile);

} // namespace report
