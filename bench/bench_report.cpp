// SPDX-License-Identifier: GPL-3.0-or-later
// The report at its own length and at ten and a hundred times it: composed into a document,
// written out, opened in the report window and printed, each beside what Qt offers for the
// same job where it offers one. Ends with each ratio against Qt's own beside its target, with
// how each measure grows with the report's length, which should be in proportion, and with
// what opening windows and printing leave behind in memory.
//
// Figures are processor time by default. With --instructions the program runs itself once
// per case under callgrind and counts the instructions of one pass of the measured part
// only, which repeats exactly where processor time on a shared machine does not.
#include "profile/signprofile.h"
#include "report/frmsave.h"
#include "report/links.h"
#include "report/reportdocument.h"
#include "report/reportprint.h"
#include "report/rtfwriter.h"
#include "ui/fonts.h"
#include "ui/twips.h"
#include "web/cobrand.h"
#include "web/pages.h"

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPixmapCache>
#include <QProcess>
#include <QPushButton>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextEdit>

#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <malloc.h>
#include <unistd.h>

namespace {

constexpr int Factors[] = {1, 10, 100};

// The part of a case that is measured. Under callgrind started with --instr-atstart=no,
// instructions are counted only while one of these lives; elsewhere it costs next to nothing.
struct Counted {
    Counted() { CALLGRIND_START_INSTRUMENTATION; }
    ~Counted() { CALLGRIND_STOP_INSTRUMENTATION; }
    Counted(const Counted &) = delete;
    Counted &operator=(const Counted &) = delete;
};

std::unique_ptr<QTextDocument> newDocument()
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(documentFont(report::PointSize));
    return document;
}

// The report inserted at the cursor as many times over as the factor says.
void insertReport(QTextCursor &cursor, int factor)
{
    const QList<ReportRun> runs = report::ComposeRuns(modAquarius::loadedProfile());
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
        const Counted counted;
        auto document = composedReport(factorOf(state));
        benchmark::DoNotOptimize(document->characterCount());
    }
}

void BM_ComposeQtHtml(benchmark::State &state)
{
    const QString html = composedReport(factorOf(state))->toHtml();
    for (auto _ : state) {
        const Counted counted;
        auto document = newDocument();
        document->setHtml(html);
        benchmark::DoNotOptimize(document->characterCount());
    }
}

// Each writer's output size, so the figures also read as throughput.
void BM_WriteRtf(benchmark::State &state)
{
    const auto document = composedReport(factorOf(state));
    for (auto _ : state) {
        const Counted counted;
        benchmark::DoNotOptimize(rtf::Write(report::RtfModel(*document)));
    }
    state.SetBytesProcessed(state.iterations() * rtf::Write(report::RtfModel(*document)).size());
}

void BM_WriteQtHtml(benchmark::State &state)
{
    const auto document = composedReport(factorOf(state));
    for (auto _ : state) {
        const Counted counted;
        benchmark::DoNotOptimize(document->toHtml());
    }
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
    for (auto _ : state) {
        const Counted counted;
        benchmark::DoNotOptimize(odfOf(document.get()));
    }
    state.SetBytesProcessed(state.iterations() * odfOf(document.get()).size());
}

// The report window opened and painted: it composes the report as it loads; a longer
// report is the rest of it added at the end before the window is shown.
void BM_OpenReportWindow(benchmark::State &state)
{
    for (auto _ : state) {
        const Counted counted;
        frmSave form;
        QTextCursor end(form.RTB()->document());
        end.movePosition(QTextCursor::End);
        insertReport(end, factorOf(state) - 1);
        form.show();
        benchmark::DoNotOptimize(form.grab());
    }
}

