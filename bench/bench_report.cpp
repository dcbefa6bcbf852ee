// SPDX-License-Identifier: GPL-3.0-or-later
// The report at its own length and at ten and a hundred times it: composed into a document,
// written out, opened in the report window and printed, each beside what Qt offers for the
// same job where it offers one. Ends with the ratios of printing against Qt's own and with
// how each measure grows with the report's length, which should be in proportion.
#include "profile/signprofile.h"
#include "report/frmsave.h"
#include "report/reportdocument.h"
#include "report/reportprint.h"
#include "report/rtfwriter.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QBuffer>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int Factors[] = {1, 10, 100};

std::unique_ptr<QTextDocument> newDocument()
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(documentFont(report::PointSize));
    return document;
}

// The report inserted at the cursor as many times over as the factor says.
void insertReport(QTextCursor &cursor, int factor)
{
    const QList<ReportRun> runs = report::ComposeRuns(modAquarius::signProfile());
    for (int i = 0; i < factor; ++i)
        report::InsertRuns(cursor, runs);
}

// The report, factor times over, as the report window holds it.
std::unique_ptr<QTextDocument> composedReport(int factor)
{
    auto document = newDocument();
    QTextCursor cursor(document.get());
    insertReport(cursor, factor);
    return document;
}

int factorOf(const benchmark::State &state)
{
    return int(state.range(0));
}

void BM_Compose(benchmark::State &state)
{
    for (auto _ : state) {
        auto document = composedReport(factorOf(state));
        benchmark::DoNotOptimize(document->characterCount());
    }
}

void BM_ComposeQtHtml(benchmark::State &state)
{
    const QString html = composedReport(factorOf(state))->toHtml();
    for (auto _ : state) {
        auto document = newDocument();
        document->setHtml(html);
        benchmark::DoNotOptimize(document->characterCount());
    }
}

// Each writer's output size, so the figures also read as throughput.
void BM_WriteRtf(benchmark::State &state)
{
    const auto document = composedReport(factorOf(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::Write(report::RtfModel(*document)));
    state.SetBytesProcessed(state.iterations() * rtf::Write(report::RtfModel(*document)).size());
}

void BM_WriteQtHtml(benchmark::State &state)
{
    const auto document = composedReport(factorOf(state));
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

void BM_WriteQtOdf(benchmark::State &state)
{
    const auto document = composedReport(factorOf(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(odfOf(document.get()));
    state.SetBytesProcessed(state.iterations() * odfOf(document.get()).size());
}

// The report window opened and painted: it composes the report as it loads; a longer
// report is the rest of it added at the end before the window is shown.
void BM_OpenReportWindow(benchmark::State &state)
{
    for (auto _ : state) {
        frmSave form;
        QTextCursor end(form.RTB()->document());
        end.movePosition(QTextCursor::End);
        insertReport(end, factorOf(state) - 1);
        form.show();
        benchmark::DoNotOptimize(form.grab());
    }
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
void BM_PrintOurs(benchmark::State &state)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ours.pdf"));
    const auto document = composedReport(factorOf(state));
    for (auto _ : state) {
        const auto printer = newPdfPrinter(path, QMarginsF(20, 20, 20, 20));
        report::PrintDocument(*document, *printer);
    }
}

// Qt's own QTextDocument::print of the same report, rebuilt from its HTML in a document with
// the same default font. Qt prints ligatures and a page number on each page, and lays the
// text out inside a frame of its own (2 cm, in whole pixels of the screen) where ours keeps
// the document's margin of 4 px; the printer's margins here are smaller by the difference,
// so that both cases set the same lines in the same place of the same pages.
void BM_PrintQt(benchmark::State &state)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("qt.pdf"));
    auto document = newDocument();
    document->setHtml(composedReport(factorOf(state))->toHtml());
    const qreal dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
    const qreal framePx = int((2 / 2.54) * dpi);
    const qreal marginMm = 20 - (framePx - document->documentMargin()) / dpi * 25.4;
    for (auto _ : state) {
        const auto printer = newPdfPrinter(path, QMarginsF(marginMm, marginMm, marginMm, marginMm));
        document->print(printer.get());
    }
}

void atEachFactor(benchmark::internal::Benchmark *benchmark)
{
    for (const int factor : Factors)
        benchmark->Arg(factor);
}

BENCHMARK(BM_Compose)->Apply(atEachFactor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeQtHtml)->Apply(atEachFactor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteRtf)->Apply(atEachFactor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteQtHtml)->Apply(atEachFactor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteQtOdf)->Apply(atEachFactor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenReportWindow)->Apply(atEachFactor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintOurs)->Apply(atEachFactor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintQt)->Apply(atEachFactor)->Unit(benchmark::kMillisecond);

// The console's report, plus each case's CPU time per iteration in seconds: the median of
// the repetitions where there are several, else the one run's figure.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    RatioReporter()
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
    {
    }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median)
                continue;
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            const double seconds =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            Figure &figure = m_cpu[name];
            if (median || !figure.median)
                figure = {seconds, median};
        }
    }

    // Zero when the case did not run.
    double cpu(const std::string &function, int factor) const
    {
        const auto found = m_cpu.find(function + "/" + std::to_string(factor));
        return found == m_cpu.end() ? 0 : found->second.seconds;
    }

private:
    struct Figure {
        double seconds = 0;
        bool median = false;
    };
    std::map<std::string, Figure> m_cpu;
};

void printRatios(const RatioReporter &times)
{
    std::printf("\nPrinting the report, ours against QTextDocument::print (CPU time):\n");
    std::printf("%-8s %12s %12s %8s %10s\n", "report", "ours", "Qt's", "ratio", "target");
    for (const int factor : Factors) {
        const double ours = times.cpu("BM_PrintOurs", factor);
        const double qt = times.cpu("BM_PrintQt", factor);
        if (ours <= 0 || qt <= 0)
            continue;
        std::printf("x%-7d %9.1f ms %9.1f ms %7.2fx %10s %s\n", factor, ours * 1e3, qt * 1e3,
                    ours / qt, "<= 1.00x", ours <= qt ? "met" : "MISSED");
    }

    std::printf("\nGrowth of CPU time with each tenfold length (in proportion: 10x):\n");
    std::printf("%-24s %8s %8s\n", "", "x1-x10", "x10-x100");
    const std::pair<const char *, const char *> cases[] = {
        {"compose", "BM_Compose"},           {"compose, Qt's setHtml", "BM_ComposeQtHtml"},
        {"RTF write", "BM_WriteRtf"},        {"Qt's toHtml", "BM_WriteQtHtml"},
        {"Qt's ODF writer", "BM_WriteQtOdf"}, {"report window open", "BM_OpenReportWindow"},
        {"print, ours", "BM_PrintOurs"},     {"print, Qt's", "BM_PrintQt"},
    };
    for (const auto &[label, function] : cases) {
        const double x1 = times.cpu(function, 1);
        const double x10 = times.cpu(function, 10);
        const double x100 = times.cpu(function, 100);
        if (x1 > 0 && x10 > 0 && x100 > 0)
            std::printf("%-24s %7.1fx %7.1fx\n", label, x10 / x1, x100 / x10);
    }
}

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
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
