// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/linklabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

QString shownCaption(const QString &caption)
{
    QString shown = caption;
    return shown.replace(QLatin1String("&&"), QLatin1String("&"));
}

LinkLabel::LinkLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setTextFormat(Qt::PlainText);
}

void LinkLabel::setCaption(const QString &caption)
{
    const QString shown = shownCaption(caption);
    setText(shown);
    setAccessibleName(shown);
}

void LinkLabel::setTextColor(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            Q_EMIT clicked();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::focusInEvent(QFocusEvent *event)
{
    // Show where the keyboard is without changing the layout.
    setFrameShape(QFrame::Box);
    QLabel::focusInEvent(event);
}

void LinkLabel::focusOutEvent(QFocusEvent *event)
{
    setFrameShape(QFrame::NoFrame);
    QLabel::focusOutEvent(event);
}
