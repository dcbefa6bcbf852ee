// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Checks that a window serves every user: a screen reader's names, the keyboard alone, a
// dark desktop and any pixel ratio. Each returns what it found wrong, one line a fault.

#include "ui/textfit.h"

#include <QAccessible>
#include <QApplication>
#include <QGlyphRun>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

// Fails the test with every fault found, one a line.
#define VERIFY_NO_FAULTS(faults)                                                                \
    do {                                                                                        \
        const QStringList found = (faults);                                                     \
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1String("\n    "))));             \
    } while (false)

namespace everyuser {

inline QString nameOf(const QWidget *widget)
{
    return widget->objectName().isEmpty() ? QLatin1String(widget->metaObject()->className())
                                          : widget->objectName();
}

inline QString accessibleText(QWidget *widget, QAccessible::Text which = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(widget)->text(which).trimmed();
}

// Focusable controls whose accessible name is empty or repeated within the window, and a
// window that calls itself neither a window nor a dialog.
inline QStringList unnamedControls(QWidget *window)
{
    const QAccessible::Role role = QAccessible::queryAccessibleInterface(window)->role();
    QStringList faults;
    if (role != QAccessible::Window && role != QAccessible::Dialog)
        faults << nameOf(window) + QLatin1String(" is not announced as a window");
    QHash<QString, QStringList> holders;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
        if (face && face->state().focusable)
            holders[accessibleText(control)] << nameOf(control);
    }
    for (auto it = holders.cbegin(); it != holders.cend(); ++it) {
        if (it.key().isEmpty() || it->size() > 1)
            faults << QStringLiteral("%1 named \"%2\"").arg(it->join(QLatin1String(", ")), it.key());
    }
    return faults;
}

// Tab, then Shift+Tab, from the focused control around the window: every control that can
// take the focus must be reached both ways and must look different while it has the focus,
// and no Tab may be typed into a text on the way.
inline QStringList keyboardFaults(QWidget *window)
{
    QWidget *start = QApplication::focusWidget();
    if (!start || start->window() != window)
        return {QStringLiteral("nothing in %1 has the focus").arg(nameOf(window))};
    // Text and plain text boxes both show their text as "plainText"; other controls none.
    auto tabsIn = [](QWidget *c) { return c->property("plainText").toString().count(u'\t'); };
    // The control and a few pixels around it, where a style may draw its focus frame.
    auto look = [window](QWidget *control) {
        const QRect area(control->mapTo(window, QPoint(0, 0)), control->size());
        return window->grab(area.adjusted(-3, -3, 3, 3)).toImage();
    };
    QStringList faults;
    for (const Qt::KeyboardModifiers direction : {Qt::NoModifier, Qt::ShiftModifier}) {
        QList<QWidget *> visited;
        for (QWidget *focus = start, *next = nullptr;; focus = next) {
            const qsizetype tabs = tabsIn(focus);
            const QImage focused = look(focus);
            QTest::keyClick(focus, Qt::Key_Tab, direction);
            next = QApplication::focusWidget();
            if (tabsIn(focus) != tabs)
                faults << QStringLiteral("Tab was typed into %1").arg(nameOf(focus));
            // Styles show the focus once the keyboard has been used, so the control that
            // had it from the start is judged on the way back. A control laid out wholly
            // outside what its parents show cannot show anything.
            const bool keyboardFocus = direction == Qt::ShiftModifier || !visited.isEmpty();
            if (keyboardFocus && !focus->visibleRegion().isEmpty() && next != focus
                && look(focus) == focused)
                faults << QStringLiteral("%1 does not show the focus").arg(nameOf(focus));
            visited << focus;
            if (!next || visited.contains(next))
                break;
        }
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (control->isVisible() && (control->focusPolicy() & Qt::TabFocus)
                && !visited.contains(control))
                faults << QStringLiteral("%1 is never reached with %2").arg(
                    nameOf(control), QLatin1String(direction ? "Shift+Tab" : "Tab"));
        }
        start->setFocus(Qt::TabFocusReason);
    }
    faults.removeDuplicates();
    return faults;
}

// Puts a dark desktop, as a dark GTK theme hands it to Qt, on the whole program until the
// returned guard goes; the change reaches the widgets as posted events.
[[nodiscard]] inline auto darkDesktop()
{
    const QPalette before = QApplication::palette();
    QPalette dark(QColor(53, 53, 53), QColor(45, 45, 45));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(238, 238, 236));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Highlight, QColor(21, 83, 158));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();
    return qScopeGuard([before] {
        QApplication::setPalette(before);
        QCoreApplication::processEvents();
    });
}

