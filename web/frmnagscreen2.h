// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/referral.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class frmNagScreen2;
}

// The exit screen: the last window of a run. It asks for support of the maker's forum,
// carries the refer-a-friend form, and ends the program when it closes.
class frmNagScreen2 : public QWidget
{
    Q_OBJECT

public:
    explicit frmNagScreen2(QWidget *parent = nullptr);
    ~frmNagScreen2() override;

    // Creates and shows an exit screen, modeless and without owner; false when that failed.
    static bool ShowModeless();
    // The four captions that ask for the forum's support, by index.
    static const QStringList &SupportCaptions();

    void Form_Load();
    void Form_Unload();
    void cmdClose_Click();
    void Check1_Click();
    void lblGoToHome_Click();
    void cmdSubmit_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A refer-a-friend box, the hint it holds while the user has written nothing there, and
    // the field the checks call it.
    struct HintedBox {
        QWidget *box;
        const char *hint;
        modTellAFriend::Field field;
    };

    void setUpControls();
    void setUpReferAFriend();
    void setUpDownloadFrame();
    QString hintOf(const QObject *box) const;
    void enterField();
    void takeUserTo(modTellAFriend::Field field);

    std::unique_ptr<Ui::frmNagScreen2> m_ui;
    std::array<HintedBox, 5> m_hintedBoxes{};
    // The box just entered whose hint is still to go.
    QObject *m_entering = nullptr;
};
