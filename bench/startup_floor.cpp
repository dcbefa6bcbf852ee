// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's floor for a window that shows words: a main window of the program's size
// with one line of text, measured as the program is: from exec until its window is
// mapped, painted and idle. The text is what makes the toolkit load
// its font database (fontconfig's configuration, the font list), which any window with
// words pays for, so it is the fair measure for the program's start-up.
#include "base/identity.h"
#include "ui/twips.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QLatin1String(WindowCaption));
    // The main window's client area and about the height of its menu bar.
    window.setFixedSize(pixelsFromTwips(8565), pixelsFromTwips(6795) + 22);
    window.setCentralWidget(new QLabel(QStringLiteral("Planets Associated")));
    window.show();
    return QApplication::exec();
}
