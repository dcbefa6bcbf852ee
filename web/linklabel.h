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

    // Puts this label in front of the link labels sharing its place in the same parent.
    // Those behind are hidden and leave the tab chain, so only the front one can be seen,
    // clicked, focused or read out. A plain raise() or lower() has the same effect.
    void bringToFront();

Q_SIGNALS:
    void clicked();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showTopmostOfPlace();

    bool m_pressed = false;
};

// A caption as the label shows it: a doubled ampersand stands for one.
QString shownCaption(const QString &caption);
