// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/colours.h"

#include <QApplication>
#include <QWidget>

void setColourPair(QWidget *widget, QColor text, QColor background)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Window, background);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

namespace {

// From this grey up, the blue of a link keeps a contrast of 4.5 to 1 (qGray weighs the
// channels much as the eye does).
constexpr int LightestGreyForLinks = 192;

void chooseLightGround(QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    const QPalette desktop = parent ? parent->palette() : QApplication::palette(widget);
    if (qGray(desktop.color(QPalette::Window).rgb()) >= LightestGreyForLinks)
        widget->setPalette(QPalette()); // the desktop's own, as it changes
    else
        setColourPair(widget, Qt::black, FormGrey);
}

// Chooses again when the desktop's colours change while the program runs.
class LightGround : public QObject
{
public:
    explicit LightGround(QWidget *widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange)
            chooseLightGround(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

void keepLight(QWidget *widget)
{
    widget->setAutoFillBackground(true);
    chooseLightGround(widget);
    new LightGround(widget);
}
