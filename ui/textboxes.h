// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/twips.h"

#include <QFont>
#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The caption label of a text box, with the tooltip that describes the box.
struct BoxCaption {
    const char *name;
    const char *caption;
    const char *tooltip;
    Twips at; // without a size, the label sizes itself to its caption
};

// A read-only text box, made with the text it shows for as long as it lives.
struct TextBoxOptions {
    const char *name;
    Twips at;
    QFont font;
    QString text;
};

QLabel *makeLabel(QWidget *parent, const BoxCaption &caption, const QFont &font);

// The caption names its box to screen readers, and its tooltip describes the box.
void labelBox(QLabel *label, QWidget *box);

// One line, shown from its beginning and condensed where it would not fit.
QLineEdit *makeLineBox(QWidget *parent, const TextBoxOptions &options);
// The same for a one-line box made elsewhere: its font and the text it shows.
void fillLineBox(QLineEdit *box, const QFont &font, const QString &text);

// Word-wrapped paragraphs with a vertical scroll bar; the text can be selected, not changed.
QPlainTextEdit *makeProseBox(QWidget *parent, const TextBoxOptions &options);

// The controls below page that Tab stops at, in the order Tab takes them.
QList<QWidget *> tabStops(const QWidget *page);
