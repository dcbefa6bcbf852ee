// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;
class LinkLabel;

// The report window: the whole profile as one rich-text report, which the user may edit,
// save as RTF or print.
class frmSave : public QDialog
{
    Q_OBJECT

public:
    explicit frmSave(QWidget *parent = nullptr);

    // Loads the window, shows it modally and returns when the user has closed it.
    static void ShowModal(QWidget *owner);

    QTextEdit *RTB() const { return m_rtb; }

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
    void createControls();
    void createPromotion();

    QTextEdit *m_rtb = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdPrint = nullptr;
};