// The same window built of plain Qt widgets: a dialog of the same size and font, plain labels
// with the same captions and fonts (the offers two word-wrapped labels, one over the other,
// in a frame), the same text box with the same document, and two buttons.
void BM_OpenQtDialog(benchmark::State &state)
{
    const QString forum = QStringLiteral("Click to visit %1 now").arg(modHelp::ForumSite());
    const QString offers[] = {QString::fromLatin1(cobrand::FullBrandCaption),
                              QString::fromLatin1(cobrand::CoBrandCaption)};
    for (auto _ : state) {
        const Counted counted;
        QDialog dialog;
        dialog.setFont(programFont());
        dialog.setFixedSize(pixelsFromTwips(7725), pixelsFromTwips(7845));
        const QFont linkFont = programFont({.underline = true});
        auto *title = new QLabel(QStringLiteral("The Most Popular Online Lunavale Discussion Board"),
                                 &dialog);
        title->setGeometry(inPixels({1755, 0, 4200, 195}));
        auto *invitation = new QLabel(forum, &dialog);
        invitation->setGeometry(inPixels({1867, 240, 3990, 195}));
        for (QLabel *label : {title, invitation}) {
            label->setFont(linkFont);
            label->setAlignment(Qt::AlignCenter);
        }
        auto *box = new QTextEdit(&dialog);
        box->setGeometry(inPixels({30, 480, 7665, 6135}));
        box->setFont(programFont({.pointSize = report::PointSize}));
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QTextCursor end(box->document());
        insertReport(end, factorOf(state));
        box->moveCursor(QTextCursor::Start);
        (new QPushButton(QStringLiteral("&Save"), &dialog))->setGeometry(inPixels({5400, 6660, 1125, 345}));
        (new QPushButton(QStringLiteral("&Print"), &dialog))->setGeometry(inPixels({6555, 6660, 1125, 345}));
        auto *frame = new QGroupBox(&dialog);
        frame->setGeometry(inPixels({30, 7000, 7665, 810}));
        for (const QString &offer : offers) {
            auto *label = new QLabel(offer, frame);
            label->setGeometry(inPixels({120, 165, 7380, 615}));
            label->setFont(programFont({.bold = true, .underline = true}));
            label->setAlignment(Qt::AlignCenter);
            label->setWordWrap(true);
        }
        dialog.show();
        benchmark::DoNotOptimize(dialog.grab());
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
        const Counted counted;
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
        const Counted counted;
        const auto printer = newPdfPrinter(path, QMarginsF(marginMm, marginMm, marginMm, marginMm));
        document->print(printer.get());
    }
}

// Looking a text over for web addresses, as the report window does with every text it shows,
// on texts that would make a careless scan look back over what it has read: ten thousand
// characters of each, times the factor.
struct LinkText {
    const char *name;
    const char *label; // in the growth verdicts
    const char *prefix;
    const char *unit;
};

constexpr LinkText LinkTexts[] = {
    {"BM_FindLinksClosingBrackets", "links: closing brackets", "http://a.com/", ")"},
    {"BM_FindLinksOpeningBrackets", "links: opening brackets", "http://a.com/", "("},
    {"BM_FindLinksBracketsAndDots", "links: brackets and dots", "www.a.com", ").("},
    {"BM_FindLinksSentenceEnds", "links: sentence ends", "https://a.com", ".,;"},
    {"BM_FindLinksPrefixes", "links: prefixes", "", "http://"},
    {"BM_FindLinksWwwNames", "links: www names", "", "www.a "},
    {"BM_FindLinksProse", "links: prose", "", "Aquarius is friendly. "},
};

void findLinks(benchmark::State &state, const LinkText &input)
{
    QString text = QLatin1String(input.prefix);
    while (text.size() < 10'000 * factorOf(state))
        text += QLatin1String(input.unit);
    for (auto _ : state) {
        const Counted counted;
        benchmark::DoNotOptimize(links::FindWebAddresses(text));
    }
}

struct Case {
    const char *name;
    std::function<void(benchmark::State &)> function;
    benchmark::TimeUnit unit;
};

// The report's cases, then one for each text the link search is measured on.
const std::vector<Case> &cases()
{
    static const std::vector<Case> all = [] {
        std::vector<Case> cases{
            {"BM_Compose", BM_Compose, benchmark::kMicrosecond},
            {"BM_ComposeQtHtml", BM_ComposeQtHtml, benchmark::kMicrosecond},
            {"BM_WriteRtf", BM_WriteRtf, benchmark::kMicrosecond},
            {"BM_WriteQtHtml", BM_WriteQtHtml, benchmark::kMicrosecond},
            {"BM_WriteQtOdf", BM_WriteQtOdf, benchmark::kMicrosecond},
            {"BM_OpenReportWindow", BM_OpenReportWindow, benchmark::kMillisecond},
            {"BM_OpenQtDialog", BM_OpenQtDialog, benchmark::kMillisecond},
            {"BM_PrintOurs", BM_PrintOurs, benchmark::kMillisecond},
            {"BM_PrintQt", BM_PrintQt, benchmark::kMillisecond},
        };
        for (const LinkText &text : LinkTexts) {
            const auto measure = [&text](benchmark::State &state) { findLinks(state, text); };
            cases.push_back({text.name, measure, benchmark::kMicrosecond});
        }
        return cases;
    }();
    return all;
}

// Every case at each factor; a single pass each when instructions are counted.
void registerCases(bool once)
{
    for (const Case &each : cases()) {
        auto *benchmark = benchmark::RegisterBenchmark(each.name, each.function);
        for (const int factor : Factors)
            benchmark->Arg(factor);
        benchmark->Unit(each.unit);
        if (once)
            benchmark->Iterations(1);
    }
}

std::string caseName(const char *function, int factor)
{
    return std::string(function) + "/" + std::to_string(factor);
}

// One figure per case and factor ("BM_PrintOurs/10"): seconds or instructions.
using Figures = std::map<std::string, double>;

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
            if (median || !m_median[name])
                m_seconds[name] = seconds;
            m_median[name] = m_median[name] || median;
        }
    }

    const Figures &seconds() const { return m_seconds; }

