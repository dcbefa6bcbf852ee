// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

class QTextEdit;

namespace Ui {
class frmSave;
}

// The report window: the whole profile as one rich-text report, which the user may edit,
// save as RTF or print.
class frmSave : public QDialog
{
    Q_OBJECT

public:
    explicit frmSave(QWidget *parent = nullptr);
    ~frmSave() override;

    // Loads the window, shows it modally and returns when the user has closed it.
    static void ShowModal(QWidget *owner);

    QTextEdit *RTB() const;

    void Form_Load();
    void cmdSave_Click();
    void cmdPrint_Click();
    void Label14_Click();
    void Label3_Click();
    void lblCobrand_Click();
    void lblFullBrand_Click();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void styleControls();
    void createPromotion();

    std::unique_ptr<Ui::frmSave> m_ui;
};
