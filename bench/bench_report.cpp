// SPDX-License-Identifier: GPL-3.0-or-later
// Composing the report into a document, writing that document out and printing it, each
// beside what Qt offers for the same job on the same content.
#include "ui/fonts.h"
#include "profile/signprofile.h"
#include "report/reportdocument.h"
#include "report/reportprint.h"
#include "report/rtfwriter.h"

#include <QApplication>
#include <QBuffer>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<QTextDocument> newDocument()
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(documentFont(report::PointSize));
    return document;
}

// The report as the report window holds it.
std::unique_ptr<QTextDocument> composedReport()
{
    auto document = newDocument();
    QTextCursor cursor(document.get());
    report::InsertRuns(cursor, report::ComposeRuns(modAquarius::signProfile()));
    return document;
}

void Compose_InsertRuns(benchmark::State &state)
{
    for (auto _ : state) {
        auto document = composedReport();
        benchmark::DoNotOptimize(document->characterCount());
    }
}

void Compose_SetHtml(benchmark::State &state)
{
    const QString html = composedReport()->toHtml();
    for (auto _ : state) {
        auto document = newDocument();
        document->setHtml(html);
        benchmark::DoNotOptimize(document->characterCount());
    }
}

// Each writer's output size, so the figures also read as throughput.
void Write_OurRtf(benchmark::State &state)
{
    const auto document = composedReport();
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::Write(report::RtfModel(*document)));
    state.SetBytesProcessed(state.iterations() * rtf::Write(report::RtfModel(*document)).size());
}

void Write_QtToHtml(benchmark::State &state)
{
    const auto document = composedReport();
    for (auto _ : state)
        benchmark::DoNotOptimize(document->toHtml());
    state.SetBytesProcessed(state.iterations() * document->toHtml().toUtf8().size());
}

QByteArray odfOf(QTextDocument *document)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    writer.write(document);
    return buffer.data();
}

void Write_QtOdf(benchmark::State &state)
{
    const auto document = composedReport();
    for (auto _ : state)
        benchmark::DoNotOptimize(odfOf(document.get()));
    state.SetBytesProcessed(state.iterations() * odfOf(document.get()).size());
}

// Printing. Each case times what one press of a Print button costs: building a high-resolution
// QPrinter (A4, PDF output to a temporary file), laying out a copy of the document at the
// printer's resolution, drawing every page and writing the file. The document to print is
// built before the loop, as it is already in the window when the user prints.
std::unique_ptr<QPrinter> newPdfPrinter(const QString &path, const QMarginsF &marginsMm)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setDocName(QStringLiteral("Aquarius"));
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(marginsMm, QPageLayout::Millimeter);
    return printer;
}

// Ours, as the report window prints: 20 mm page margins, our own page loop that draws each
// line on one page only, no ligatures, no page numbers.
void Print_Ours(benchmark::State &state)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ours.pdf"));
    const auto document = composedReport();
    for (auto _ : state) {
        const auto printer = newPdfPrinter(path, QMarginsF(20, 20, 20, 20));
        report::PrintDocument(*document, *printer);
    }
}

// Qt's own QTextDocument::print of the same report, rebuilt from its HTML in a document with
// the same default font. Qt prints ligatures and a page number on each page, and lays the
// text out inside a frame of its own (2 cm, in whole pixels of the screen) where ours keeps
// the document's margin of 4 px; the printer's margins here are smaller by the difference,
// so that both cases set the same lines in the same place of the same five pages.
void Print_QtOwn(benchmark::State &state)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("qt.pdf"));
    auto document = newDocument();
    document->setHtml(composedReport()->toHtml());
    const qreal dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
    const qreal framePx = int((2 / 2.54) * dpi);
    const qreal marginMm = 20 - (framePx - document->documentMargin()) / dpi * 25.4;
    for (auto _ : state) {
        const auto printer = newPdfPrinter(path, QMarginsF(marginMm, marginMm, marginMm, marginMm));
        document->print(printer.get());
    }
}

BENCHMARK(Compose_InsertRuns)->Unit(benchmark::kMicrosecond);
BENCHMARK(Compose_SetHtml)->Unit(benchmark::kMicrosecond);
BENCHMARK(Write_OurRtf)->Unit(benchmark::kMicrosecond);
BENCHMARK(Write_QtToHtml)->Unit(benchmark::kMicrosecond);
BENCHMARK(Write_QtOdf)->Unit(benchmark::kMicrosecond);
BENCHMARK(Print_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(Print_QtOwn)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Documents need fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    modAquarius::LoadSignProfile();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
