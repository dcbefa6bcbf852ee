// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's floor: one empty main window of the program's size, up to its first paint.
// With --text it also shows one line of text, which is what any window with words pays
// for loading the font database.
#include "ui/fonts.h"
#include "base/platform.h"
#include "base/identity.h"
#include "bench/firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QLatin1String(WindowCaption));
    // The main window's client area and about the height of its menu bar.
    window.setFixedSize(twips(8565), twips(6795) + 22);
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        window.setCentralWidget(new QLabel(QStringLiteral("Planets Associated")));
    FirstPaintExit stop(&window);
    window.show();
    return QApplication::exec();
}
