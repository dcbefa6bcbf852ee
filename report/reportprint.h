// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

namespace report {

// Prints the whole document on the named printer as the box shows it, flowing over as
// many pages as it needs, with no dialog, header, footer or page number. Does nothing
// when the name is empty or the printer cannot be used.
void PrintDocument(const QTextDocument &document, const QString &printerName);

// The same on a printer that is set up already (paper, margins, output).
void PrintDocument(const QTextDocument &document, QPrinter &printer);

} // namespace report