private:
    Figures m_seconds;
    std::map<std::string, bool> m_median;
};

// The instructions of one pass of the named case, counted by callgrind in a process of its
// own (so each case starts as cold as the user's first use); zero when it could not run.
double countInstructions(const std::string &name)
{
    const QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("callgrind.out"));
    QProcess child;
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(QStringLiteral("valgrind"),
                {QStringLiteral("--tool=callgrind"), QStringLiteral("--instr-atstart=no"),
                 QStringLiteral("--callgrind-out-file=") + out,
                 QCoreApplication::applicationFilePath(), QStringLiteral("--count-once"),
                 QStringLiteral("--benchmark_filter=^%1(/|$)").arg(QString::fromStdString(name))});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        return 0;
    QFile counts(out);
    if (!counts.open(QIODevice::ReadOnly))
        return 0;
    // The summary stays empty when counting starts late; the totals hold the count.
    double total = 0;
    while (!counts.atEnd()) {
        const QByteArray line = counts.readLine().trimmed();
        if (line.startsWith("totals:") || line.startsWith("summary:"))
            total = std::max(total, line.mid(line.indexOf(':') + 1).trimmed().split(' ').first().toDouble());
    }
    return total;
}

Figures countAllInstructions()
{
    Figures counts;
    std::printf("Instructions of one pass of each case (callgrind):\n");
    for (const Case &each : cases()) {
        for (const int factor : Factors) {
            const std::string name = caseName(each.name, factor);
            counts[name] = countInstructions(name);
            std::printf("%-28s %14.0f\n", name.c_str(), counts[name]);
            std::fflush(stdout);
        }
    }
    return counts;
}

struct Pair {
    const char *label;
    const char *ours;
    const char *theirs;
    double target; // none when zero
    int targetOnlyAt = 0; // the one length the target is for; every length when zero
};

const Pair Pairs[] = {
    {"compose, against Qt's setHtml", "BM_Compose", "BM_ComposeQtHtml", 0},
    {"RTF write, against Qt's toHtml", "BM_WriteRtf", "BM_WriteQtHtml", 0},
    // The target is for the window's first open, with the report it composes. The longer
    // cases add the rest to the window's box after it is made, which lays it out and looks
    // it over for links as it comes, where the plain dialog lays out only what it shows.
    {"report window open, against a plain Qt dialog", "BM_OpenReportWindow", "BM_OpenQtDialog",
     1.05, 1},
    {"print, against QTextDocument::print", "BM_PrintOurs", "BM_PrintQt", 0.85},
};

// Each measure must grow in proportion to the report: ten times the report may cost at most
// this much more (composing and writing search the document's fragment tree, which grows a
// little faster than its length).
constexpr double MostGrowthPerTenfold = 12;

