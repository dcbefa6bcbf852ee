// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLabel>

// A label that acts as a link: coloured text, a hand pointer, and a click on release.
// It can also be reached with Tab and followed with Enter or Space.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    void setTextColor(const QColor &color);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_pressed = false;
};

// A caption as the label shows it: a doubled ampersand stands for one.
QString shownCaption(const QString &caption);
