// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmnagscreen.h"
#include "app/qtplatform.h"
#include "ui/artwork.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("starfold"));
    QApplication::setWindowIcon(artwork::programIcon());
    // The hidden start-up form holds the program's lifetime, not the last window.
    QApplication::setQuitOnLastWindowClosed(false);

    QtPlatform world;
    setPlatform(&world);

    frmNagScreen startUp;
    startUp.Form_Load();
    return QApplication::exec();
}
