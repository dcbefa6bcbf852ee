// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/colours.h"

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

// A link label named, placed (in pixels) and styled in one call; its caption is shown
// as plain text, a doubled ampersand standing for one.
LinkLabel *makeLinkLabel(QWidget *parent, const char *name, const QString &caption,
                         const QRect &pixels, const QColor &color, const QFont &font,
                         Qt::Alignment alignment, bool wordWrap = true);
