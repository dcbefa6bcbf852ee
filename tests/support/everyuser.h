// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Checks that a window serves every user: a screen reader's names, the keyboard alone, a
// dark desktop and any pixel ratio. Each returns what it found wrong, one line a fault.

#include "ui/textfit.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGlyphRun>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <cmath>
#include <utility>

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

inline QString accessibleText(QWidget *widget, QAccessible::Text which)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which).trimmed() : QString();
}

// Focusable controls whose accessible name is empty or repeated within the window, and a
// window that calls itself neither a window nor a dialog.
inline QStringList unnamedControls(QWidget *window)
{
    QStringList faults;
    QAccessibleInterface *top = QAccessible::queryAccessibleInterface(window);
    if (!top || (top->role() != QAccessible::Window && top->role() != QAccessible::Dialog))
        faults << QStringLiteral("%1 is not announced as a window").arg(nameOf(window));
    QHash<QString, QStringList> holders;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
        if (!face || !face->state().focusable)
            continue;
        const QString name = face->text(QAccessible::Name).trimmed();
        if (name.isEmpty())
            faults << QStringLiteral("%1 has no name").arg(nameOf(control));
        else
            holders[name] << nameOf(control);
    }
    for (auto it = holders.cbegin(); it != holders.cend(); ++it) {
        if (it->size() > 1)
            faults << QStringLiteral("\"%1\" names %2").arg(it.key(), it->join(QLatin1String(", ")));
    }
    return faults;
}

// Tab, then Shift+Tab, from the focused control around the window: every control that can
// take the focus must be reached both ways and must look different while it has the focus,
// and no Tab may be typed into a text on the way.
inline QStringList keyboardFaults(QWidget *window)
{
    QList<QWidget *> reachable;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (control->isVisible() && (control->focusPolicy() & Qt::TabFocus))
            reachable << control;
    }
    QWidget *start = QApplication::focusWidget();
    if (!start || start->window() != window)
        return {QStringLiteral("nothing in %1 has the focus").arg(nameOf(window))};
    auto tabsIn = [](QWidget *control) {
        if (auto *edit = qobject_cast<QTextEdit *>(control))
            return edit->toPlainText().count(QLatin1Char('\t'));
        if (auto *edit = qobject_cast<QPlainTextEdit *>(control))
            return edit->toPlainText().count(QLatin1Char('\t'));
        return qsizetype(0);
    };
    // The control and a few pixels around it, where a style may draw its focus frame.
    auto look = [window](QWidget *control) {
        const QRect area(control->mapTo(window, QPoint(0, 0)), control->size());
        return window->grab(area.adjusted(-3, -3, 3, 3)).toImage();
    };
    QStringList faults;
    for (const Qt::KeyboardModifiers direction : {Qt::NoModifier, Qt::ShiftModifier}) {
        QList<QWidget *> visited;
        QWidget *focus = start;
        for (int step = 0; step <= reachable.size(); ++step) {
            const qsizetype tabs = tabsIn(focus);
            const QImage focused = look(focus);
            QTest::keyClick(focus, Qt::Key_Tab, direction);
            QWidget *next = QApplication::focusWidget();
            if (tabsIn(focus) != tabs)
                faults << QStringLiteral("Tab was typed into %1").arg(nameOf(focus));
            // Styles show the focus once the keyboard has been used, so the control that
            // had it from the start is judged on the way back. A control laid out wholly
            // outside what its parents show cannot show anything.
            const bool keyboardFocus = direction == Qt::ShiftModifier || step > 0;
            const bool seen = !focus->visibleRegion().isEmpty();
            if (keyboardFocus && seen && next != focus && look(focus) == focused)
                faults << QStringLiteral("%1 does not show the focus").arg(nameOf(focus));
            visited << focus;
            if (!next || next == start || next == focus)
                break;
            focus = next;
        }
        for (QWidget *control : std::as_const(reachable)) {
            if (!visited.contains(control))
                faults << QStringLiteral("%1 is never reached with %2").arg(
                    nameOf(control), QLatin1String(direction ? "Shift+Tab" : "Tab"));
        }
        if (QApplication::focusWidget() != start)
            start->setFocus(Qt::TabFocusReason);
    }
    faults.removeDuplicates();
    return faults;
}

// A dark desktop, as a dark GTK theme hands it to Qt: light text on dark grounds.
inline QPalette darkPalette()
{
    QPalette dark(QColor(53, 53, 53), QColor(45, 45, 45));
    const QColor light(238, 238, 236);
    dark.setColor(QPalette::WindowText, light);
    dark.setColor(QPalette::Text, light);
    dark.setColor(QPalette::ButtonText, light);
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(40, 40, 40));
    dark.setColor(QPalette::Highlight, QColor(21, 83, 158));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Link, QColor(120, 170, 255));
    dark.setColor(QPalette::ToolTipBase, QColor(30, 30, 30));
    dark.setColor(QPalette::ToolTipText, light);
    return dark;
}

// Puts the dark palette on the whole program for as long as it lives.
class DarkDesktop
{
public:
    // The change reaches the widgets as posted events.
    DarkDesktop() : m_before(QApplication::palette())
    {
        QApplication::setPalette(darkPalette());
        QCoreApplication::processEvents();
    }
    ~DarkDesktop()
    {
        QApplication::setPalette(m_before);
        QCoreApplication::processEvents();
    }
    DarkDesktop(const DarkDesktop &) = delete;
    DarkDesktop &operator=(const DarkDesktop &) = delete;

private:
    QPalette m_before;
};

