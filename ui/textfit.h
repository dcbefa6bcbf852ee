// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFont;
class QGroupBox;
class QLabel;
class QWidget;

// Text that must stay on one line is condensed to fit rather than cut short. Some
// platforms hint glyph widths at the device's own pixel size, so a text is measured at
// every device pixel ratio the program is expected on, and must fit at the widest.
inline constexpr qreal PixelRatios[] = {1.0, 1.5, 2.0};

// The font at its size times ratio, as a device of that pixel ratio draws it.
QFont scaledFont(const QFont &font, qreal ratio);
// The width of a one-line text in logical pixels, measured at the font's size times ratio.
qreal textWidthAt(const QFont &font, const QString &text, qreal ratio);

// The one-line text a label, line edit, check box, button or group box shows as it is
// drawn (access-key markers removed); empty for anything else and for word-wrapped labels.
QString oneLineText(const QWidget *widget);
// The width that text has inside the widget before it is clipped or scrolled.
int oneLineRoom(const QWidget *widget);

// Condenses the widget's font, a step at a time, until its one-line text fits its room.
void condenseToFit(QWidget *widget);
// Sizes a label to its text, with room to spare for every pixel ratio.
void sizeToText(QLabel *label);
// Moves whatever a frame holds down below its caption, clear of the frame's top line.
void keepClearOfCaption(QGroupBox *frame);
