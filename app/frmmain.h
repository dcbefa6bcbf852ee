// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "profile/topics.h"
#include "web/cobrand.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QGroupBox;
class LinkLabel;

namespace Ui {
class frmMain;
}

// The window the user works in: the sign's key facts, the topic list and one topic
// page at a time.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Brings the chosen offer to the front of the advertising spot.
    void showOffer(cobrand::Front offer);

    void Form_Load();
    void Form_Unload();
    void lstOptions_Click();

    void cmdSave_Click();
    void Label61_Click();
    void lblCobrand_Click();
    void lblFullBrand_Click();
    void lblForum_Click();
    void lblAstrology_Click();
    void lblDaily_Click();

    void mnuUpd_Click();
    void mnuShow_Click();
    void mnuExit_Click();
    void mnuOnline_Click();
    void mnuVisit_Click();
    void mnuUpdate_Click();
    void mnuAbout_Click();
    void mnuDonate_Click();
    void mnuMakeMoney_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void createMenus();
    void showKeyFacts();
    void createTopicPages(QWidget *client);
    void createPromotion(QWidget *client);
    // A page's controls are made when it first comes to the front, not at start-up.
    void makeTopicFrame(QWidget *client, std::size_t index);
    void buildPage(std::size_t index);
    void fillUpdatePage(QGroupBox *page);
    void placeInTabOrder(QGroupBox *page);
    void bringToFront(std::size_t index);

    std::unique_ptr<Ui::frmMain> m_ui;
    LinkLabel *m_lblCobrand = nullptr;
    LinkLabel *m_lblFullBrand = nullptr;
    std::array<QGroupBox *, Topics.size()> m_frames{};
    std::array<bool, Topics.size()> m_built{};
    QGroupBox *m_front = nullptr;
    bool m_centred = false;
};
