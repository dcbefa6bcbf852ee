// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/linklabel.h"

#include "ui/accessiblefor.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace {

// A caption as the label shows it: a doubled ampersand stands for one.
QString shownCaption(const QString &caption)
{
    QString shown = caption;
    return shown.replace(QLatin1String("&&"), QLatin1String("&"));
}

// Screen readers announce a link label, or a check box used as a link, as a link, and can
// follow it.
class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(QWidget *link)
        : QAccessibleWidget(link, QAccessible::Link)
    {
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action != pressAction())
            return;
        if (auto *label = qobject_cast<LinkLabel *>(widget()))
            Q_EMIT label->clicked();
        else if (auto *box = qobject_cast<QAbstractButton *>(widget()))
            box->click();
    }
};

} // namespace

void styleLinkLabel(LinkLabel *label, const LinkStyle &style)
{
    label->setTextColor(style.color);
    label->setFont(style.font);
    label->setAlignment(style.alignment);
    label->setWordWrap(style.wordWrap);
}

LinkLabel *makeLinkLabel(QWidget *parent, const LinkLabelOptions &options)
{
    auto *label = new LinkLabel(parent);
    label->setObjectName(QString::fromLatin1(options.name));
    label->setCaption(options.caption);
    styleLinkLabel(label, options.style);
    label->setGeometry(options.place);
    return label;
}

LinkLabel::LinkLabel(QWidget *parent)
    : QWidget(parent)
{
    useAccessibleFor<LinkLabel, LinkAccessible>();
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::setCaption(const QString &caption)
{
    const QString shown = shownCaption(caption);
    setAccessibleName(shown);
    if (shown == m_text)
        return;
    m_text = shown;
    relayout();
}

void LinkLabel::setTextColor(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void LinkLabel::setAlignment(Qt::Alignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    relayout();
}

void LinkLabel::setWordWrap(bool on)
{
    if (on == m_wordWrap)
        return;
    m_wordWrap = on;
    relayout();
}

QSize LinkLabel::sizeHint() const
{
    const int flags = int(m_alignment) | (m_wordWrap ? Qt::TextWordWrap : 0);
    const QRect room(0, 0, m_wordWrap && width() > 0 ? width() : QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return fontMetrics().boundingRect(room, flags, m_text).size();
}

void LinkLabel::relayout()
{
    m_laidOut = false;
    updateGeometry();
    update();
}

qreal LinkLabel::laidOutHeight()
{
    if (m_laidOut)
        return m_height;
    // As a focusable QLabel's text document lays it out: one block, no margins, lines as
    // wide as the label (or as their text, where that is wider), each as high as the font's
    // ascent, descent and leading, rounded up.
    QTextOption option(m_alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(m_wordWrap ? QTextOption::WordWrap : QTextOption::ManualWrap);
    m_lines.setText(m_text);
    m_lines.setFont(font());
    m_lines.setTextOption(option);
    m_lines.beginLayout();
    qreal y = 0;
    for (QTextLine line = m_lines.createLine(); line.isValid(); line = m_lines.createLine()) {
        line.setLineWidth(contentsRect().width());
        if (line.naturalTextWidth() > contentsRect().width())
            line.setLineWidth(line.naturalTextWidth());
        line.setPosition(QPointF(0, y));
        y += qCeil(line.ascent() + line.descent() + line.leading());
    }
    m_lines.endLayout();
    m_height = y;
    m_laidOut = true;
    return m_height;
}

void LinkLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LayoutDirectionChange)
        relayout();
    QWidget::changeEvent(event);
}

void LinkLabel::resizeEvent(QResizeEvent *event)
{
    m_laidOut = false;
    QWidget::resizeEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->setAccepted(m_pressed);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    event->setAccepted(m_pressed);
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            Q_EMIT clicked();
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent *)
{
    const QRect area = contentsRect();
    const qreal height = laidOutHeight();
    qreal top = 0;
    if (m_alignment & Qt::AlignVCenter)
        top = qMax((area.height() - height) / 2, qreal(0));
    else if (m_alignment & Qt::AlignBottom)
        top = qMax(area.height() - height, qreal(0));

    QPainter painter(this);
    painter.save();
    painter.translate(area.left(), area.top() + qFloor(top));
    painter.setClipRect(QRect(QPoint(0, 0), area.size()));
    // A disabled label reads in the palette's disabled text colour, as a QLabel's does.
    painter.setPen(palette().color(isEnabled() ? foregroundRole() : QPalette::Text));
    m_lines.draw(&painter, QPointF(0, 0));
    painter.restore();

    if (!hasFocus())
        return;
    // A dotted box in the text's own colour shows where the keyboard is; drawn over the
    // text rather than as a frame, so the text does not move when focus arrives.
    const int flags = int(m_alignment) | (m_wordWrap ? Qt::TextWordWrap : 0);
    QRect box = fontMetrics().boundingRect(area, flags, m_text).adjusted(-1, -1, 1, 1);
    box = box.intersected(area.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(palette().color(foregroundRole()), 1, Qt::DotLine));
    painter.drawRect(box);
}

void LinkLabel::bringToFront()
{
    raise();
    // raise() reports nothing for a label already on top, so settle the place here too.
    showTopmostOfPlace();
}

bool LinkLabel::event(QEvent *event)
{
    if (event->type() == QEvent::ZOrderChange)
        showTopmostOfPlace();
    return QWidget::event(event);
}

void LinkLabel::showTopmostOfPlace()
{
    QWidget *holder = parentWidget();
    if (!holder)
        return;
    // A parent's children are kept in stacking order, the topmost last.
    QList<LinkLabel *> place;
    for (QObject *child : holder->children()) {
        auto *label = qobject_cast<LinkLabel *>(child);
        if (label && label->geometry() == geometry())
            place.append(label);
    }
    if (place.size() < 2)
        return;
    LinkLabel *front = place.takeLast();
    bool focusWasBehind = false;
    for (LinkLabel *behind : std::as_const(place)) {
        focusWasBehind = focusWasBehind || behind->hasFocus();
        behind->setFocusPolicy(Qt::NoFocus);
        behind->hide();
    }
    front->setFocusPolicy(Qt::TabFocus);
    front->show();
    if (focusWasBehind)
        front->setFocus(Qt::OtherFocusReason);
}

LinkCheckBox::LinkCheckBox(QWidget *parent)
    : QCheckBox(parent)
{
    useAccessibleFor<LinkCheckBox, LinkAccessible>();
}

void LinkCheckBox::setCaption(const QString &caption)
{
    setText(caption);
    setAccessibleName(shownCaption(caption));
}

void LinkCheckBox::keyPressEvent(QKeyEvent *event)
{
    // Enter follows it too, as it follows every link.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QCheckBox::keyPressEvent(event);
}
