// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/printresult.h"

#include <QtGlobal>

class QPrinter;
class QTextDocument;

// The print module's side of printing (built as a shared library of its own, which the
// program loads through printmodule.h). Whatever includes this header links the module
// and Qt's print support itself.
namespace report {

// The whole document on a printer that is set up already (paper, margins, output), as
// the box shows it, flowing over as many pages as it needs. Gives the memory the print
// took back to the system before it returns. The module exports it along with its entry
// points.
#ifdef STARFOLD_BUILDING_PRINT_MODULE
Q_DECL_EXPORT
#endif
PrintResult PrintDocument(const QTextDocument &document, QPrinter &printer);

} // namespace report
