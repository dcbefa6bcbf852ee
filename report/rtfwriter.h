// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A rich-text document as the RTF writer sees it: paragraphs of runs, each run with its
// weight, colour, typeface and size. Nothing here needs a display.
namespace rtf {

struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Colour &) const = default;
};

struct Run {
    QString text;
    bool bold = false;
    Colour colour;
    QString family;
    qreal pointSize = 12;

    bool operator==(const Run &) const = default;
};

struct Paragraph {
    QList<Run> runs;

    bool operator==(const Paragraph &) const = default;
};

struct Document {
    QList<Paragraph> paragraphs;
};

// The document as RTF 1.x: a font table of the families used, a colour table of the
// colours used, and one \par between each paragraph and the next, none after the last.
// Every character outside printable ASCII is escaped,
// Windows-1252 ones as \'hh, the rest as \uN with the fallback \'3f (UTF-16, so a
// character beyond the BMP takes two; half a surrogate pair becomes U+FFFD), as is a space
// that follows a space; a line break inside a paragraph becomes \line.
QByteArray Write(const Document &document);

} // namespace rtf
