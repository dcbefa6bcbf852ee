// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmnagscreen.h"
#include "app/qtplatform.h"
#include "app/startupmemory.h"
#include "base/commandline.h"
#include "base/identity.h"
#include "ui/fonts.h"
#include "ui/programstyle.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Answered before QApplication exists: it would abort where there is no display.
    if (const auto answer = CommandLineAnswer(argc, argv)) {
        std::FILE *out = answer->status == 0 ? stdout : stderr;
        std::fputs(answer->text.c_str(), out);
        return std::fflush(out) == 0 ? answer->status : 1;
    }

    // Before QApplication starts the toolkit's threads.
    shareOneHeapAcrossThreads();

    // No display name of its own: Qt would append it to every title bar, and the captions are
    // fixed. It falls back to the application name.
    QApplication::setApplicationName(QLatin1String(ProgramTitle));
    QApplication::setApplicationVersion(QLatin1String(STARFOLD_VERSION));
    QApplication::setOrganizationName(QLatin1String(MakerName));
    QGuiApplication::setDesktopFileName(QLatin1String(ApplicationId));
    QApplication app(argc, argv);
    // The hidden start-up form holds the program's lifetime, not the last window.
    QApplication::setQuitOnLastWindowClosed(false);
    useProgramStyle();
    useProgramFont();

    QtPlatform world;
    setPlatform(&world);

    frmNagScreen startUp;
    startUp.Form_Load();
    // Message boxes and every window without an icon of its own show the first image of the
    // start-up form's image list, the program's icon. Set once the main window stands with
    // its own: a window made while the application has an icon hands X every size of it
    // twice, its own and the application's. The boxes start-up may show come before and
    // carry the icon themselves.
    QApplication::setWindowIcon(startUp.IMGIcon().constFirst());
    return QApplication::exec();
}
