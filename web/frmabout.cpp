// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/frmabout.h"

#include "base/forms.h"
#include "base/identity.h"
#include "base/platform.h"
#include "ui/artwork.h"
#include "ui/colours.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/linklabel.h"
#include "ui/textfit.h"
#include "ui/twips.h"
#include "web/pages.h"

#include <QLabel>
#include <QPushButton>

namespace {

const char Description[] =
    "Starfold is an informative zodiac sun-sign program based on Western astrology. It "
    "describes the mental attitude, nature, characteristics and features of a person "
    "according to the sun sign at birth. Your sun sign is the sign of the zodiac in which "
    "the sun stood at the moment you were born, as calculated by Western astrology. Knowing "
    "it helps you understand your positive and negative traits, and so improve your "
    "personality.";
const char Offer[] = "Start your own Internet business and make money online: have this "
                     "software fully branded for your web site.";
const char MoreDetails[] = "Click here for more details.";

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QLatin1String(WindowCaption));
    // The caption is every window's; this says which one it is.
    setAccessibleDescription(QStringLiteral("About the program and its maker"));
    setFont(programFont());
    setFixedSize(twips(7125), twips(4395));
    // White on orange is the box's own look, kept on every theme.
    setColourPair(this, Qt::white, AboutOrange);
    createControls();

    // Centred on the screen the main window is on; placing it now also keeps the dialog
    // from re-centring itself over its parent when shown.
    centreClientAreaOnScreen(this, parent ? parent->screen() : nullptr);

    // Every way out (OK, Enter, Esc, the close box) finishes the box and unloads the form.
    loadDialogForm(this, [this] {
        if (isVisible())
            QDialog::done(Rejected);
    });
}

frmAbout::~frmAbout()
{
    loadedForms().unload(this);
}

void frmAbout::createControls()
{
    // Created first, so it leads the tab order and holds the focus when the box opens.
    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(inPixels({5745, 3960, 1260, 345}));
    cmdOK->setDefault(true);
    showFocusFrame(cmdOK);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto *picture1 = new QLabel(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(inPixels({150, 90, 480, 480}));
    picture1->setPixmap(artwork::programIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
    picture1->setAccessibleName(QStringLiteral("Starfold icon"));

    makeWrappedText(this, "Label2", QLatin1String(WindowCaption),
                    inPixels({1110, 90, 3135, 240}), programFont(9.75, true));
    makeWrappedText(this, "Label1", QString::fromLatin1(Description),
                    inPixels({1110, 390, 5895, 2145}), programFont());

    const QString site = modHelp::SiteHost();
    // White on the orange background, each on one line.
    const QFont linkFont = programFont(8.25, false, true);
    const Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
    auto *lblHomePage =
        makeLinkLabel(this, {.name = "lblHomePage",
                             .caption = QStringLiteral("Click here to visit us at ") + site,
                             .place = inPixels({2955, 2670, 4050, 195}),
                             .color = Qt::white,
                             .font = linkFont,
                             .alignment = topLeft,
                             .wordWrap = false});
    condenseToFit(lblHomePage);
    connect(lblHomePage, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);

    makeWrappedText(this, "Label3", QString::fromLatin1(Offer),
                    inPixels({120, 3030, 6885, 435}), programFont(8.25, true));

    auto *lblCoBrand = makeLinkLabel(this, {.name = "lblCoBrand",
                                            .caption = QString::fromLatin1(MoreDetails),
                                            .place = inPixels({4650, 3525, 2355, 195}),
                                            .color = Qt::white,
                                            .font = linkFont,
                                            .alignment = topLeft,
                                            .wordWrap = false});
    condenseToFit(lblCoBrand);
    connect(lblCoBrand, &LinkLabel::clicked, this, &frmAbout::lblCoBrand_Click);

    auto *line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);
    line1->setGeometry(0, twips(3870) - 1, width(), 2);
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
