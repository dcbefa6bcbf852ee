// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fonts.h"
#include "profile/signprofile.h"
#include "report/reportdocument.h"
#include "report/rtfwriter.h"

#include "support/rtfreadback.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

using readback::Paragraphs;
using readback::Shown;

const rtf::Colour Black{0, 0, 0};
const rtf::Colour Purple{128, 0, 128};
const rtf::Colour Teal{0, 128, 128};
const rtf::Colour Maroon{128, 0, 0};

rtf::Run run(const QString &text, bool bold = false, rtf::Colour colour = Black)
{
    return {text, bold, colour, QStringLiteral("Verdana"), 9.75};
}

rtf::Document oneParagraph(const QList<rtf::Run> &runs)
{
    return {{rtf::Paragraph{runs}}};
}

// The body of the file: what follows the tables.
QByteArray bodyOf(const QByteArray &rtf)
{
    const qsizetype at = rtf.indexOf("\\pard");
    return at < 0 ? QByteArray() : rtf.mid(at);
}

QString hex(const QColor &colour)
{
    return colour.name(QColor::HexRgb);
}

// What the document itself shows, one entry per character, paragraph ends as "\n".
QList<Shown> shownIn(const QTextDocument &document)
{
    QList<Shown> shown;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            shown.append({QLatin1Char('\n'), false, {}});
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QChar c : it.fragment().text())
                shown.append({c, format.fontWeight() >= QFont::Bold,
                              hex(format.foreground().color())});
        }
    }
    // A line break at the end ends the last line rather than starting one.
    if (!shown.isEmpty() && shown.constLast().character == QLatin1Char('\n'))
        shown.removeLast();
    return shown;
}

QString decodeEntity(const QString &entity)
{
    if (entity.startsWith(QLatin1String("&#"))) {
        const uint code = entity.mid(2, entity.size() - 3).toUInt();
        // unrtf writes each half of a surrogate pair on its own; joined they make the pair.
        return code > 0xFFFF ? QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1)
                             : QString(QChar(char16_t(code)));
    }
    QTextDocument decoder;
    decoder.setHtml(entity);
    return decoder.toRawText();
}

// Walks the HTML that unrtf writes: <b> for bold, nested <font color> for colour, <br>
// for a line break; its own line breaks in the source are layout only.
QList<Shown> shownInUnrtfHtml(const QString &html)
{
    QList<Shown> shown;
    const qsizetype body = html.indexOf(QLatin1String("<body>"));
    const qsizetype end = html.indexOf(QLatin1String("</body>"));
    if (body < 0 || end < 0)
        return shown;
    int bold = 0;
    QStringList colours{QString()};
    static const QRegularExpression token(
        QStringLiteral("<(/?)([a-zA-Z]+)([^>]*)>|(&[#a-zA-Z0-9]+;)|([^<&]+)"));
    static const QRegularExpression colourAttr(QStringLiteral("color=\"(#[0-9a-fA-F]{6})\""));
    auto it = token.globalMatch(QStringView(html).sliced(body + 6, end - body - 6));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        QString text;
        if (m.capturedLength(2) > 0) {
            const bool closing = m.capturedLength(1) > 0;
            const QString tag = m.captured(2).toLower();
            if (tag == QLatin1String("b")) {
                bold += closing ? -1 : 1;
            } else if (tag == QLatin1String("font")) {
                if (closing) {
                    colours.removeLast();
                } else {
                    const auto c = colourAttr.match(m.captured(3));
                    colours.append(c.hasMatch() ? c.captured(1).toLower() : colours.constLast());
                }
            } else if (tag == QLatin1String("br")) {
                shown.append({QLatin1Char('\n'), false, {}});
            }
            continue;
        }
        text = m.capturedLength(4) > 0 ? decodeEntity(m.captured(4)) : m.captured(5);
        text.remove(QLatin1Char('\n'));
        for (const QChar c : text)
            shown.append({c, bold > 0, colours.constLast()});
    }
    // A <br> that nothing follows ends the last line rather than starting one, as a
    // browser shows it.
    if (!shown.isEmpty() && shown.constLast().character == QLatin1Char('\n'))
        shown.removeLast();
    return shown;
}

// Runs unrtf --html on the bytes; empty when it could not be run.
QString unrtfHtml(const QByteArray &rtf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.rtf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size())
        return {};
    file.close();
    QProcess unrtf;
    unrtf.start(QStringLiteral("unrtf"), {QStringLiteral("--html"), path});
    if (!unrtf.waitForFinished(30000) || unrtf.exitCode() != 0)
        return {};
    return QString::fromUtf8(unrtf.readAllStandardOutput());
}

