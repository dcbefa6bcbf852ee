// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controls.h"

#include <QLabel>

QLabel *makeWrappedText(QWidget *parent, const char *name, const QString &text,
                        const QRect &pixels, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(pixels);
    return label;
}
