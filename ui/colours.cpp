// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/colours.h"

#include <QWidget>

void setColourPair(QWidget *widget, QColor text, QColor background)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Window, background);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

void keepLight(QWidget *widget)
{
    const QPalette &pal = widget->palette();
    // From this grey up, the blue of a link keeps a contrast of 4.5 to 1 (qGray weighs the
    // channels much as the eye does).
    constexpr int LightestGreyForLinks = 192;
    if (qGray(pal.color(QPalette::Window).rgb()) >= LightestGreyForLinks)
        widget->setAutoFillBackground(true);
    else
        setColourPair(widget, Qt::black, FormGrey);
}
