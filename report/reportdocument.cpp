// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/reportdocument.h"

#include "ui/fonts.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace report {

QColor ColorOf(ReportColour colour)
{
    const rtf::Colour rgb = RgbOf(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void InsertRuns(QTextCursor &cursor, const QList<ReportRun> &runs)
{
    // One edit block, so the box lays the report out once, not once per run.
    cursor.beginEditBlock();
    QTextCharFormat format = cursor.charFormat();
    for (const ReportRun &run : runs) {
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setForeground(ColorOf(run.colour));
        cursor.insertText(run.text, format);
    }
    cursor.endEditBlock();
}

namespace {

rtf::Run runOf(const QTextFragment &fragment, const QFont &defaultFont)
{
    const QTextCharFormat format = fragment.charFormat();
    const QFont font = format.font().resolve(defaultFont);
    const QBrush brush = format.foreground();
    const QColor colour = brush.style() == Qt::NoBrush ? QColor(Qt::black) : brush.color();
    return {fragment.text(), font.bold(), {colour.red(), colour.green(), colour.blue()},
            savedFamily(font), font.pointSizeF()};
}

} // namespace

rtf::Document RtfModel(const QTextDocument &document)
{
    rtf::Document model;
    const QFont defaultFont = document.defaultFont();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        rtf::Paragraph paragraph;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().isValid())
                paragraph.runs.append(runOf(it.fragment(), defaultFont));
        }
        model.paragraphs.append(std::move(paragraph));
    }
    return model;
}

} // namespace report
