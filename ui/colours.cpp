// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/colours.h"

#include <QApplication>
#include <QWidget>

#include <functional>

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

// Runs a step on the widget now, and again whenever its colours change while the program runs
// (the desktop's theme, say).
class OnPaletteChange : public QObject
{
public:
    OnPaletteChange(QWidget *widget, std::function<void(QWidget *)> step)
        : QObject(widget), m_step(std::move(step))
    {
        m_step(widget);
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange)
            m_step(static_cast<QWidget *>(watched));
        return false;
    }

private:
    std::function<void(QWidget *)> m_step;
};

} // namespace

void keepActiveColours(QWidget *widget, std::initializer_list<QPalette::ColorRole> roles)
{
    // The inactive group copies the active one, which the widget leaves to the desktop, so
    // a change of the desktop's colours reaches the widget and is copied again.
    new OnPaletteChange(widget, [roles = QList<QPalette::ColorRole>(roles)](QWidget *w) {
        QPalette pal = w->palette();
        for (const QPalette::ColorRole role : roles)
            pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
        // Setting what it already has would only come back here.
        if (pal != w->palette())
            w->setPalette(pal);
    });
}

void keepLight(QWidget *widget)
{
    widget->setAutoFillBackground(true);
    new OnPaletteChange(widget, chooseLightGround);
}
