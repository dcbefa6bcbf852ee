// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/modrtb.h"

#include "report/links.h"
#include "ui/colours.h"
#include "web/pages.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextEdit>

namespace modRTB {
namespace {

// The link look is drawn over the text, not stored in it, so what is saved keeps the
// colours that were inserted.
class LinkHighlighter : public QSyntaxHighlighter
{
public:
    explicit LinkHighlighter(QTextDocument *document)
        : QSyntaxHighlighter(document)
    {
        m_look.setForeground(QColor(LinkBlue));
        m_look.setFontUnderline(true);
    }

protected:
    void highlightBlock(const QString &text) override
    {
        for (const links::WebAddress &address : links::FindWebAddresses(text))
            setFormat(int(address.start), int(address.length), m_look);
    }

private:
    QTextCharFormat m_look;
};

class LinkHook : public QObject
{
public:
    explicit LinkHook(QTextEdit *box)
        : QObject(box)
        , m_box(box)
    {
        new LinkHighlighter(box->document());
        box->viewport()->installEventFilter(this);
        box->viewport()->setMouseTracking(true);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box->viewport()) {
            if (event->type() == QEvent::MouseButtonPress) {
                const auto *mouse = static_cast<QMouseEvent *>(event);
                if (mouse->button() == Qt::LeftButton)
                    openLinkAt(mouse->position());
            } else if (event->type() == QEvent::MouseMove) {
                const auto *mouse = static_cast<QMouseEvent *>(event);
                m_box->viewport()->setCursor(linkTextAt(mouse->position()).isEmpty()
                                                 ? Qt::IBeamCursor
                                                 : Qt::PointingHandCursor);
            }
        }
        // Never swallowed: the press also places the caret, as it would without us.
        return false;
    }

private:
    QString linkTextAt(QPointF viewportPos) const
    {
        const QPointF at = viewportPos + QPointF(m_box->horizontalScrollBar()->value(),
                                                 m_box->verticalScrollBar()->value());
        QTextDocument *document = m_box->document();
        const int position = document->documentLayout()->hitTest(at, Qt::ExactHit);
        if (position < 0)
            return {};
        const QTextBlock block = document->findBlock(position);
        const QString text = block.text();
        const qsizetype offset = position - block.position();
        for (const links::WebAddress &address : links::FindWebAddresses(text)) {
            if (offset >= address.start && offset < address.start + address.length)
                return text.mid(address.start, address.length);
        }
        return {};
    }

    void openLinkAt(QPointF viewportPos) const
    {
        const QString text = linkTextAt(viewportPos);
        if (text.isEmpty())
            return;
        if (const auto address = links::OpenableAddress(text))
            modHelp::OpenWebPage(*address);
    }

    QTextEdit *m_box;
};

} // namespace

void HookReportLinks(QTextEdit *box, QWidget * /*form*/)
{
    // The desktop opens a link without an owner window, so the form is not needed here.
    if (box)
        new LinkHook(box);
}

} // namespace modRTB
