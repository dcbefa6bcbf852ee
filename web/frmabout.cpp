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
#include "ui/twips.h"
#include "web/frmaboutlayout.h"
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

// The box's links: white on its orange, each on one line.
LinkLabel *makeWhiteLink(QWidget *parent, const char *name, const QString &caption,
                         const Twips &place)
{
    auto *link = makeLinkLabel(parent, {.name = name,
                                        .caption = caption,
                                        .place = inPixels(place),
                                        .color = Qt::white,
                                        .font = programFont({.underline = true}),
                                        .alignment = Qt::AlignLeft | Qt::AlignTop,
                                        .wordWrap = false});
    condenseToFit(link);
    return link;
}

} // namespace

using namespace frmAboutLayout;

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    resize(inPixels(ClientArea).size());
    setUpForm(this, {.description = "About the program and its maker"});
    // White on orange is the box's own look, kept on every theme.
    setColourPair(this, Qt::white, AboutOrange);
    createControls();

    // Centred on the screen the main window is on; placing it now also keeps the dialog
    // from re-centring itself over its parent when shown.
    centreClientAreaOnScreen(this, parent ? parent->screen() : nullptr);

    // Every way out (OK, Enter, Esc, the close box) finishes the box and unloads the form.
    loadDialogForm(this);
}

void frmAbout::createControls()
{
    // Created first, so it leads the tab order and holds the focus when the box opens.
    auto *cmdOK = makePushButton(
        this, {.name = "cmdOK", .caption = QStringLiteral("OK"), .place = inPixels(OkButton),
               .autoDefault = true});
    cmdOK->setDefault(true);
    showFocusFrame(cmdOK);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto *picture1 = new QLabel(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(inPixels(IconPicture));
    picture1->setPixmap(artwork::programIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
    picture1->setAccessibleName(QStringLiteral("Starfold icon"));

    makeWrappedText(this, "Label2", QLatin1String(WindowCaption),
                    inPixels(TitleText), programFont({.pointSize = 9.75, .bold = true}));
    makeWrappedText(this, "Label1", QString::fromLatin1(Description),
                    inPixels(DescriptionText), programFont());

    auto *lblHomePage = makeWhiteLink(
        this, "lblHomePage", QStringLiteral("Click here to visit us at ") + modHelp::SiteHost(),
        HomePageLink);
    connect(lblHomePage, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);

    makeWrappedText(this, "Label3", QString::fromLatin1(Offer),
                    inPixels(OfferText), programFont({.bold = true}));

    auto *lblCoBrand =
        makeWhiteLink(this, "lblCoBrand", QString::fromLatin1(MoreDetails), OfferLink);
    connect(lblCoBrand, &LinkLabel::clicked, this, &frmAbout::lblCoBrand_Click);

    auto *line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);
    line1->setGeometry(0, pixelsFromTwips(SeparatorTop) - 1, width(), 2);
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
