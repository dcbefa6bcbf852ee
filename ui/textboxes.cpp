// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/textboxes.h"

#include "ui/controls.h"
#include "ui/textfit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// Qt lays out a one-paragraph text as soon as it is set, at whatever width the box has then,
// and again at its real width when the box is first shown. The paragraph is laid out on
// demand when it is drawn anyway, so the early pass is skipped: the box holds its text from
// the start and is laid out once, at its real width.
class OnDemandLayout : public QPlainTextDocumentLayout
{
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override
    {
        if (document()->blockCount() == 1) {
            document()->firstBlock().clearLayout();
            requestUpdate();
            return;
        }
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
    }
};

} // namespace

QLabel *makeLabel(QWidget *parent, const BoxCaption &caption, const QFont &font)
{
    auto *label = new QLabel(QString::fromLatin1(caption.caption), parent);
    label->setObjectName(QString::fromLatin1(caption.name));
    label->setToolTip(QString::fromLatin1(caption.tooltip));
    label->setFont(font);
    if (caption.at.width > 0) {
        label->setGeometry(inPixels(caption.at));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        condenseToFit(label);
    } else {
        label->move(pixelsFromTwips(caption.at.left), pixelsFromTwips(caption.at.top));
        sizeToText(label);
    }
    return label;
}

void labelBox(QLabel *label, QWidget *box)
{
    label->setBuddy(box);
    box->setAccessibleDescription(label->toolTip());
}

QLineEdit *makeLineBox(QWidget *parent, const TextBoxOptions &options)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(options.name));
    box->setReadOnly(true);
    box->setGeometry(inPixels(options.at));
    fillLineBox(box, options.font, options.text);
    return box;
}

void fillLineBox(QLineEdit *box, const QFont &font, const QString &text)
{
    box->setFont(font);
    box->setText(text);
    box->setCursorPosition(0);
    condenseToFit(box);
}

QPlainTextEdit *makeProseBox(QWidget *parent, const TextBoxOptions &options)
{
    auto *box = new QPlainTextEdit(parent);
    auto *document = new QTextDocument(box);
    document->setDocumentLayout(new OnDemandLayout(document));
    box->setDocument(document);
    box->setObjectName(QString::fromLatin1(options.name));
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setGeometry(inPixels(options.at));
    showFocusFrame(box);
    readFromStart(box);
    box->setFont(options.font);
    document->setPlainText(options.text);
    return box;
}

QList<QWidget *> tabStops(const QWidget *page)
{
    QList<QWidget *> stops;
    const QWidget *window = page->window();
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && page->isAncestorOf(w))
            stops << w;
    }
    return stops;
}