QString describe(const QList<Shown> &shown, qsizetype at)
{
    QString text;
    for (qsizetype i = qMax<qsizetype>(0, at - 20); i < qMin(shown.size(), at + 20); ++i)
        text += shown[i].character;
    return text;
}

// What any faithful reader must show of the model: control characters and object
// placeholders have no text, half a surrogate pair is no character.
Paragraphs expectedReading(const rtf::Document &document)
{
    Paragraphs paragraphs;
    for (const rtf::Paragraph &p : document.paragraphs) {
        QList<Shown> shown;
        for (const rtf::Run &run : p.runs) {
            const QString colour = hex(QColor(run.colour.red, run.colour.green, run.colour.blue));
            const QString &text = run.text;
            for (qsizetype i = 0; i < text.size(); ++i) {
                const QChar c = text[i] == QLatin1Char('\n') ? QChar(0x2028) : text[i];
                if ((c < QLatin1Char(' ') && c != QLatin1Char('\t')) || c == QChar(0x7F)
                    || c == QChar::ObjectReplacementCharacter)
                    continue;
                const bool pair = c.isHighSurrogate() && i + 1 < text.size()
                                  && text[i + 1].isLowSurrogate();
                if (pair)
                    shown.append({c, run.bold, colour});
                const QChar last = pair              ? text[++i]
                                   : c.isSurrogate() ? QChar(QChar::ReplacementCharacter)
                                                     : c;
                shown.append({last, run.bold, colour});
            }
        }
        paragraphs.append(shown);
    }
    // So does an empty last paragraph: readers show one paragraph per line break.
    if (paragraphs.size() > 1 && paragraphs.constLast().isEmpty())
        paragraphs.removeLast();
    return paragraphs;
}

// Text with everything an RTF writer must take care of: braces, backslashes, control
// characters, Latin-1 and Windows-1252, other scripts, emoji, half surrogate pairs.
QString randomText(QRandomGenerator &random)
{
    static const QStringList pieces =
        QStringLiteral("a|Z|7| |  |{|}|\\|\\par|?|;|\t|\n|\u2028|\x01|\x1f|\x7f|\ufffc|\u00e9|"
                       "\u00ff|\u00a0|\u00a9|\u20ac|\u2019|\u2014|\u0160|\u0416|\u03a9|\u4e2d|"
                       "\uff21|\u05d0|\U0001F600|\U0001D11E")
            .split(QLatin1Char('|'))
        + QStringList{QChar(0xD83D), QChar(0xDE00)};
    QString text;
    for (int i = random.bounded(12); i > 0; --i)
        text += pieces[random.bounded(int(pieces.size()))];
    return text;
}

rtf::Document randomDocument(QRandomGenerator &random)
{
    static const rtf::Colour colours[] = {Black, Purple, Teal, Maroon, {0, 0, 255}};
    rtf::Document document;
    const int paragraphs = 1 + random.bounded(6);
    for (int p = 0; p < paragraphs; ++p) {
        rtf::Paragraph &paragraph = document.paragraphs.emplace_back();
        // Empty paragraphs, at the start, in between and at the end, are common.
        for (int r = random.bounded(3) == 0 ? 0 : 1 + random.bounded(4); r > 0; --r)
            paragraph.runs.append(run(randomText(random), random.bounded(2) == 1,
                                      colours[random.bounded(int(std::size(colours)))]));
    }
    return document;
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void header_namesTheFontsAndOnlyTheColoursUsed();
    void specialCharacters_areEscaped();
    void nonAscii_asAnsiBytesOrUnicodeWithFallback();
    void paragraphs_areSeparatedByPar_lineBreaksInsideAreLine();
    void attributes_areWrittenOnlyWhenTheyChange();
    void unrtf_readsBackTheReportWithItsBoldAndColours();
    void unrtf_readsBackAwkwardText();
    void libreOffice_readsBackRandomDocumentsExactly();

private:
    bool m_haveUnrtf = false;
};

void TestRtfWriter::initTestCase()
{
    m_haveUnrtf = !QStandardPaths::findExecutable(QStringLiteral("unrtf")).isEmpty();
}

void TestRtfWriter::header_namesTheFontsAndOnlyTheColoursUsed()
{
    rtf::Document document;
    document.paragraphs = {
        {{run(QStringLiteral("Title"), true, Purple)}},
        {{run(QStringLiteral("Label: "), false, Maroon), run(QStringLiteral("value"))}},
        {{run(QStringLiteral("More: "), false, Maroon),
          {QStringLiteral("other"), false, Black, QStringLiteral("Courier New"), 12}}},
    };
    const QByteArray rtf = rtf::Write(document);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl"));
    QVERIFY(rtf.trimmed().endsWith('}'));
    QVERIFY(rtf.contains("{\\f0\\fnil\\fcharset0 Verdana;}{\\f1\\fnil\\fcharset0 Courier New;}}"));
    // Entry 0 is "auto"; then each colour once, in order of first use.
    QVERIFY(rtf.contains("{\\colortbl ;\\red128\\green0\\blue128;\\red128\\green0\\blue0;"
                         "\\red0\\green0\\blue0;}"));
    QCOMPARE(rtf.count("\\colortbl"), 1);
    QVERIFY(!rtf.contains("\\red0\\green128\\blue128"));
}