// The contrast ratio of two colours, from 1 (none) to 21 (black on white), as the Web
// Content Accessibility Guidelines define it.
inline double contrastRatio(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &c) {
        auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF())
               + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

inline constexpr double ReadableContrast = 4.5;

// What is painted behind a widget that fills no background of its own.
inline QColor groundBehind(const QWidget *widget)
{
    for (const QWidget *at = widget; at; at = at->parentWidget()) {
        if (at->autoFillBackground() || at->isWindow())
            return at->palette().color(at->backgroundRole());
    }
    return {};
}

struct TextPair {
    QString where;
    QColor text;
    QColor ground;
};

// Every text of the window with what is behind it, as the palettes paint them.
inline QList<TextPair> textPairs(QWidget *window)
{
    QList<TextPair> pairs;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QPalette &pal = w->palette();
        const QString where = nameOf(w);
        if (auto *edit = qobject_cast<QTextEdit *>(w)) {
            // Rich text carries colours of its own.
            for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QBrush brush = it.fragment().charFormat().foreground();
                    const QColor text = brush.style() == Qt::NoBrush ? pal.color(QPalette::Text)
                                                                     : brush.color();
                    pairs << TextPair{where, text, pal.color(QPalette::Base)};
                }
            }
        } else if (qobject_cast<QLineEdit *>(w) || qobject_cast<QPlainTextEdit *>(w)
                   || qobject_cast<QListWidget *>(w)) {
            pairs << TextPair{where, pal.color(QPalette::Text), pal.color(QPalette::Base)};
        } else if (qobject_cast<QPushButton *>(w)) {
            pairs << TextPair{where, pal.color(QPalette::ButtonText), pal.color(QPalette::Button)};
        } else if (auto *label = qobject_cast<QLabel *>(w); label && !label->text().isEmpty()) {
            pairs << TextPair{where, pal.color(label->foregroundRole()), groundBehind(label)};
        } else if (auto *frame = qobject_cast<QGroupBox *>(w); frame && !frame->title().isEmpty()) {
            pairs << TextPair{where, pal.color(QPalette::WindowText), groundBehind(frame)};
        } else if (qobject_cast<QAbstractButton *>(w)) {
            pairs << TextPair{where, pal.color(QPalette::WindowText), groundBehind(w)};
        }
    }
    return pairs;
}

// Texts that do not reach the readable contrast, leaving out the pairs that are the
// window's own design whatever the theme.
inline QStringList unreadableTexts(QWidget *window,
                                   const QList<std::pair<QColor, QColor>> &designPairs = {})
{
    QStringList faults;
    for (const TextPair &pair : textPairs(window)) {
        const double ratio = contrastRatio(pair.text, pair.ground);
        if (ratio < ReadableContrast && !designPairs.contains(std::pair(pair.text, pair.ground)))
            faults << QStringLiteral("%1: %2 on %3, %4:1")
                          .arg(pair.where, pair.text.name(), pair.ground.name())
                          .arg(ratio, 0, 'f', 2);
    }
    faults.removeDuplicates();
    return faults;
}

// The first and last row a word-wrapped text inks in a box of that width and height, as a
// label draws it at a device pixel ratio; glyph outlines, not line boxes, so a line whose
// descent reaches past the box while no letter does is not counted.
inline std::pair<qreal, qreal> wrappedInk(const QFont &font, const QString &text, int width,
                                          Qt::Alignment alignment, int height, qreal ratio)
{
    QTextLayout layout(text, scaledFont(font, ratio));
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    qreal laidHeight = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width * ratio);
        line.setPosition(QPointF(0, laidHeight));
        laidHeight += line.height();
    }
    layout.endLayout();
    QPainterPath ink;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> at = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i)
            ink.addPath(run.rawFont().pathForGlyph(glyphs.at(i)).translated(at.at(i)));
    }
    const qreal shift = alignment & Qt::AlignVCenter  ? (height * ratio - laidHeight) / 2
                        : alignment & Qt::AlignBottom ? height * ratio - laidHeight
                                                      : 0;
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
        const QString line = oneLineText(w);
        if (!line.isEmpty()) {
            const qreal needed = textWidthAt(w->font(), line, ratio);
            if (needed > oneLineRoom(w))
                faults << QStringLiteral("%1 at %2: \"%3\" needs %4 of %5 pixels")
                              .arg(where).arg(ratio).arg(line).arg(needed).arg(oneLineRoom(w));
        }
        auto *label = qobject_cast<QLabel *>(w);
        if (label && label->wordWrap() && !label->text().isEmpty()) {
            const QRect box = label->contentsRect();
            const auto [top, bottom] = wrappedInk(label->font(), label->text(), box.width(),
                                                  label->alignment(), box.height(), ratio);
            if (top < 0 || bottom > box.height())
                faults << QStringLiteral("%1 at %2: inks rows %3 to %4 of %5")
                              .arg(where).arg(ratio).arg(top).arg(bottom).arg(box.height());
        }
        auto *frame = qobject_cast<QGroupBox *>(w->parentWidget());
        if (frame && !frame->title().isEmpty() && w->y() < frame->contentsRect().top())
            faults << QStringLiteral("%1 reaches into the caption of %2").arg(where, nameOf(frame));
    }
    return faults;
}

} // namespace everyuser
