// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/listbox.h"

#include "ui/accessiblefor.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <unordered_map>

namespace {

// One row as a screen reader sees it, as a list view's item: its text, whether it is the
// chosen one, where it is, and an action that chooses it.
class ListBoxRowAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    ListBoxRowAccessible(ListBox *list, int row)
        : m_list(list)
        , m_row(row)
    {
    }

    bool isValid() const override { return m_list && m_row < m_list->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_list ? m_list->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_list.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && m_list ? m_list->itemText(m_row) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        if (!m_list)
            return {};
        const QRect row = m_list->rowRect(m_row);
        return QRect(m_list->viewport()->mapToGlobal(row.topLeft()), row.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State st;
        if (!m_list)
            return st;
        st.selectable = true;
        st.focusable = true;
        st.selected = st.focused = m_list->currentRow() == m_row;
        if (!m_list->viewport()->rect().intersects(m_list->rowRect(m_row)))
            st.invisible = st.offscreen = true;
        return st;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString &action) override
    {
        if (action == toggleAction() && m_list)
            m_list->setCurrentRow(m_row);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<ListBox> m_list;
    int m_row;
};

// The list with a child for each row, made when a screen reader first asks for it.
class ListBoxAccessible : public QAccessibleWidget
{
public:
    explicit ListBoxAccessible(ListBox *list)
        : QAccessibleWidget(list, QAccessible::List)
    {
    }

    ~ListBoxAccessible() override
    {
        for (const auto &[row, id] : m_rows)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list()->count(); }

    QAccessibleInterface *child(int row) const override
    {
        if (row < 0 || row >= list()->count())
            return nullptr;
        if (const auto found = m_rows.find(row); found != m_rows.end())
            return QAccessible::accessibleInterface(found->second);
        auto *made = new ListBoxRowAccessible(list(), row);
        m_rows.emplace(row, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (const auto &[row, id] : m_rows)
            if (QAccessible::accessibleInterface(id) == child)
                return row;
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        return child(list()->rowAt(list()->viewport()->mapFromGlobal(QPoint(x, y))));
    }

    QAccessibleInterface *focusChild() const override
    {
        return list()->hasFocus() ? child(list()->currentRow()) : nullptr;
    }

private:
    ListBox *list() const { return static_cast<ListBox *>(widget()); }

    mutable std::unordered_map<int, QAccessible::Id> m_rows;
};

} // namespace

ListBox::ListBox(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    useAccessibleFor<ListBox, ListBoxAccessible>();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
}

ListBox::~ListBox() = default;

void ListBox::addItem(const QString &text)
{
    m_items << text;
    if (m_items.size() == 1)
        m_rowHeight = 0; // measured on the first row
    updateScrollBar();
    viewport()->update();
}

void ListBox::setCurrentRow(int row)
{
    if (row < -1 || row >= count())
        row = -1;
    if (row == m_current)
        return;
    const int before = m_current;
    m_current = row;
    viewport()->update(rowRect(before));
    viewport()->update(rowRect(row));
    ensureShown(row);
    announceCurrent(before);
    Q_EMIT currentRowChanged(row);
}

QRect ListBox::rowRect(int row) const
{
    if (row < 0 || row >= count())
        return {};
    const int height = rowHeight();
    return QRect(0, (row - firstShownRow()) * height, viewport()->width(), height);
}

int ListBox::rowAt(QPoint point) const
{
    if (point.x() < 0 || point.x() >= viewport()->width() || point.y() < 0)
        return -1;
    const int row = firstShownRow() + point.y() / rowHeight();
    return row < count() ? row : -1;
}

// Each row as a list view would pass it to the style, so it is drawn and measured alike.
QStyleOptionViewItem ListBox::itemOption() const
{
    QStyleOptionViewItem option;
    option.initFrom(this);
    option.state &= ~QStyle::State_MouseOver;
    option.font = font();
    if (!hasFocus())
        option.state &= ~QStyle::State_Active;
    option.state &= ~QStyle::State_HasFocus;
    const int icon = style()->pixelMetric(QStyle::PM_ListViewIconSize, nullptr, this);
    option.decorationSize = QSize(icon, icon);
    option.decorationPosition = QStyleOptionViewItem::Left;
    option.decorationAlignment = Qt::AlignCenter;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = Qt::ElideRight;
    option.showDecorationSelected =
        style()->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, nullptr, this);
    option.locale = locale();
    option.locale.setNumberOptions(QLocale::OmitGroupSeparator);
    option.widget = this;
    option.features = QStyleOptionViewItem::HasDisplay;
    return option;
}

int ListBox::rowHeight() const
{
    if (m_rowHeight <= 0) {
        // Every row is one line in the list's font, so the first stands for all.
        QStyleOptionViewItem option = itemOption();
        option.text = m_items.value(0);
        m_rowHeight = std::max(
            1, style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height());
    }
    return m_rowHeight;
}

int ListBox::rowsPerPage() const
{
    return std::max(1, viewport()->height() / rowHeight());
}

int ListBox::firstShownRow() const
{
    return verticalScrollBar()->value();
}

void ListBox::updateScrollBar()
{
    QScrollBar *bar = verticalScrollBar();
    const bool allFit = count() * rowHeight() <= viewport()->height();
    const int page = allFit ? count() : rowsPerPage();
    bar->setSingleStep(1);
    bar->setPageStep(page);
    bar->setRange(0, std::max(0, count() - page));
}

void ListBox::ensureShown(int row)
{
    if (row < 0)
        return;
    const int first = firstShownRow();
    if (row < first)
        verticalScrollBar()->setValue(row);
    else if ((row - first + 1) * rowHeight() > viewport()->height())
        verticalScrollBar()->setValue(row - rowsPerPage() + 1);
}

int ListBox::typedRow(const QString &typed)
{
    // Keys typed in quick succession spell one search; the same key again moves on to the
    // next row that starts with it.
    if (!m_sinceTyped.isValid() || m_sinceTyped.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_sinceTyped.start();
    const bool repeated = m_typed.size() == 1 && typed.compare(m_typed, Qt::CaseInsensitive) == 0;
    if (!repeated)
        m_typed += typed;
    const int from = std::max(m_current, 0) + (repeated || m_typed.size() == 1 ? 1 : 0);
    for (int i = 0; i < count(); ++i) {
        const int row = (from + i) % count();
        if (m_items.at(row).startsWith(m_typed, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

void ListBox::announceCurrent(int before)
{
    if (!QAccessible::isActive() || m_current < 0)
        return;
    // In the order a list view tells it: the row chosen, the row let go, then the focus.
    QAccessibleEvent chosen(this, QAccessible::Selection);
    chosen.setChild(m_current);
    QAccessible::updateAccessibility(&chosen);
    if (before >= 0) {
        QAccessibleEvent dropped(this, QAccessible::SelectionRemove);
        dropped.setChild(before);
        QAccessible::updateAccessibility(&dropped);
    }
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(m_current);
        QAccessible::updateAccessibility(&focus);
    }
}

bool ListBox::event(QEvent *event)
{
    // A list view's selection is drawn in the window's inactive colours while it is inactive.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        viewport()->update();
    return QAbstractScrollArea::event(event);
}

void ListBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_rowHeight = 0;
        updateScrollBar();
        viewport()->update();
    }
    QAbstractScrollArea::changeEvent(event);
}

void ListBox::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
}

void ListBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    QStyleOptionViewItem option = itemOption();
    const QStyle::State state = option.state;
    const bool focus = hasFocus() && m_current >= 0;
    const int first = firstShownRow();
    const int last = std::min(count() - 1, first + viewport()->height() / rowHeight());
    for (int row = first; row <= last; ++row) {
        option.rect = rowRect(row);
        if (!event->rect().intersects(option.rect))
            continue;
        option.state = state;
        option.palette.setCurrentColorGroup(isEnabled() ? QPalette::Normal : QPalette::Disabled);
        if (row == m_current) {
            option.state |= QStyle::State_Selected;
            if (focus)
                option.state |= QStyle::State_HasFocus;
        }
        option.text = m_items.at(row);
        style()->drawControl(QStyle::CE_ItemViewItem, &option, &painter, this);
    }
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        const int row = rowAt(event->position().toPoint());
        if (row >= 0)
            setCurrentRow(row);
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void ListBox::chooseRowAt(QPoint point)
{
    if (count() == 0)
        return;
    const int y = point.y();
    const int offset = y < 0 ? (y - rowHeight() + 1) / rowHeight() : y / rowHeight();
    setCurrentRow(std::clamp(firstShownRow() + offset, 0, count() - 1));
}

// Dragging with the button down chooses the row under the pointer; near or past an edge the
// list scrolls on by itself, faster the longer the pointer stays there, as item views do.
constexpr int AutoScrollMargin = 16;
constexpr int AutoScrollMs = 50;

void ListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        chooseRowAt(at);
        if (at.y() < AutoScrollMargin || at.y() >= viewport()->height() - AutoScrollMargin) {
            if (!m_autoScroll.isActive()) {
                m_autoScrollStep = 0;
                m_autoScroll.start(AutoScrollMs, this);
            }
        } else {
            m_autoScroll.stop();
        }
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    m_autoScroll.stop();
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void ListBox::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_autoScroll.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    QScrollBar *bar = verticalScrollBar();
    m_autoScrollStep = std::min(m_autoScrollStep + 1, std::max(1, bar->pageStep()));
    const int before = bar->value();
    if (at.y() < AutoScrollMargin)
        bar->setValue(before - m_autoScrollStep);
    else if (at.y() >= viewport()->height() - AutoScrollMargin)
        bar->setValue(before + m_autoScrollStep);
    if (!(QApplication::mouseButtons() & Qt::LeftButton) || bar->value() == before) {
        m_autoScroll.stop();
        return;
    }
    chooseRowAt(at);
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    if (count() == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int current = std::max(m_current, 0);
    int row = -1;
    switch (event->key()) {
    case Qt::Key_Up:
        row = m_current < 0 ? 0 : current - 1;
        break;
    case Qt::Key_Down:
        row = m_current < 0 ? 0 : current + 1;
        break;
    // A page on, the row that was last in view stays in view as the first.
    case Qt::Key_PageUp:
        row = current - std::max(1, rowsPerPage() - 1);
        break;
    case Qt::Key_PageDown:
        row = current + std::max(1, rowsPerPage() - 1);
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = count() - 1;
        break;
    default:
        if (const QString typed = event->text();
            !typed.isEmpty() && typed.at(0).isPrint() && !typed.at(0).isSpace()
            && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (const int found = typedRow(typed); found >= 0)
                setCurrentRow(found);
            event->accept();
            return;
        }
        event->ignore();
        return;
    }
    setCurrentRow(std::clamp(row, 0, count() - 1));
    event->accept();
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update(rowRect(m_current));
}

void ListBox::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update(rowRect(m_current));
}

void ListBox::scrollContentsBy(int, int)
{
    viewport()->update();
}
