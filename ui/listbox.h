// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QStringList>

class QStyleOptionViewItem;

// A list box: one-line texts, one of them chosen, scrolled an item at a time. It looks and
// answers to the mouse, the keyboard and screen readers as a single-selection list view,
// drawing each row with the style's own item painting, but without the model, selection
// model and delegate a list view builds, which cost start-up as much as the rest of a window.
class ListBox : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit ListBox(QWidget *parent = nullptr);
    ~ListBox() override;

    void addItem(const QString &text);
    int count() const { return int(m_items.size()); }
    QString itemText(int row) const { return m_items.value(row); }

    // The chosen row, which is also the current one; -1 when none is.
    int currentRow() const { return m_current; }
    void setCurrentRow(int row);

    // Where a row is drawn, in the viewport's coordinates.
    QRect rowRect(int row) const;
    // The row drawn at a point of the viewport, or -1.
    int rowAt(QPoint point) const;

Q_SIGNALS:
    void currentRowChanged(int row);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QStyleOptionViewItem itemOption() const;
    int rowHeight() const;
    // Rows that fit whole in the viewport, at least one.
    int rowsPerPage() const;
    int firstShownRow() const;
    void updateScrollBar();
    void ensureShown(int row);
    // Chooses the row at a point of the viewport, or the nearest row past its edge.
    void chooseRowAt(QPoint point);
    // The next row whose text starts with what was typed, searching on from the current one.
    int typedRow(const QString &typed);
    void announceCurrent(int before);

    QStringList m_items;
    int m_current = -1;
    mutable int m_rowHeight = 0;
    QString m_typed;
    QElapsedTimer m_sinceTyped;
    QBasicTimer m_autoScroll;
    int m_autoScrollStep = 0;
};
