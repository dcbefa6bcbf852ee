// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFont;
class QGroupBox;
class QLabel;
class QWidget;

// Text that must stay on one line is condensed to fit rather than cut short. Some
// platforms hint glyph widths at the device's own pixel size, so a text is measured at the
// pixel ratio of the screen it is shown on. Every font measured at another ratio costs the
// start a font engine of its own, so other ratios are not measured in advance.

// The font at its size times ratio, as a device of that pixel ratio draws it.
QFont scaledFont(const QFont &font, qreal ratio);
// The width of a one-line text in logical pixels, measured at the font's size times ratio.
qreal textWidthAt(const QFont &font, const QString &text, qreal ratio);

// The one-line text a label, link label, line edit, check box, button or group box shows as it is
// drawn (access-key markers removed); empty for anything else and for word-wrapped labels.
QString oneLineText(const QWidget *widget);
// The width that text has inside the widget before it is clipped or scrolled.
int oneLineRoom(const QWidget *widget);

// Condenses the widget's font, a step at a time, until its one-line text fits its room at
// the widget's pixel ratio.
void condenseToFit(QWidget *widget);
// Sizes a label to its text at its pixel ratio, with a little room to spare.
void sizeToText(QLabel *label);
// Moves whatever a frame holds down below its caption, clear of the frame's top line.
void keepClearOfCaption(QGroupBox *frame);
