// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFont;
class QLabel;
class QRect;
class QWidget;

// A block of plain text, word-wrapped from its top left corner, placed in pixels.
QLabel *makeWrappedText(QWidget *parent, const char *name, const QString &text,
                        const QRect &pixels, const QFont &font);
