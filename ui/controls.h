// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QAbstractItemView;
class QLabel;
class QPlainTextEdit;
class QWidget;

// A block of plain text, word-wrapped from its top left corner, placed in pixels.
QLabel *makeWrappedText(QWidget *parent, const char *name, const QString &text,
                        const QRect &pixels, const QFont &font);

// Draws the style's focus frame around a control while it has the focus from the keyboard,
// for controls whose own look does not change with it: a read-only text box shows no caret,
// and a default button is outlined whether it has the focus or not.
void showFocusFrame(QWidget *control);

// Shows a box's text from its start, with the caret there, so that reading on from the
// caret reads the text; a screen reader starts where the caret is.
void readFromStart(QPlainTextEdit *box);

// Has screen readers told the chosen item whenever a list takes the focus, as they are when
// it moves within the list, not only the list's name and size.
void announceCurrentItemOnFocus(QAbstractItemView *list);

// Holds a box of many lines to at most maxLength characters, a line break counting one.
void limitLength(QPlainTextEdit *box, int maxLength);
