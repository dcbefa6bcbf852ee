// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/reportprint.h"

#include "report/freememory.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <memory>

namespace report {
namespace {

// Draws the lines that start on the page from top to bottom, looking at the blocks from
// the first one not yet finished; returns the first block with lines below the page
// (invalid once all are drawn), so that every page starts where the one before ended.
QTextBlock drawLinesWithin(QPainter &painter, const QAbstractTextDocumentLayout &layout,
                           QTextBlock block, qreal top, qreal bottom)
{
    QTextBlock unfinished;
    for (; block.isValid(); block = block.next()) {
        const QRectF area = layout.blockBoundingRect(block);
        if (area.top() >= bottom)
            return unfinished.isValid() ? unfinished : block;
        if (area.bottom() > bottom && !unfinished.isValid())
            unfinished = block;
        if (area.bottom() < top)
            continue;
        const QTextLayout *lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const qreal y = lines->position().y() + line.y();
            if (y >= top && y < bottom)
                line.draw(&painter, lines->position());
        }
    }
    return unfinished;
}

// Layout positions are fixed-point numbers in 32 bits, 6 of them for the fraction: a
// document taller than this many device pixels (about 2,700 A4 pages at 1200 dpi) wraps
// around, and its pages come out blank.
constexpr qreal MostLayoutHeight = 33'000'000;

qreal laidOutHeight(const QTextDocument &document)
{
    const QAbstractTextDocumentLayout *layout = document.documentLayout();
    qreal height = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        height += layout->blockBoundingRect(block).height();
    return height;
}

PrintResult printCopy(const QTextDocument &document, QPrinter &printer)
{
    // A copy laid out for the printer's page, so that no line is split between two pages.
    const std::unique_ptr<QTextDocument> copy(document.clone());
    // The link look is drawn over the text, not part of it; print it as the box shows it.
    // Each block keeps the glyphs of its layout, which drawing uses again rather than
    // shaping the text a second time. Both are set before the copy is first laid out.
    for (QTextBlock from = document.begin(), to = copy->begin(); from.isValid() && to.isValid();
         from = from.next(), to = to.next()) {
        if (const QList<QTextLayout::FormatRange> formats = from.layout()->formats();
            !formats.isEmpty()) {
            to.layout()->setFormats(formats);
        }
        to.layout()->setCacheEnabled(true);
    }
    QAbstractTextDocumentLayout *layout = copy->documentLayout();
    layout->setPaintDevice(&printer);
    // No ligatures on paper: print chains (CUPS, pdftocairo, Ghostscript) lose the text
    // behind a ligature glyph, and a PDF printer's "fi" would then read as "?". Any explicit
    // letter spacing, even 100 %, makes Qt's shaper leave them out.
    QFont font = copy->defaultFont();
    font.setLetterSpacing(QFont::PercentageSpacing, 100);
    copy->setDefaultFont(font);
    const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size();
    copy->setPageSize(page);
    const int pages = copy->pageCount();
    // Refused before the printer is opened, so that no blank page comes out.
    if (laidOutHeight(*copy) > MostLayoutHeight)
        return PrintResult::TooLong;

    // Each line is drawn on its own page only. QTextDocument::print numbers the pages of
    // some documents, and it draws every line of a paragraph that crosses a page on both
    // pages, clipped away on one but still in the output, where text extraction (and
    // copying from a PDF) reads it twice.
    QPainter painter(&printer);
    if (!painter.isActive())
        return PrintResult::NotPrinted;
    painter.setPen(Qt::black);
    QTextBlock next = copy->begin();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage())
            return PrintResult::NotPrinted;
        const qreal top = i * page.height();
        painter.save();
        painter.translate(0, -top);
        next = drawLinesWithin(painter, *layout, next, top, top + page.height());
        painter.restore();
    }
    return painter.end() ? PrintResult::Printed : PrintResult::NotPrinted;
}

// The named printer, with the report's paper margins; the program's own PrintDocument of
// the same arguments (printmodule.cpp) loads this module and calls here.
PrintResult printOnNamed(const QTextDocument &document, const QString &printerName)
{
    if (printerName.isEmpty())
        return PrintResult::NotPrinted;
    PrintResult result = PrintResult::NotPrinted;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(printerName);
        if (!printer.isValid())
            return PrintResult::NotPrinted;
        printer.setDocName(QStringLiteral("Aquarius"));
        printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        result = printCopy(document, printer);
    }
    // Once the printer's own buffers are gone too.
    returnFreeMemory();
    return result;
}

} // namespace

PrintResult PrintDocument(const QTextDocument &document, QPrinter &printer)
{
    const PrintResult result = printCopy(document, printer);
    // The copy and its glyphs are freed by now; a long report leaves the heap full of holes
    // that the allocator would otherwise keep.
    returnFreeMemory();
    return result;
}

} // namespace report

extern "C" {

Q_DECL_EXPORT int starfold_print_on(const QTextDocument *document, const QString *printerName)
{
    return int(report::printOnNamed(*document, *printerName));
}

Q_DECL_EXPORT void starfold_default_printer(QString *name)
{
    *name = QPrinterInfo::defaultPrinterName();
}

} // extern "C"
