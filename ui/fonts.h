// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStringList>

// The program's typeface: Verdana where the machine has it, else its closest free
// relative, DejaVu Sans (drawn from the same humanist design, with similar widths).
// The font names the family that is drawn, so windows ask the matcher once.
struct FontOptions {
    qreal pointSize = 8.25;
    bool bold = false;
    bool underline = false;
    QString family = QStringLiteral("Verdana");
};
QFont programFont(const FontOptions &options = {});

// Makes the program's font the application's, before any window is made; the windows the
// program does not make itself (menus, tooltips, message boxes, the save dialog) keep the
// font the platform gives them.
void useProgramFont();

// The same typeface for a document that is saved: it names Verdana first, whatever draws
// it here, so the file asks for Verdana on the machine that opens it.
QFont documentFont(qreal pointSize);

// The family a saved file names for text in this font: the program's typeface by its own
// name, Verdana, also where its stand-in draws it; any other font by its first family.
QString savedFamily(const QFont &font);
