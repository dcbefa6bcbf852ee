// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/colours.h"

#include <QCheckBox>
#include <QTextLayout>
#include <QWidget>

// A label that acts as a link: coloured text, a hand pointer, and a click on release.
// It can also be reached with Tab and followed with Enter or Space. It paints its own
// caption, laid out as a focusable QLabel lays out its text, without the text control and
// document such a label would build.
class LinkLabel : public QWidget
{
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    // The caption as shown.
    QString text() const { return m_text; }
    void setTextColor(const QColor &color);

    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return m_alignment; }
    void setWordWrap(bool on);
    bool wordWrap() const { return m_wordWrap; }

    // Puts this label in front of the link labels sharing its place in the same parent.
    // Those behind are hidden and leave the tab chain, so only the front one can be seen,
    // clicked, focused or read out. A plain raise() or lower() has the same effect.
    void bringToFront();

    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showTopmostOfPlace();
    void relayout();
    // The caption's lines, laid out for the current width; their height.
    qreal laidOutHeight();

    QString m_text;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool m_wordWrap = false;
    bool m_pressed = false;
    bool m_laidOut = false;
    qreal m_height = 0;
    QTextLayout m_lines;
};

// A check box used as a link: it looks and ticks as a check box does, but screen readers
// announce it as a link named by its caption, and Enter follows it as Space does.
class LinkCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit LinkCheckBox(QWidget *parent = nullptr);

    // Shows the caption and names the link by it.
    void setCaption(const QString &caption);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// How a link label looks and lays out its caption.
struct LinkStyle {
    QColor color;
    QFont font;
    Qt::Alignment alignment;
    bool wordWrap = true;
};

// Gives a link label placed elsewhere, such as by a Designer form, its look.
void styleLinkLabel(LinkLabel *label, const LinkStyle &style);

// What a link label is made with; its caption is shown as plain text, a doubled ampersand
// standing for one.
struct LinkLabelOptions {
    const char *name;
    QString caption;
    QRect place; // pixels
    LinkStyle style;
};

// A link label named, placed and styled in one call.
LinkLabel *makeLinkLabel(QWidget *parent, const LinkLabelOptions &options);
