// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/offerpanel.h"

#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/linklabel.h"
#include "web/cobrand.h"

#include <QGroupBox>

OfferPanel makeOfferPanel(QWidget *parent, const QRect &frame, const QRect &spot)
{
    auto *fraFullBrand = new QGroupBox(parent);
    fraFullBrand->setObjectName(QStringLiteral("fraFullBrand"));
    fraFullBrand->setGeometry(frame);
    // The offers are blue whatever the theme, so the spot is light whatever the theme.
    keepLight(fraFullBrand);

    const QFont font = programFont(8.25, true, true);
    auto *lblFullBrand = makeLinkLabel(fraFullBrand, "lblFullBrand",
                                       QString::fromLatin1(cobrand::FullBrandCaption), spot,
                                       LinkBlue, font, Qt::AlignCenter);
    auto *lblCobrand = makeLinkLabel(fraFullBrand, "lblCobrand",
                                     QString::fromLatin1(cobrand::CoBrandCaption), spot, LinkBlue,
                                     font, Qt::AlignCenter);
    lblCobrand->bringToFront();
    return {fraFullBrand, lblCobrand, lblFullBrand};
}
