// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmmain.h"
#include "app/frmnagscreen.h"
#include "base/forms.h"

#include <QApplication>
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
        delete mainWindow();
        m_form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        loadedForms() = FormList();
    }
    StartUp(const StartUp &) = delete;
    StartUp &operator=(const StartUp &) = delete;

    frmNagScreen &form() const { return *m_form; }
    // The main window the sequence made, if it made one.
    frmMain *mainWindow() const
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *main = qobject_cast<frmMain *>(window))
                return main;
        return nullptr;
    }
    // True once the main window is on the screen.
    bool mainWindowShown() const
    {
        return mainWindow() && QTest::qWaitForWindowExposed(mainWindow());
    }

private:
    std::unique_ptr<frmNagScreen> m_form = std::make_unique<frmNagScreen>();
};
