// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmnagscreen.h"
#include "app/qtplatform.h"
#include "ui/programstyle.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("starfold"));
    // The hidden start-up form holds the program's lifetime, not the last window.
    QApplication::setQuitOnLastWindowClosed(false);
    useProgramStyle();

    QtPlatform world;
    setPlatform(&world);

    frmNagScreen startUp;
    startUp.Form_Load();
    return QApplication::exec();
}
