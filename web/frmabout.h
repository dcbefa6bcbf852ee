// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}

// The about box: the program's name and version, what it does, the maker's site and the
// fully-branded offer. Every text is fixed; each showing is a fresh instance.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

    void cmdOK_Click();
    void lblHomePage_Click();
    void lblCoBrand_Click();

private:
    void styleControls();

    std::unique_ptr<Ui::frmAbout> m_ui;
};
