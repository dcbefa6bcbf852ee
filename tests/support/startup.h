// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmmain.h"
#include "app/frmnagscreen.h"
#include "base/forms.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>

// The program's real start-up sequence, run against whatever platform the test installed,
// and torn down at the end of the scope so that the next test starts with no form loaded.
class StartUp
{
public:
    StartUp()
    {
        loadedForms() = FormList();
        m_form->Form_Load();
    }
    ~StartUp()
    {
        delete m_form->mainWindow();
        m_form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        loadedForms() = FormList();
    }
    StartUp(const StartUp &) = delete;
    StartUp &operator=(const StartUp &) = delete;

    frmNagScreen &form() const { return *m_form; }
    frmMain *mainWindow() const { return m_form->mainWindow(); }
    // True once the main window is on the screen.
    bool mainWindowShown() const
    {
        return mainWindow() && QTest::qWaitForWindowExposed(mainWindow());
    }

private:
    std::unique_ptr<frmNagScreen> m_form = std::make_unique<frmNagScreen>();
};
