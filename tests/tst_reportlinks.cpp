// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile/signprofile.h"
#include "report/frmsave.h"
#include "report/links.h"
#include "report/reportdocument.h"
#include "report/rtfwriter.h"

#include "support/recordingplatform.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <memory>

namespace {

QStringList addressesIn(const QString &text)
{
    QStringList found;
    for (const links::WebAddress &a : links::FindWebAddresses(text))
        found << text.mid(a.start, a.length);
    return found;
}

} // namespace

class TestReportLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void detection_findsTheWebSchemesAndWwwNames_data();
    void detection_findsTheWebSchemesAndWwwNames();
    void detection_workGrowsLinearlyWithTheText_data();
    void detection_workGrowsLinearlyWithTheText();
    void opening_onlyWebSchemes_wwwGetsHttp_data();
    void opening_onlyWebSchemes_wwwGetsHttp();
    void opening_clipsTo1024Characters();

    void composedReport_showsNoLink();
    void typedAddress_becomesALinkAsItIsTyped();
    void leftPress_opensTheLinkOnce_andPlacesTheCaret();
    void releaseMoveAndRightClick_openNothing();
    void pressBesideALink_opensNothing();
    void nonWebSchemes_areNeverOpened();
    void longLink_isOpenedClipped();
    void linkLook_isNotSaved();
    void reopenedWindow_hasWorkingLinksAgain();
    void overlongWord_breaksLinesAnywhereOnlyWhileItIsThere();

private:
    // Appends a line of text at the end of the report, as the user would type it.
    void typeLine(const QString &text);
    // A point inside the character at this offset of the last paragraph.
    QPoint pointInLastLine(qsizetype offset) const;

    std::unique_ptr<RecordingPlatform> m_world;
    std::unique_ptr<frmSave> m_form;
};

void TestReportLinks::initTestCase()
{
    modAquarius::LoadSignProfile();
}

void TestReportLinks::init()
{
    m_world = std::make_unique<RecordingPlatform>();
    m_form = std::make_unique<frmSave>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestReportLinks::cleanup()
{
    m_form.reset();
    m_world.reset();
}

void TestReportLinks::typeLine(const QString &text)
{
    QTextEdit *box = m_form->RTB();
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, text);
    box->ensureCursorVisible();
}

QPoint TestReportLinks::pointInLastLine(qsizetype offset) const
{
    QTextEdit *box = m_form->RTB();
    QTextCursor cursor(box->document()->lastBlock());
    cursor.setPosition(cursor.block().position() + int(offset));
    const QRect before = box->cursorRect(cursor);
    cursor.movePosition(QTextCursor::NextCharacter);
    const QRect after = box->cursorRect(cursor);
    return QPoint((before.left() + after.left()) / 2, before.center().y());
}

void TestReportLinks::detection_findsTheWebSchemesAndWwwNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    auto row = [](const char *name, const char *text, QStringList found) {
        QTest::newRow(name) << QString::fromUtf8(text) << found;
    };
    row("http", "see http://example.com/a?b=1 now", {QStringLiteral("http://example.com/a?b=1")});
    row("https upper case", "HTTPS://EXAMPLE.COM", {QStringLiteral("HTTPS://EXAMPLE.COM")});
    row("ftp and mailto", "ftp://f.example.net/x mailto:me@example.org",
        {QStringLiteral("ftp://f.example.net/x"), QStringLiteral("mailto:me@example.org")});
    row("www", "(www.lunavale.com/forum)", {QStringLiteral("www.lunavale.com/forum")});
    row("sentence end", "Visit www.a.com, or http://b.org/c. Then https://d.net!",
        {QStringLiteral("www.a.com"), QStringLiteral("http://b.org/c"),
         QStringLiteral("https://d.net")});
    row("brackets kept when paired", "http://w.org/Foo_(bar)",
        {QStringLiteral("http://w.org/Foo_(bar)")});
    row("quotes and angles end it", "<http://a.com>\"www.b.com\"",
        {QStringLiteral("http://a.com"), QStringLiteral("www.b.com")});
    row("not inside a word", "awww.example.com xhttp://a.com", {});
    row("bare prefixes", "http:// www. mailto:", {});
    row("other schemes", "file:///etc/passwd javascript:alert(1) starfold://run news:x", {});
    row("none in plain prose", "Aquarius: January 20th - February 18th.", {});
}

void TestReportLinks::detection_findsTheWebSchemesAndWwwNames()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    QCOMPARE(addressesIn(text), found);
}

void TestReportLinks::detection_workGrowsLinearlyWithTheText_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("closing brackets after an address") << ")" << "http://a.com/";
    QTest::newRow("opening brackets") << "(" << "http://a.com/";
    QTest::newRow("brackets and dots") << ").(" << "www.a.com";
    QTest::newRow("sentence ends") << ".,;" << "https://a.com";
    QTest::newRow("prefixes back to back") << "http://" << "";
    QTest::newRow("www names") << "www.a " << "";
    QTest::newRow("prose") << "Aquarius is friendly. " << "";
}

