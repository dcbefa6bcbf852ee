// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/textfit.h"

#include "ui/linklabel.h"

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
// Closer than this, letters begin to touch; a longer text is condensed instead.
constexpr int MinimumSpacing = 88;

// Rounding of glyph positions can add a pixel or two to a text as drawn.
qreal withRoomToSpare(qreal width)
{
    return width + 2;
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
    if (auto *link = qobject_cast<const LinkLabel *>(widget))
        return link->wordWrap() ? QString() : link->text();
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
    if (auto *link = qobject_cast<const LinkLabel *>(widget))
        return link->contentsRect().width();
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
    const qreal ratio = widget->devicePixelRatioF();
    QFont font = widget->font();
    const qreal width = text.isEmpty() ? 0 : textWidthAt(font, text, ratio);
    if (width <= room)
        return;
    // Letters set a little closer first: that needs no font of its own, where every
    // condensed width is one more font engine to load before the window can show.
    for (int spacing = int(std::floor(100 * room / width)); spacing >= MinimumSpacing; --spacing) {
        font.setLetterSpacing(QFont::PercentageSpacing, spacing);
        if (textWidthAt(font, text, ratio) <= room) {
            widget->setFont(font);
            return;
        }
    }
    font.setLetterSpacing(QFont::PercentageSpacing, 100);
    // Start from the proportional guess; a condensed face does not shrink in exact
    // proportion, so step down from there until it fits.
    const int unstretched = font.stretch() > 0 ? font.stretch() : int(QFont::Unstretched);
    int stretch = qMax(int(QFont::UltraCondensed), int(std::floor(unstretched * room / width)));
    font.setStretch(stretch);
    while (textWidthAt(font, text, ratio) > room && stretch > QFont::UltraCondensed)
        font.setStretch(--stretch);
    widget->setFont(font);
}

void sizeToText(QLabel *label)
{
    label->adjustSize();
    const int frame = label->width() - label->contentsRect().width() + 2 * label->margin();
    const qreal width = textWidthAt(label->font(), label->text(), label->devicePixelRatioF());
    label->resize(qMax(label->width(), int(std::ceil(withRoomToSpare(width))) + frame),
                  label->height());
}

void keepClearOfCaption(QGroupBox *frame)
{
    if (frame->title().isEmpty())
        return;
    const int top = frame->contentsRect().top();
    for (QObject *object : frame->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (child && child->y() < top)
            child->move(child->x(), top);
    }
}
