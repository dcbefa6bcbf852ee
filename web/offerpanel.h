// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QGroupBox;
class QRect;
class QWidget;
class LinkLabel;

// The advertising spot: a frame with the two offers sharing one place inside it.
struct OfferPanel {
    QGroupBox *fraFullBrand;
    LinkLabel *lblCobrand;
    LinkLabel *lblFullBrand;
};

// Builds the spot with the co-brand offer in front; frame is its place in parent and
// spot the offers' place in the frame, both in pixels. The caller connects the clicks.
OfferPanel makeOfferPanel(QWidget *parent, const QRect &frame, const QRect &spot);