// The contrast ratio of two colours, from 1 (none) to 21 (black on white), as the Web
// Content Accessibility Guidelines define it.
inline double contrastRatio(const QColor &a, const QColor &b)
{
    auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    auto luminance = [&](const QColor &c) {
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [dim, bright] = std::minmax({luminance(a), luminance(b)});
    return (bright + 0.05) / (dim + 0.05);
}

// What is painted behind a widget that fills no background of its own.
inline QColor groundBehind(const QWidget *widget)
{
    while (!widget->autoFillBackground() && !widget->isWindow())
        widget = widget->parentWidget();
    return widget->palette().color(widget->backgroundRole());
}

// Every text of the window, as the palettes paint it, that does not reach a contrast of
// 4.5:1 with what is behind it, leaving out the pairs that are the window's own design
// whatever the theme.
inline QStringList unreadableTexts(QWidget *window,
                                   const QList<std::pair<QColor, QColor>> &designPairs = {})
{
    QStringList faults;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QPalette &pal = w->palette();
        auto check = [&](const QColor &text, const QColor &ground) {
            const double ratio = contrastRatio(text, ground);
            if (ratio < 4.5 && !designPairs.contains(std::pair(text, ground)))
                faults << QStringLiteral("%1: %2 on %3, %4:1")
                              .arg(nameOf(w), text.name(), ground.name())
                              .arg(ratio, 0, 'f', 2);
        };
        if (auto *edit = qobject_cast<QTextEdit *>(w)) {
            // Rich text carries colours of its own.
            for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next())
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QBrush brush = it.fragment().charFormat().foreground();
                    check(brush.style() == Qt::NoBrush ? pal.color(QPalette::Text) : brush.color(),
                          pal.color(QPalette::Base));
                }
        } else if (qobject_cast<QLineEdit *>(w) || qobject_cast<QPlainTextEdit *>(w)
                   || qobject_cast<QListWidget *>(w)) {
            check(pal.color(QPalette::Text), pal.color(QPalette::Base));
        } else if (qobject_cast<QPushButton *>(w)) {
            check(pal.color(QPalette::ButtonText), pal.color(QPalette::Button));
        } else if (auto *label = qobject_cast<QLabel *>(w);
                   (label && !label->text().isEmpty()) || !oneLineText(w).isEmpty()) {
            // Labels, link labels, check boxes and frame captions.
            check(pal.color(w->foregroundRole()), groundBehind(w));
        }
    }
    faults.removeDuplicates();
    return faults;
}

// The first and last row a word-wrapped label inks in its box at a device pixel ratio; glyph
// outlines, not line boxes, so a line whose descent alone reaches past the box is not counted.
inline std::pair<qreal, qreal> wrappedInk(const QLabel *label, qreal ratio)
{
    const QRect box = label->contentsRect();
    QTextLayout layout(label->text(), scaledFont(label->font(), ratio));
    layout.setTextOption(QTextOption(label->alignment())); // which wraps at words
    qreal laidHeight = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width() * ratio);
        line.setPosition(QPointF(0, laidHeight));
        laidHeight += line.height();
    }
    layout.endLayout();
    QPainterPath ink;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QList<QPointF> at = run.positions();
        for (qsizetype i = 0; i < at.size(); ++i)
            ink.addPath(run.rawFont().pathForGlyph(run.glyphIndexes()[i]).translated(at[i]));
    }
    const qreal room = box.height() * ratio - laidHeight;
    const qreal shift = label->alignment() & Qt::AlignVCenter ? room / 2
                        : label->alignment() & Qt::AlignBottom ? room : 0;
    const QRectF inked = ink.boundingRect().translated(0, shift);
    return {inked.top() / ratio, inked.bottom() / ratio};
}

// Texts cut short at a device pixel ratio: a one-line text wider than its room, a
// word-wrapped label inking past its box, or a control reaching up into the top line of
// the frame that holds it.
inline QStringList clippedTexts(QWidget *window, qreal ratio)
{
    QStringList faults;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString where = nameOf(w);
        if (const QString line = oneLineText(w); !line.isEmpty()) {
            const qreal needed = textWidthAt(w->font(), line, ratio);
            if (needed > oneLineRoom(w))
                faults << QStringLiteral("%1 at %2: \"%3\" needs %4 of %5 pixels")
                              .arg(where).arg(ratio).arg(line).arg(needed).arg(oneLineRoom(w));
        }
        auto *label = qobject_cast<QLabel *>(w);
        if (label && label->wordWrap() && !label->text().isEmpty()) {
            const auto [top, bottom] = wrappedInk(label, ratio);
            if (top < 0 || bottom > label->contentsRect().height())
                faults << QStringLiteral("%1 at %2: inks rows %3 to %4 of %5").arg(where).arg(ratio)
                              .arg(top).arg(bottom).arg(label->contentsRect().height());
        }
        auto *frame = qobject_cast<QGroupBox *>(w->parentWidget());
        if (frame && !frame->title().isEmpty() && w->y() < frame->contentsRect().top())
            faults << QStringLiteral("%1 reaches into the caption of %2").arg(where, nameOf(frame));
    }
    return faults;
}

} // namespace everyuser
