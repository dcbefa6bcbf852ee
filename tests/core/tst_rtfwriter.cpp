// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/rtfwriter.h"

#include "support/rtfreadback.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

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

QString hex(const rtf::Colour &colour)
{
    return QString::asprintf("#%02x%02x%02x", colour.red, colour.green, colour.blue);
}

// What any faithful reader must show of the model: control characters and object
// placeholders have no text, half a surrogate pair is no character.
Paragraphs expectedReading(const rtf::Document &document)
{
    Paragraphs paragraphs;
    for (const rtf::Paragraph &p : document.paragraphs) {
        QList<Shown> shown;
        for (const rtf::Run &run : p.runs) {
            const QString colour = hex(run.colour);
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
    void header_namesTheFontsAndOnlyTheColoursUsed();
    void specialCharacters_areEscaped();
    void nonAscii_asAnsiBytesOrUnicodeWithFallback();
    void paragraphs_areSeparatedByPar_lineBreaksInsideAreLine();
    void attributes_areWrittenOnlyWhenTheyChange();
    void libreOffice_readsBackRandomDocumentsExactly();
};

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
    // An empty last paragraph ends with a \par of its own: readers drop an empty paragraph
    // after the last one.
    QCOMPARE(body.count("\\par\r\n"), 4);
    QVERIFY(body.contains("one\\par\r\n\\par\r\ntwo\\par\r\n\\par\r\n\\plain}"));

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

QTEST_GUILESS_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
