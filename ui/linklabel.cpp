// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/linklabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A caption as the label shows it: a doubled ampersand stands for one.
QString shownCaption(const QString &caption)
{
    QString shown = caption;
    return shown.replace(QLatin1String("&&"), QLatin1String("&"));
}

// Screen readers announce a link label as a link, and can follow it.
class LinkLabelAccessible : public QAccessibleWidget
{
public:
    explicit LinkLabelAccessible(LinkLabel *label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            Q_EMIT static_cast<LinkLabel *>(widget())->clicked();
    }
};

QAccessibleInterface *linkLabelAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("LinkLabel"))
        if (auto *label = qobject_cast<LinkLabel *>(object))
            return new LinkLabelAccessible(label);
    return nullptr;
}

} // namespace

LinkLabel *makeLinkLabel(QWidget *parent, const char *name, const QString &caption,
                         const QRect &pixels, const QColor &color, const QFont &font,
                         Qt::Alignment alignment, bool wordWrap)
{
    auto *label = new LinkLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setCaption(caption);
    label->setTextColor(color);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setWordWrap(wordWrap);
    label->setGeometry(pixels);
    return label;
}

LinkLabel::LinkLabel(QWidget *parent)
    : QLabel(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(linkLabelAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setTextFormat(Qt::PlainText);
}

void LinkLabel::setCaption(const QString &caption)
{
    const QString shown = shownCaption(caption);
    setText(shown);
    setAccessibleName(shown);
}

void LinkLabel::setTextColor(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
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
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A dotted box in the text's own colour shows where the keyboard is; drawn over the
    // text rather than as a frame, so the text does not move when focus arrives.
    const QRect area = contentsRect();
    const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    QRect box = fontMetrics().boundingRect(area, flags, text()).adjusted(-1, -1, 1, 1);
    box = box.intersected(area.adjusted(0, 0, -1, -1));
    QPainter painter(this);
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
    return QLabel::event(event);
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
