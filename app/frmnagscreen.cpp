// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmnagscreen.h"

#include "base/forms.h"
#include "base/platform.h"
#include "base/random.h"
#include "ui/artwork.h"
#include "web/cobrand.h"
#include "web/updatereminder.h"

#include <QCoreApplication>

frmNagScreen::frmNagScreen(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("frmNagScreen"));
    m_imgIcon << artwork::programIcon();
}

frmNagScreen::~frmNagScreen() = default;

void frmNagScreen::Form_Load()
{
    loadedForms().loaded(this, objectName(), [this] { Form_Unload(); });

    // Only one instance per user: refuse before any window or setting is touched.
    if (platform().previousInstanceRunning()) {
        platform().showMessage(QStringLiteral("Application is already running"),
                               Platform::Icon::Information);
        EndApplication();
        return;
    }

    // Whatever stops the event loop (the desktop session ending, say) still ends the
    // program the one way, with every form unloaded once.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [] { EndApplication(); });

    Randomize();
    modHelp::ShowUpdateReminder();

    m_main = new frmMain;
    m_main->show();

    // This form is never shown, so there is nothing to hide.
    CoBrand_Randomize();
}

void frmNagScreen::Form_Unload()
{
    EndApplication();
}

void frmNagScreen::CoBrand_Randomize()
{
    intCoBrandRandomNumber = cobrand::Draw(Rnd());
    if (m_main)
        m_main->showOffer(cobrand::FrontFor(intCoBrandRandomNumber));
}
