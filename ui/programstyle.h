// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QProxyStyle>

// The desktop's own style, unchanged to the eye, without the two picture files Fusion reads
// while the main window is built and first painted. Fusion reads them through QImageReader,
// which, looking for their format, loads every image plugin and the libraries behind them
// (a JPEG decoder, QtSvg). The group box frame is drawn from a copy of Fusion's picture
// that the build stores as bare pixels; the overflow arrow of a menu bar is read only when
// it is first drawn.
class ProgramStyle : public QProxyStyle
{
public:
    ProgramStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

private:
    const QPixmap &groupBoxFrame() const;

    mutable QPixmap m_groupBoxFrame;
    mutable bool m_frameLoaded = false;
};

// Gives the application the program's style; main() calls it before any window exists.
void useProgramStyle();
