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