void TestReportLinks::detection_workGrowsLinearlyWithTheText()
{
    QFETCH(QString, unit);
    QFETCH(QString, prefix);
    auto stepsPerCharacter = [&](qsizetype length) {
        QString text = prefix;
        while (text.size() < length)
            text += unit;
        qsizetype steps = 0;
        links::FindWebAddresses(text, &steps);
        return double(steps) / double(text.size());
    };
    const double small = stepsPerCharacter(10'000);
    const double large = stepsPerCharacter(100'000);
    // Most characters are looked at, and ten times the text is ten times the work, not a hundred.
    QVERIFY(small >= 0.5);
    QVERIFY2(large <= 4 && large <= 1.1 * small,
             qPrintable(QStringLiteral("%1, then %2 steps a character").arg(small).arg(large)));
}

void TestReportLinks::opening_onlyWebSchemes_wwwGetsHttp_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("opened"); // empty: never opened
    QTest::newRow("http") << "http://a.com/x" << "http://a.com/x";
    QTest::newRow("https") << "https://a.com" << "https://a.com";
    QTest::newRow("ftp") << "FTP://a.com" << "FTP://a.com";
    QTest::newRow("mailto") << "mailto:me@a.com" << "mailto:me@a.com";
    QTest::newRow("www") << "www.lunavale.com" << "http://www.lunavale.com";
    QTest::newRow("WWW") << "WWW.LUNAVALE.COM" << "http://WWW.LUNAVALE.COM";
    QTest::newRow("file") << "file:///bin/sh" << "";
    QTest::newRow("javascript") << "javascript:alert(1)" << "";
    QTest::newRow("custom scheme") << "starfold://run?x" << "";
    QTest::newRow("smb") << "smb://host/share" << "";
    QTest::newRow("relative") << "example.com" << "";
    QTest::newRow("bare prefix") << "http://" << "";
    // A mail program would attach the named file and send it away.
    QTest::newRow("mailto attach") << "mailto:a@b.com?subject=Hi&attach=/etc/passwd&body=x"
                                   << "mailto:a@b.com?subject=Hi&body=x";
    QTest::newRow("mailto attachment first")
        << "mailto:a@b.com?Attachment=~/.ssh/id_rsa&cc=c@d.com" << "mailto:a@b.com?cc=c@d.com";
    QTest::newRow("mailto encoded name") << "mailto:a@b.com?%61ttach=x" << "mailto:a@b.com";
    QTest::newRow("mailto fields kept") << "mailto:a@b.com?subject=attach%20this&body=y"
                                        << "mailto:a@b.com?subject=attach%20this&body=y";
    // Only the fields of a plain message pass, judged once decoded as a mail program would.
    QTest::newRow("mailto insert") << "mailto:a@b.c?insert=/x&body=y" << "mailto:a@b.c?body=y";
    QTest::newRow("mailto double-encoded") << "mailto:a@b.c?%2561ttach=x" << "mailto:a@b.c";
    QTest::newRow("mailto ;-joined") << "mailto:a@b.c?subject=Hi;attach=/x" << "mailto:a@b.c";
    QTest::newRow("mailto encoded &") << "mailto:a@b.c?body=x%26attach%3D/etc/pw" << "mailto:a@b.c";
}

void TestReportLinks::opening_onlyWebSchemes_wwwGetsHttp()
{
    QFETCH(QString, link);
    QFETCH(QString, opened);
    const std::optional<QString> address = links::OpenableAddress(link);
    QCOMPARE(address.value_or(QString()), opened);
}

void TestReportLinks::opening_clipsTo1024Characters()
{
    const QString longLink = QStringLiteral("http://a.com/") + QString(2000, QLatin1Char('x'));
    QCOMPARE(*links::OpenableAddress(longLink), longLink.left(1024));

    const QString www = QStringLiteral("www.a.com/") + QString(2000, QLatin1Char('y'));
    QCOMPARE(*links::OpenableAddress(www), QStringLiteral("http://") + www.left(1024));

    // A character outside the BMP is not cut in half at the limit.
    const QString wide = QStringLiteral("http://a.com/") + QString(1010, QLatin1Char('z'))
                         + QString::fromUcs4(U"\U0001F600") + QStringLiteral("tail");
    QCOMPARE(wide.indexOf(QString::fromUcs4(U"\U0001F600")), 1023);
    QCOMPARE(*links::OpenableAddress(wide), wide.left(1023));
}

void TestReportLinks::composedReport_showsNoLink()
{
    for (QTextBlock b = m_form->RTB()->document()->begin(); b.isValid(); b = b.next())
        QVERIFY2(b.layout()->formats().isEmpty(), qPrintable(b.text()));
}

void TestReportLinks::typedAddress_becomesALinkAsItIsTyped()
{
    typeLine(QStringLiteral("Forum: www.lunavale.com/forum and more"));
    const QTextBlock last = m_form->RTB()->document()->lastBlock();
    const QList<QTextLayout::FormatRange> shown = last.layout()->formats();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].start, 7);
    QCOMPARE(shown[0].length, 22);
    QVERIFY(shown[0].format.fontUnderline());
    QCOMPARE(shown[0].format.foreground().color(), QColor(0, 0, 255));

    // Editing the address away takes the link away.
    QTest::keyClick(m_form->RTB(), Qt::Key_Home);
    QTest::keyClicks(m_form->RTB(), QStringLiteral("x"));
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(m_form->RTB(), Qt::Key_Right);
    QTest::keyClick(m_form->RTB(), Qt::Key_Backspace); // "www" -> "ww"
    QVERIFY(m_form->RTB()->document()->lastBlock().layout()->formats().isEmpty());
}

