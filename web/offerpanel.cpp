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

    const QFont font = programFont({.bold = true, .underline = true});
    auto offer = [&](const char *name, const char *caption) {
        return makeLinkLabel(fraFullBrand, {.name = name,
                                            .caption = QString::fromLatin1(caption),
                                            .place = spot,
                                            .style = {.color = LinkBlue,
                                                      .font = font,
                                                      .alignment = Qt::AlignCenter}});
    };
    auto *lblFullBrand = offer("lblFullBrand", cobrand::FullBrandCaption);
    auto *lblCobrand = offer("lblCobrand", cobrand::CoBrandCaption);
    lblCobrand->bringToFront();
    return {fraFullBrand, lblCobrand, lblFullBrand};
}