void TestRtfWriter::specialCharacters_areEscaped()
{
    const QByteArray body = bodyOf(rtf::Write(
        oneParagraph({run(QStringLiteral("a\\b {c} }{ \\par x"))})));
    QVERIFY2(body.contains("a\\\\b \\{c\\} \\}\\{ \\\\par x"), body.constData());

    // Braces balance once escapes are skipped, so a reader finds the document's end.
    const QByteArray rtf = rtf::Write(oneParagraph({run(QStringLiteral("}}}{{\\"))}));
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}') {
            --depth;
            QVERIFY(depth >= 0);
            if (depth == 0)
                QCOMPARE(rtf.mid(i + 1).trimmed(), QByteArray());
        }
    }
    QCOMPARE(depth, 0);
}

void TestRtfWriter::nonAscii_asAnsiBytesOrUnicodeWithFallback()
{
    struct Case {
        QString text;
        QByteArray written;
    };
    const Case cases[] = {
        {QStringLiteral("caf\u00e9"), "caf\\'e9"},
        {QStringLiteral("\u00a0\u00ff\u00a9"), "\\'a0\\'ff\\'a9"},
        // Windows-1252 has its own bytes for these, below 0xA0.
        {QStringLiteral("\u20ac\u2019\u201c\u2014\u0160"), "\\'80\\'92\\'93\\'97\\'8a"},
        // The Latin-1 control block is not Windows-1252. After \uN comes the fallback
        // \'3f, which every reader skips as one character.
        {QStringLiteral("\u0081"), "\\u129\\'3f"},
        {QStringLiteral("\u0416x\u4e2d"), "\\u1046\\'3fx\\u20013\\'3f"},
        // Above 0x7FFF the value goes negative, as RTF's 16-bit parameter wants.
        {QStringLiteral("\uff21"), "\\u-223\\'3f"},
        // Beyond the BMP: the two halves of the surrogate pair, each with its fallback.
        {QString::fromUcs4(U"\U0001F600"), "\\u-10179\\'3f\\u-8704\\'3f"},
        // Half a pair on its own is no character: the replacement character stands in.
        {QChar(0xD83D) + QStringLiteral("a") + QChar(0xDE00), "\\u-3\\'3fa\\u-3\\'3f"},
        {QStringLiteral("\u00e9\\\u20ac{"), "\\'e9\\\\\\'80\\{"},
        // A space after a space, which LibreOffice would read as two characters.
        {QStringLiteral("a  b   c"), "a \\u32\\'3fb \\u32\\'3f\\u32\\'3fc"},
    };
    for (const Case &c : cases) {
        const QByteArray body = bodyOf(rtf::Write(oneParagraph({run(c.text)})));
        QVERIFY2(body.contains(" " + c.written + "\\plain}"), body.constData());
        // Nothing but ASCII ever reaches the file.
        for (const char byte : body)
            QVERIFY(uchar(byte) < 0x80);
    }
}

void TestRtfWriter::paragraphs_areSeparatedByPar_lineBreaksInsideAreLine()
{
    rtf::Document document;
    document.paragraphs = {{{run(QStringLiteral("one"))}}, {}, {{run(QStringLiteral("two"))}}, {}};
    const QByteArray body = bodyOf(rtf::Write(document));
    // One \par per line break, none after the last paragraph, empty or not.
    QCOMPARE(body.count("\\par\r\n"), 3);
    QVERIFY(body.contains("one\\par\r\n\\par\r\ntwo\\par\r\n\\plain}"));

    const QByteArray inside = bodyOf(
        rtf::Write(oneParagraph({run(QStringLiteral("a\u2028b\tc"))})));
    QVERIFY2(inside.contains("a\\line b\\tab c"), inside.constData());
}

void TestRtfWriter::attributes_areWrittenOnlyWhenTheyChange()
{
    rtf::Document document;
    document.paragraphs = {
        {{run(QStringLiteral("Head"), true, Teal)}},
        {{run(QStringLiteral("Label: "), false, Maroon), run(QStringLiteral("value"))}},
        {{run(QStringLiteral("more"))}},
    };
    const QByteArray body = bodyOf(rtf::Write(document));
    QCOMPARE(body, QByteArray("\\pard\\plain\\f0\\fs20\\b\\cf1 Head\\par\r\n"
                              "\\b0\\cf2 Label: \\cf3 value\\par\r\n"
                              "more\\plain}\r\n"));
}

