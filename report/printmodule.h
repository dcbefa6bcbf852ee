// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/printresult.h"

#include <QString>

class QTextDocument;

// The program's side of printing. Printing is rare, so Qt's print support is not loaded
// with the program: it lives in the print module (reportprint.h, built as a shared library
// of its own), which the first of the calls below that needs it loads.
namespace report {

// Prints the whole document on the named printer as the box shows it, flowing over as
// many pages as it needs, with no dialog, header, footer or page number. Does nothing
// when the name is empty, the printer cannot be used or the print module is missing.
PrintResult PrintDocument(const QTextDocument &document, const QString &printerName);

// The desktop's default printer; empty when there is none or the print module is missing.
QString DefaultPrinterName();

} // namespace report
