// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHash>

namespace {

const QString StandIn = QStringLiteral("DejaVu Sans");

// The family that draws a wanted one here, settled once per family. A font that names a
// family the machine lacks sends every new size and weight through the matcher's search
// and the system's fallback list before the stand-in is found; naming it skips all that.
QString drawnFamily(const QString &wanted)
{
    static QHash<QString, QString> drawn;
    auto known = drawn.constFind(wanted);
    if (known == drawn.cend()) {
        const QStringList installed = QFontDatabase::families();
        const bool standInOnly = !installed.contains(wanted, Qt::CaseInsensitive)
                                 && installed.contains(StandIn, Qt::CaseInsensitive);
        known = drawn.insert(wanted, standInOnly ? StandIn : wanted);
    }
    return *known;
}

QFont fontOf(const QStringList &families, qreal pointSize, bool bold, bool underline)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

} // namespace

QFont programFont(const FontOptions &options)
{
    const QString &family = options.family;
    const QString drawn = drawnFamily(family);
    return fontOf(drawn == family ? QStringList{family, StandIn, QStringLiteral("Sans Serif")}
                                  : QStringList{drawn},
                  options.pointSize, options.bold, options.underline);
}

void useProgramFont()
{
    // Every window of the program names its font, but a line edit first lays its text out
    // in the application's font before it is given its own, which loaded the platform's
    // font for nothing at start-up. Setting the application's font clears the fonts of
    // single kinds of window, so theirs are kept and set again.
    const char *const kept[] = {"QMenu", "QTipLabel", "QMessageBox", "QFileDialog"};
    QList<QFont> platform;
    for (const char *kind : kept)
        platform.append(QApplication::font(kind));
    QApplication::setFont(programFont());
    for (qsizetype i = 0; i < platform.size(); ++i)
        QApplication::setFont(platform.at(i), kept[i]);
}

QFont documentFont(qreal pointSize)
{
    return fontOf({QStringLiteral("Verdana"), StandIn, QStringLiteral("Sans Serif")}, pointSize,
                  false, false);
}

QString savedFamily(const QFont &font)
{
    // Asked when a document is saved, which must not wait for the font list to be read.
    const QStringList families = font.families();
    const QString first = families.isEmpty() ? font.family() : families.constFirst();
    return first == StandIn ? QStringLiteral("Verdana") : first;
}
