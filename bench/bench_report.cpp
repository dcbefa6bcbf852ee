// SPDX-License-Identifier: GPL-3.0-or-later
// Composing the report into a document, and writing that document out, each beside
// what Qt offers for the same job on the same content.
#include "app/fonts.h"
#include "profile/signprofile.h"
#include "report/reportdocument.h"
#include "report/rtfwriter.h"

#include <QApplication>
#include <QBuffer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<QTextDocument> newDocument()
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(programFont(report::PointSize));
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
        auto document = newDocument();
        QTextCursor cursor(document.get());
        report::InsertRuns(cursor, report::ComposeRuns(modAquarius::signProfile()));
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

BENCHMARK(Compose_InsertRuns)->Unit(benchmark::kMicrosecond);
BENCHMARK(Compose_SetHtml)->Unit(benchmark::kMicrosecond);
BENCHMARK(Write_OurRtf)->Unit(benchmark::kMicrosecond);
BENCHMARK(Write_QtToHtml)->Unit(benchmark::kMicrosecond);
BENCHMARK(Write_QtOdf)->Unit(benchmark::kMicrosecond);

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
