// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/frmabout.h"

#include "base/identity.h"
#include "base/platform.h"
#include "ui/artwork.h"
#include "ui/colours.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/formwindow.h"
#include "ui/linklabel.h"
#include "ui/textfit.h"
#include "web/pages.h"

#include "ui_frmabout.h"

#include <QPushButton>

namespace {

// The box's links: white on its orange, each on one line.
void styleWhiteLink(LinkLabel *link)
{
    styleLinkLabel(link, {.color = Qt::white,
                          .font = programFont({.underline = true}),
                          .alignment = Qt::AlignLeft | Qt::AlignTop,
                          .wordWrap = false});
    condenseToFit(link);
}

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::frmAbout>())
{
    m_ui->setupUi(this);
    setUpForm(this, {.description = "About the program and its maker"});
    // White on orange is the box's own look, kept on every theme.
    setColourPair(this, Qt::white, AboutOrange);
    styleControls();

    // Centred on the screen the main window is on; placing it now also keeps the dialog
    // from re-centring itself over its parent when shown.
    centreClientAreaOnScreen(this, parent ? parent->screen() : nullptr);

    // Every way out (OK, Enter, Esc, the close box) finishes the box and unloads the form.
    loadDialogForm(this);
}

frmAbout::~frmAbout() = default;

void frmAbout::styleControls()
{
    // First in the form, so it leads the tab order and holds the focus when the box opens.
    m_ui->cmdOK->setAutoDefault(true);
    m_ui->cmdOK->setDefault(true);
    showFocusFrame(m_ui->cmdOK);
    m_ui->cmdOK->setFocus();
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    m_ui->Picture1->setPixmap(artwork::programIcon().pixmap(QSize(32, 32), devicePixelRatioF()));

    m_ui->Label2->setText(QLatin1String(WindowCaption));
    m_ui->Label2->setFont(programFont({.pointSize = 9.75, .bold = true}));
    m_ui->Label1->setFont(programFont());

    m_ui->lblHomePage->setCaption(QStringLiteral("Click here to visit us at ") + modHelp::SiteHost());
    styleWhiteLink(m_ui->lblHomePage);
    connect(m_ui->lblHomePage, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);

    m_ui->Label3->setFont(programFont({.bold = true}));

    styleWhiteLink(m_ui->lblCoBrand);
    connect(m_ui->lblCoBrand, &LinkLabel::clicked, this, &frmAbout::lblCoBrand_Click);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::lblHomePage_Click()
{
    modHelp::OpenHomePage();
}

void frmAbout::lblCoBrand_Click()
{
    // The offer described just above it is the fully-branded one.
    modHelp::OpenFullyBrandedPage();
}
