// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QScreen>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <initializer_list>

// A left click delivered to the window at the middle of target, so that whatever is on top
// at that point is hit, as a user's click would be.
inline void clickThroughWindow(QWidget *target)
{
    QWidget *top = target->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {},
                      target->mapTo(top, target->rect().center()));
}

// Where a layout puts a control: left, top, width and height in twips, fifteen to the pixel.
struct TwipsPlace {
    const char *name;
    int left, top, width, height;
};

// The controls below root that are missing or not where their place puts them, one a line.
inline QStringList misplacedControls(const QWidget *root, std::initializer_list<TwipsPlace> places)
{
    const auto px = [](int twips) { return qRound(twips / 15.0); };
    QStringList faults;
    for (const TwipsPlace &p : places) {
        const auto *w = root->findChild<const QWidget *>(QLatin1String(p.name));
        const QRect wanted(px(p.left), px(p.top), px(p.width), px(p.height));
        if (!w)
            faults << QStringLiteral("%1 is missing").arg(QLatin1String(p.name));
        else if (w->geometry() != wanted)
            faults << QStringLiteral("%1 at %2,%3 %4x%5, wanted %6,%7 %8x%9")
                          .arg(QLatin1String(p.name))
                          .arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())
                          .arg(wanted.x()).arg(wanted.y()).arg(wanted.width()).arg(wanted.height());
    }
    return faults;
}

// How far the middle of an area lies from the middle of its screen's available area.
inline QPoint offCentre(const QRect &area, const QScreen *screen)
{
    return area.center() - screen->availableGeometry().center();
}

inline QByteArray pointText(QPoint point)
{
    return QByteArray::number(point.x()) + ',' + QByteArray::number(point.y());
}
