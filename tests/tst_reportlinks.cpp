// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile/signprofile.h"
#include "report/frmsave.h"
#include "report/reportdocument.h"
#include "report/rtfwriter.h"

#include "support/recordingplatform.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <memory>

class TestReportLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

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
