// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/reportruns.h"
#include "report/rtfwriter.h"

#include <QColor>
#include <QList>

class QTextCursor;
class QTextDocument;

namespace report {

QColor ColorOf(ReportColour colour);

// Inserts the runs at the cursor as the report box takes them: weight and colour set
// before each piece of text, CR LF turned into a paragraph end; family and size are
// left to the document's default font.
void InsertRuns(QTextCursor &cursor, const QList<ReportRun> &runs);

// The document as the RTF writer sees it: what it shows, one paragraph per text block,
// with each character's weight, colour, family and size resolved against the
// document's default font.
rtf::Document RtfModel(const QTextDocument &document);

} // namespace report
