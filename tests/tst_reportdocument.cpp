// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fonts.h"
#include "profile/signprofile.h"
#include "report/reportdocument.h"
#include "report/rtfwriter.h"

#include "support/rtfreadback.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

using readback::Shown;

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

} // namespace

// The report's document, as the box holds it, written as RTF and read back by unrtf.
class TestReportDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void unrtf_readsBackTheReportWithItsBoldAndColours();
    void unrtf_readsBackAwkwardText();

private:
    bool m_haveUnrtf = false;
};

void TestReportDocument::initTestCase()
{
    m_haveUnrtf = !QStandardPaths::findExecutable(QStringLiteral("unrtf")).isEmpty();
}

void TestReportDocument::unrtf_readsBackTheReportWithItsBoldAndColours()
{
    if (!m_haveUnrtf)
        QSKIP("unrtf is not installed (scripts/install-deps.sh --test installs it)");
    modAquarius::LoadSignProfile();
    QTextDocument document;
    document.setDefaultFont(documentFont(9.75));
    QTextCursor cursor(&document);
    report::InsertRuns(cursor, report::ComposeRuns(modAquarius::loadedProfile()));

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

void TestReportDocument::unrtf_readsBackAwkwardText()
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

QTEST_MAIN(TestReportDocument)
#include "tst_reportdocument.moc"