void TestReportLinks::leftPress_opensTheLinkOnce_andPlacesTheCaret()
{
    typeLine(QStringLiteral("Go to http://example.com/page now"));
    QWidget *viewport = m_form->RTB()->viewport();
    const QPoint onLink = pointInLastLine(12);
    QTest::mousePress(viewport, Qt::LeftButton, {}, onLink);
    QCOMPARE(m_world->opened, QStringList{QStringLiteral("http://example.com/page")});
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, onLink);
    QCOMPARE(m_world->opened.size(), 1);

    // The press went on to the box too.
    const QTextBlock last = m_form->RTB()->document()->lastBlock();
    const int caret = m_form->RTB()->textCursor().position() - last.position();
    QVERIFY2(caret == 12 || caret == 13, qPrintable(QString::number(caret)));

    // Every further press opens it again, once each.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointInLastLine(6));
    QCOMPARE(m_world->opened.size(), 2);
    QVERIFY(m_world->messages.isEmpty());
}

void TestReportLinks::releaseMoveAndRightClick_openNothing()
{
    typeLine(QStringLiteral("www.example.org"));
    QWidget *viewport = m_form->RTB()->viewport();
    const QPoint onLink = pointInLastLine(4);
    QTest::mouseMove(viewport, onLink);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, onLink);
    QTest::mouseClick(viewport, Qt::RightButton, {}, onLink);
    QTest::mouseClick(viewport, Qt::MiddleButton, {}, onLink);
    QVERIFY(m_world->opened.isEmpty());
}

void TestReportLinks::pressBesideALink_opensNothing()
{
    typeLine(QStringLiteral("see www.example.org"));
    QWidget *viewport = m_form->RTB()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointInLastLine(1));
    // Past the end of the line, level with the link.
    const QPoint pastEnd(viewport->width() - 20, pointInLastLine(10).y());
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pastEnd);
    QVERIFY(m_world->opened.isEmpty());
}

void TestReportLinks::nonWebSchemes_areNeverOpened()
{
    typeLine(QStringLiteral("file:///usr/bin/xterm javascript:alert(1) starfold://x"));
    QWidget *viewport = m_form->RTB()->viewport();
    for (qsizetype offset : {3, 10, 25, 45})
        QTest::mouseClick(viewport, Qt::LeftButton, {}, pointInLastLine(offset));
    QVERIFY(m_world->opened.isEmpty());
    QVERIFY(m_form->RTB()->document()->lastBlock().layout()->formats().isEmpty());
}

void TestReportLinks::longLink_isOpenedClipped()
{
    const QString link = QStringLiteral("https://example.com/") + QString(1500, QLatin1Char('q'));
    typeLine(link);
    QTest::mouseClick(m_form->RTB()->viewport(), Qt::LeftButton, {}, pointInLastLine(3));
    QCOMPARE(m_world->opened, QStringList{link.left(1024)});
}

void TestReportLinks::linkLook_isNotSaved()
{
    typeLine(QStringLiteral("http://example.com"));
    const rtf::Document model = report::RtfModel(*m_form->RTB()->document());
    for (const rtf::Run &run : model.paragraphs.constLast().runs)
        QCOMPARE(run.colour, (rtf::Colour{0, 0, 0}));
}

void TestReportLinks::reopenedWindow_hasWorkingLinksAgain()
{
    m_form->close();
    m_form = std::make_unique<frmSave>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    typeLine(QStringLiteral("mailto:friend@example.com"));
    QTest::mouseClick(m_form->RTB()->viewport(), Qt::LeftButton, {}, pointInLastLine(2));
    QCOMPARE(m_world->opened, QStringList{QStringLiteral("mailto:friend@example.com")});
}

void TestReportLinks::overlongWord_breaksLinesAnywhereOnlyWhileItIsThere()
{
    // Qt would take the square of the word's length to wrap it at its ends.
    QTextEdit *box = m_form->RTB();
    const QTextOption::WrapMode usual = box->wordWrapMode();
    QCOMPARE(usual, QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\nsee http://a.com/") + QString(200000, QLatin1Char(')')));
    QCOMPARE(box->wordWrapMode(), QTextOption::WrapAnywhere);
    // The address is still a link, without its trailing brackets.
    const QList<QTextLayout::FormatRange> shown =
        box->document()->lastBlock().layout()->formats();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].start, 4);
    QCOMPARE(shown[0].length, 13);

    box->document()->undo();
    QVERIFY(!box->toPlainText().contains(QStringLiteral("http://a.com/")));
    QCOMPARE(box->wordWrapMode(), usual);
}

QTEST_MAIN(TestReportLinks)
#include "tst_reportlinks.moc"