void TestRtfWriter::unrtf_readsBackTheReportWithItsBoldAndColours()
{
    if (!m_haveUnrtf)
        QSKIP("unrtf is not installed (scripts/install-deps.sh --test installs it)");
    modAquarius::LoadSignProfile();
    QTextDocument document;
    document.setDefaultFont(documentFont(9.75));
    QTextCursor cursor(&document);
    report::InsertRuns(cursor, report::ComposeRuns(modAquarius::signProfile()));

    const QString html = unrtfHtml(rtf::Write(report::RtfModel(document)));
    QVERIFY(!html.isEmpty());
    QVERIFY(html.contains(QLatin1String("<font face=\"Verdana\">")));

    const QList<Shown> expected = shownIn(document);
    const QList<Shown> read = shownInUnrtfHtml(html);
    QCOMPARE(read.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (expected[i].character == QLatin1Char('\n'))
            QCOMPARE(read[i].character, QLatin1Char('\n'));
        else
            QVERIFY2(read[i] == expected[i], qPrintable(describe(expected, i)));
    }
    // The four colours are there, each where the report puts it.
    QCOMPARE(read.constFirst(), (Shown{QLatin1Char('A'), true, QStringLiteral("#800080")}));
    const auto colourAt = [&](const QString &text) {
        const QString plain = document.toPlainText();
        const qsizetype at = plain.indexOf(text);
        return at < 0 ? QString() : read[at].colour + QLatin1String(read[at].bold ? " bold" : "");
    };
    QCOMPARE(colourAt(QStringLiteral("Planets Associated")), QStringLiteral("#008080 bold"));
    QCOMPARE(colourAt(QStringLiteral("Lucky Metals: ")), QStringLiteral("#800000"));
    QCOMPARE(colourAt(QStringLiteral("Aquarius As Father: ")), QStringLiteral("#000000"));
}

void TestRtfWriter::unrtf_readsBackAwkwardText()
{
    if (!m_haveUnrtf)
        QSKIP("unrtf is not installed (scripts/install-deps.sh --test installs it)");
    // Each special character runs straight into the next, as readers trip over that.
    const QString awkward = QStringLiteral("{braces}back\\slash caf\u00e9s\u20acx\u0416y")
                            + QString::fromUcs4(U"\U0001F600") + QStringLiteral("z\\par end");
    QTextDocument document;
    document.setDefaultFont(documentFont(9.75));
    QTextCursor cursor(&document);
    report::InsertRuns(cursor, {{awkward, true, ReportColour::Teal},
                                {QStringLiteral("\r\n}{\u00ff"), false, ReportColour::Maroon}});

    const QList<Shown> read = shownInUnrtfHtml(unrtfHtml(rtf::Write(report::RtfModel(document))));
    QCOMPARE(read, shownIn(document));
}

void TestRtfWriter::libreOffice_readsBackRandomDocumentsExactly()
{
    if (readback::libreOffice().isEmpty())
        QSKIP("LibreOffice is not installed (scripts/install-deps.sh --test installs it)");
    constexpr quint32 Seed = 20261207;
    QRandomGenerator random(Seed);
    QTemporaryDir dir;
    QList<rtf::Document> documents(120);
    QStringList files;
    for (qsizetype i = 0; i < documents.size(); ++i) {
        documents[i] = randomDocument(random);
        files << dir.filePath(QStringLiteral("%1.rtf").arg(i));
        QFile file(files.constLast());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rtf::Write(documents[i])) > 0);
    }
    const QString failure = readback::convertToFlatOdt(files, dir.filePath(QStringLiteral("out")),
                                                       dir.filePath(QStringLiteral("profile")));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    for (qsizetype i = 0; i < documents.size(); ++i) {
        QFile converted(dir.filePath(QStringLiteral("out/%1.fodt").arg(i)));
        QVERIFY2(converted.open(QIODevice::ReadOnly), qPrintable(converted.fileName()));
        const Paragraphs read = readback::readFlatOdt(converted.readAll());
        const Paragraphs expected = expectedReading(documents[i]);
        const QByteArray where = QStringLiteral("document %1 of seed %2, written as\n")
                                     .arg(i).arg(Seed).toUtf8() + bodyOf(rtf::Write(documents[i]));
        QVERIFY2(read.size() == expected.size(), where.constData());
        for (qsizetype p = 0; p < read.size(); ++p) {
            if (read[p] != expected[p])
                qWarning("%s\nparagraph %lld differs", where.constData(), qlonglong(p));
            QCOMPARE(read[p], expected[p]);
        }
    }
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
