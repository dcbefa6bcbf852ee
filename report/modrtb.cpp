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

#include <algorithm>
#include <memory>

namespace modRTB {
namespace {

// Qt lays a paragraph out in time that grows with the square of its longest word when
// lines wrap at word boundaries (each line first looks for the end of the word), so a
// pasted run of a million characters without a space would hold the window for many
// seconds. While the box holds a word this long, lines break anywhere instead.
constexpr qsizetype LongestWordWrappedAtItsEnds = 4000;

qsizetype longestWord(QStringView text)
{
    qsizetype longest = 0;
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        longest = qMax(longest, run);
    }
    return longest;
}

// What one paragraph holds, found once whenever its text changes, so that pointing at
// the text never searches it again: its addresses, and whether it has an overlong word.
// A paragraph with one counts itself in the box's tally for as long as it has it.
class BlockLinks : public QTextBlockUserData
{
public:
    BlockLinks(QList<links::WebAddress> found, std::shared_ptr<int> overlongTally)
        : addresses(std::move(found))
        , m_tally(std::move(overlongTally))
    {
        if (m_tally)
            ++*m_tally;
    }
    ~BlockLinks() override
    {
        if (m_tally)
            --*m_tally;
    }

    const QList<links::WebAddress> addresses;

private:
    // Shared, since the document deletes its paragraphs after the highlighter.
    const std::shared_ptr<int> m_tally;
};

// The link look is drawn over the text, not stored in it, so what is saved keeps the
// colours that were inserted.
class LinkHighlighter : public QSyntaxHighlighter
{
public:
    explicit LinkHighlighter(QTextEdit *box)
        : QSyntaxHighlighter(box->document())
        , m_box(box)
        , m_usualWrap(box->wordWrapMode())
    {
        m_look.setForeground(QColor(LinkBlue));
        m_look.setFontUnderline(true);
    }

protected:
    void highlightBlock(const QString &text) override
    {
        const bool overlong = longestWord(text) > LongestWordWrappedAtItsEnds;
        auto *found = new BlockLinks(links::FindWebAddresses(text),
                                     overlong ? m_overlongBlocks : nullptr);
        for (const links::WebAddress &address : found->addresses)
            setFormat(int(address.start), int(address.length), m_look);
        setCurrentBlockUserData(found);
        updateWrapping();
    }

private:
    // Called while the document reports a change and before it lays the change out, so
    // the layout that follows already breaks where it must.
    void updateWrapping()
    {
        m_box->setWordWrapMode(*m_overlongBlocks > 0 ? QTextOption::WrapAnywhere : m_usualWrap);
    }

    QTextCharFormat m_look;
    // The box outlives its document's highlighter, which it owns through the document.
    QTextEdit *const m_box;
    const QTextOption::WrapMode m_usualWrap;
    const std::shared_ptr<int> m_overlongBlocks = std::make_shared<int>(0);
};

class LinkHook : public QObject
{
public:
    explicit LinkHook(QTextEdit *box)
        : QObject(box)
        , m_box(box)
        , m_viewport(box->viewport())
    {
        new LinkHighlighter(box);
        m_viewport->installEventFilter(this);
        m_viewport->setMouseTracking(true);
    }

protected:
    // The viewport still has events while the box is being destroyed around it, when the
    // box is no longer a text box: only mouse events, which come to a live box, touch it.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_viewport) {
            if (event->type() == QEvent::MouseButtonPress) {
                const auto *mouse = static_cast<QMouseEvent *>(event);
                if (mouse->button() == Qt::LeftButton)
                    openLinkAt(mouse->position());
            } else if (event->type() == QEvent::MouseMove) {
                const auto *mouse = static_cast<QMouseEvent *>(event);
                m_viewport->setCursor(linkTextAt(mouse->position()).isEmpty()
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
        const auto *found = static_cast<const BlockLinks *>(block.userData());
        if (!found)
            return {};
        const qsizetype offset = position - block.position();
        // In order and apart, so the first that ends past the offset is the only candidate.
        const auto it = std::upper_bound(
            found->addresses.cbegin(), found->addresses.cend(), offset,
            [](qsizetype at, const links::WebAddress &a) { return at < a.start + a.length; });
        if (it == found->addresses.cend() || offset < it->start)
            return {};
        return block.text().mid(it->start, it->length);
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
    QWidget *m_viewport;
};

} // namespace

void HookReportLinks(QTextEdit *box, QWidget * /*form*/)
{
    // The desktop opens a link without an owner window, so the form is not needed here.
    if (box)
        new LinkHook(box);
}

} // namespace modRTB
