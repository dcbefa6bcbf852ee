// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own start-up, as main() runs it, up to the first paint of the main window.
#include "app/frmnagscreen.h"
#include "app/qtplatform.h"
#include "bench/firstpaint.h"
#include "ui/fonts.h"
#include "ui/programstyle.h"

#include <QApplication>

#include <optional>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    useProgramStyle();
    useProgramFont();
    QtPlatform world;
    setPlatform(&world);

    frmNagScreen startUp;
    startUp.Form_Load();
    // Showing only queues the first paint, so watching from here misses nothing.
    std::optional<FirstPaintExit> stop;
    if (startUp.mainWindow())
        stop.emplace(startUp.mainWindow());
    return QApplication::exec();
}
