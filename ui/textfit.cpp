// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/textfit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>

#include <cmath>

namespace {

// A line edit keeps this much space either side of its text, and one pixel for its caret.
constexpr int LineEditMargin = 2;
constexpr int CaretWidth = 1;

// Drawn at another pixel ratio a text grows by a few per cent at most: the width that
// leaves room for that, so a text with as much to spare need not be measured again.
qreal withRoomToSpare(qreal width)
{
    return width * 1.08 + 2;
}

bool fitsAtEveryRatio(const QFont &font, const QString &text, qreal room)
{
    if (withRoomToSpare(textWidthAt(font, text, 1.0)) <= room)
        return true;
    for (qreal ratio : PixelRatios) {
        if (textWidthAt(font, text, ratio) > room)
            return false;
    }
    return true;
}

qreal widestWidth(const QFont &font, const QString &text)
{
    qreal widest = 0;
    for (qreal ratio : PixelRatios)
        widest = qMax(widest, textWidthAt(font, text, ratio));
    return widest;
}

int lineEditRoom(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->contentsRect();
    option.lineWidth =
        edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                         : 0;
    const QMargins margins = edit->textMargins();
    return edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width()
           - margins.left() - margins.right() - 2 * LineEditMargin - CaretWidth;
}

int buttonRoom(const QAbstractButton *button, QStyle::SubElement contents)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    return button->style()->subElementRect(contents, &option, button).width();
}

QRect captionRect(const QGroupBox *frame, QStyle::SubControl part)
{
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return frame->style()->subControlRect(QStyle::CC_GroupBox, &option, part, frame);
}

} // namespace

QFont scaledFont(const QFont &font, qreal ratio)
{
    QFont scaled = font;
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * ratio);
    else
        scaled.setPixelSize(qRound(font.pixelSize() * ratio));
    return scaled;
}

qreal textWidthAt(const QFont &font, const QString &text, qreal ratio)
{
    return QFontMetricsF(scaledFont(font, ratio)).horizontalAdvance(text) / ratio;
}

QString oneLineText(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->wordWrap() ? QString() : label->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->displayText();
    QString text;
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        text = button->text();
    else if (auto *frame = qobject_cast<const QGroupBox *>(widget))
        text = frame->title();
    // An access-key marker is drawn as an underline, a doubled one as one ampersand.
    static const QRegularExpression marker(QStringLiteral("&(.)"));
    return text.replace(marker, QStringLiteral("\\1"));
}

int oneLineRoom(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->contentsRect().width() - 2 * label->margin();
    if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        return lineEditRoom(edit);
    if (auto *box = qobject_cast<const QCheckBox *>(widget))
        return buttonRoom(box, QStyle::SE_CheckBoxContents);
    if (auto *button = qobject_cast<const QPushButton *>(widget))
        return buttonRoom(button, QStyle::SE_PushButtonContents);
    if (auto *frame = qobject_cast<const QGroupBox *>(widget)) {
        const QRect whole = captionRect(frame, QStyle::SC_GroupBoxFrame);
        const int inset = captionRect(frame, QStyle::SC_GroupBoxLabel).left() - whole.left();
        return whole.width() - 2 * inset;
    }
    return 0;
}

void condenseToFit(QWidget *widget)
{
    const QString text = oneLineText(widget);
    const int room = oneLineRoom(widget);
    QFont font = widget->font();
    if (text.isEmpty() || fitsAtEveryRatio(font, text, room))
        return;
    // Start from the proportional guess; a condensed face does not shrink in exact
    // proportion, so step down from there until it fits.
    const int unstretched = font.stretch() > 0 ? font.stretch() : int(QFont::Unstretched);
    int stretch = qMax(int(QFont::UltraCondensed),
                       int(std::floor(unstretched * room / widestWidth(font, text))));
    font.setStretch(stretch);
    while (!fitsAtEveryRatio(font, text, room) && stretch > QFont::UltraCondensed)
        font.setStretch(--stretch);
    widget->setFont(font);
}

void sizeToText(QLabel *label)
{
    label->adjustSize();
    const int frame = label->width() - label->contentsRect().width() + 2 * label->margin();
    const qreal width = textWidthAt(label->font(), label->text(), 1.0);
    label->resize(qMax(label->width(), int(std::ceil(withRoomToSpare(width))) + frame),
                  label->height());
}

void keepClearOfCaption(QGroupBox *frame)
{
    if (frame->title().isEmpty())
        return;
    const int top = frame->contentsRect().top();
    for (QWidget *child : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->y() < top)
            child->move(child->x(), top);
    }
}
