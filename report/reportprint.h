// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

// Printing is rare, so Qt's print support is not loaded with the program: it lives in the
// print module (reportprint.cpp, built as a shared library of its own), which the first
// of the calls below that needs it loads (printmodule.cpp).
namespace report {

// What became of a print.
enum class PrintResult {
    Printed,
    NotPrinted, // no printer, or it failed: nothing to tell the user
    TooLong,    // longer than one print can lay out; nothing printed
};

// Prints the whole document on the named printer as the box shows it, flowing over as
// many pages as it needs, with no dialog, header, footer or page number. Does nothing
// when the name is empty, the printer cannot be used or the print module is missing.
PrintResult PrintDocument(const QTextDocument &document, const QString &printerName);

// The desktop's default printer; empty when there is none or the print module is missing.
QString DefaultPrinterName();

// Inside the print module: the same on a printer that is set up already (paper, margins,
// output). Whatever calls it links the module and Qt's print support itself. Returns the
// memory the print took to the system before it returns.
PrintResult PrintDocument(const QTextDocument &document, QPrinter &printer);

} // namespace report

// The print module's entry points, found by name when it is loaded.
extern "C" {
// Returns a PrintResult.
using StarfoldPrintOn = int (*)(const QTextDocument *document, const QString *printerName);
using StarfoldDefaultPrinter = void (*)(QString *name);
}