// The ratios beside their targets and the growth with length; false when one is missed.
bool printVerdicts(const Figures &figures, const char *unit)
{
    const auto figure = [&](const char *function, int factor) {
        const auto found = figures.find(caseName(function, factor));
        return found == figures.end() ? 0.0 : found->second;
    };
    bool met = true;
    std::printf("\nRatios (%s):\n%-48s %-6s %8s %10s\n", unit, "pair", "report", "ratio", "target");
    for (const Pair &pair : Pairs) {
        for (const int factor : Factors) {
            const double ours = figure(pair.ours, factor);
            const double theirs = figure(pair.theirs, factor);
            if (ours <= 0 || theirs <= 0)
                continue;
            const double ratio = ours / theirs;
            if (pair.target == 0 || (pair.targetOnlyAt != 0 && pair.targetOnlyAt != factor)) {
                std::printf("%-48s x%-5d %7.2fx %10s\n", pair.label, factor, ratio, "(none)");
                continue;
            }
            met = met && ratio <= pair.target;
            std::printf("%-48s x%-5d %7.2fx %8s%.2fx %s\n", pair.label, factor, ratio, "<= ",
                        pair.target, ratio <= pair.target ? "met" : "MISSED");
        }
    }

    std::printf("\nGrowth with each tenfold length (%s; in proportion: 10x, at most %.0fx):\n",
                unit, MostGrowthPerTenfold);
    std::printf("%-24s %8s %8s\n", "", "x1-x10", "x10-x100");
    std::vector<std::pair<const char *, const char *>> checked = {
        {"compose", "BM_Compose"}, {"save (RTF write)", "BM_WriteRtf"}, {"print", "BM_PrintOurs"}};
    for (const LinkText &text : LinkTexts)
        checked.emplace_back(text.label, text.name);
    for (const auto &[label, function] : checked) {
        const double x1 = figure(function, 1);
        const double x10 = figure(function, 10);
        const double x100 = figure(function, 100);
        if (x1 <= 0 || x10 <= 0 || x100 <= 0) {
            std::printf("%-24s FAIL: not measured\n", label);
            met = false;
            continue;
        }
        const bool inProportion = std::max(x10 / x1, x100 / x10) <= MostGrowthPerTenfold;
        met = met && inProportion;
        std::printf("%-24s %7.1fx %7.1fx %s\n", label, x10 / x1, x100 / x10,
                    inProportion ? "ok" : "FAIL: super-linear");
    }
    return met;
}

long residentKb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

// What printing and opening windows leave behind; false when either stays.
bool checkMemory()
{
    bool met = true;
    std::printf("\nMemory left behind:\n");
    {
        // The report as the window holds it when the user prints: shown, so laid out. One
        // short print first maps the print code and its fonts, which stay for the next.
        const QTemporaryDir dir;
        const auto printPdf = [&](const QTextDocument &document) {
            report::PrintDocument(document, *newPdfPrinter(dir.filePath(QStringLiteral("m.pdf")),
                                                           QMarginsF(20, 20, 20, 20)));
        };
        printPdf(*composedReport(1));
        frmSave form;
        QTextCursor end(form.RTB()->document());
        end.movePosition(QTextCursor::End);
        insertReport(end, 99);
        form.show();
        benchmark::DoNotOptimize(form.grab());
        const long before = residentKb();
        printPdf(*form.RTB()->document());
        const long after = residentKb();
        const bool back = after <= before * 1.10;
        met = met && back;
        std::printf("%-50s %6.1f MB before, %6.1f MB after: %+.0f %% (at most +10 %%) %s\n",
                    "resident memory, printing the x100 report", before / 1024.0, after / 1024.0,
                    (double(after) / before - 1) * 100, back ? "met" : "MISSED");
    }
    {
        // The event loop runs between two windows, and deletes what is left to it.
        const auto openAndClose = [] {
            {
                frmSave form;
                form.show();
                benchmark::DoNotOptimize(form.grab());
            }
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        for (int i = 0; i < 20; ++i)
            openAndClose();
        const size_t before = mallinfo2().uordblks;
        constexpr int Cycles = 1000;
        for (int i = 0; i < Cycles; ++i)
            openAndClose();
        const double perCycle = (double(mallinfo2().uordblks) - double(before)) / Cycles;
        const bool flat = perCycle <= 100;
        met = met && flat;
        std::printf("%-50s %+6.0f bytes a cycle (at most 100) %s\n",
                    "heap, report window opened and closed 1,000 times", perCycle,
                    flat ? "met" : "MISSED");
    }
    return met;
}

// The memory check, in a process of its own so that nothing measured before counts.
bool checkMemoryApart()
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory")});
    return child.waitForFinished(-1) && child.exitCode() == 0;
}

// Takes the program's own option out of the arguments.
bool takeOption(int &argc, char **argv, const char *option)
{
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == option) {
            std::copy(argv + i + 1, argv + argc + 1, argv + i);
            --argc;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    const bool instructions = takeOption(argc, argv, "--instructions");
    const bool countOnce = takeOption(argc, argv, "--count-once");
    const bool memory = takeOption(argc, argv, "--memory");
    // Documents need fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    modAquarius::LoadSignProfile();
    if (memory)
        return checkMemory() ? 0 : 1;
    registerCases(countOnce);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (countOnce) {
        benchmark::RunSpecifiedBenchmarks();
        return 0;
    }
    bool met = false;
    if (instructions) {
        met = printVerdicts(countAllInstructions(), "instructions");
    } else {
        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        met = printVerdicts(reporter.seconds(), "CPU time");
    }
    std::fflush(stdout);
    met = checkMemoryApart() && met;
    benchmark::Shutdown();
    return met ? 0 : 1;
}
