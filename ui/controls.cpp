// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QFocusEvent>
#include <QFocusFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>

#include <algorithm>

QLabel *makeWrappedText(QWidget *parent, const char *name, const QString &text,
                        const QRect &pixels, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(pixels);
    return label;
}

namespace {

// The frame is made on the first focus, so a control nobody visits costs nothing. Like the
// desktop's own focus cues, it shows only while the focus came from the keyboard: a mouse
// user has just seen where they clicked.
class FocusFrameKeeper : public QObject
{
public:
    explicit FocusFrameKeeper(QWidget *box)
        : QObject(box)
        , m_box(box)
    {
        box->installEventFilter(this);
    }
    ~FocusFrameKeeper() override { delete m_frame; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::FocusIn) {
            switch (static_cast<QFocusEvent *>(event)->reason()) {
            // Keys reach only the active window; a dialog being shown hands its first
            // control a Tab focus before any key was pressed.
            case Qt::TabFocusReason:
            case Qt::BacktabFocusReason:
            case Qt::ShortcutFocusReason:
                m_fromKeyboard = m_box->isActiveWindow();
                break;
            // Back from another window or a menu: the cue stays as it was.
            case Qt::ActiveWindowFocusReason:
            case Qt::PopupFocusReason:
                break;
            default:
                m_fromKeyboard = false;
                break;
            }
            if (m_fromKeyboard && !m_frame)
                m_frame = new QFocusFrame(m_box);
            if (m_frame)
                m_frame->setWidget(m_fromKeyboard ? m_box : nullptr);
        } else if (watched == m_box && event->type() == QEvent::FocusOut && m_frame) {
            m_frame->setWidget(nullptr);
        }
        return false;
    }

private:
    QWidget *m_box;
    QPointer<QFocusFrame> m_frame;
    bool m_fromKeyboard = false;
};

// Setting a document's text leaves the caret after it, where reading on finds nothing.
// It is put back at the start when the box is first shown, the view then being at its
// top; doing it sooner would lay the text out at a width the box does not have yet.
class CaretAtStart : public QObject
{
public:
    explicit CaretAtStart(QPlainTextEdit *box)
        : QObject(box)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *box = static_cast<QPlainTextEdit *>(watched);
            box->moveCursor(QTextCursor::Start);
            box->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

// The view tells readers it has the focus once the focus has arrived, after the FocusIn
// event, so the item is told after that, from the event loop.
class CurrentItemOnFocus : public QObject
{
public:
    explicit CurrentItemOnFocus(QAbstractItemView *list)
        : QObject(list)
        , m_list(list)
    {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_list && event->type() == QEvent::FocusIn && QAccessible::isActive())
            QMetaObject::invokeMethod(this, &CurrentItemOnFocus::announce, Qt::QueuedConnection);
        return false;
    }

private:
    void announce()
    {
        const QModelIndex current = m_list->currentIndex();
        if (!m_list->hasFocus() || !current.isValid())
            return;
        // A list's items are its accessible children in row order.
        QAccessibleEvent focus(m_list, QAccessible::Focus);
        focus.setChild(current.row());
        QAccessible::updateAccessibility(&focus);
    }

    QAbstractItemView *m_list;
};

// A line edit's limit for a box of many lines: what passes it is cut from the end of what
// was just typed or pasted.
class LengthLimit : public QObject
{
public:
    LengthLimit(QPlainTextEdit *box, int maxLength)
        : QObject(box)
        , m_box(box)
        , m_maxLength(maxLength)
    {
        connect(box->document(), &QTextDocument::contentsChange, this,
                [this](int from, int, int added) { m_editEnd = from + added; });
        connect(box, &QPlainTextEdit::textChanged, this, &LengthLimit::cut);
    }

private:
    void cut()
    {
        QTextDocument *document = m_box->document();
        const int length = document->characterCount() - 1;
        const int over = length - m_maxLength;
        if (over <= 0)
            return;
        const int end = std::clamp(m_editEnd, over, length);
        QTextCursor cursor(document);
        cursor.setPosition(end - over);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }

    QPlainTextEdit *m_box;
    int m_maxLength;
    int m_editEnd = 0;
};

} // namespace

void showFocusFrame(QWidget *control)
{
    new FocusFrameKeeper(control);
}

void readFromStart(QPlainTextEdit *box)
{
    new CaretAtStart(box);
}

void announceCurrentItemOnFocus(QAbstractItemView *list)
{
    new CurrentItemOnFocus(list);
}

void limitLength(QPlainTextEdit *box, int maxLength)
{
    new LengthLimit(box, maxLength);
}

