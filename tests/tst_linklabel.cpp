// SPDX-License-Identifier: GPL-3.0-or-later
// The link label paints its caption itself; it must look exactly as a focusable
// plain-text QLabel with the same caption, font, colour, alignment and wrapping.
#include "app/frmmain.h"
#include "report/frmsave.h"
#include "ui/fonts.h"
#include "ui/linklabel.h"
#include "web/frmabout.h"
#include "web/frmnagscreen2.h"

#include "support/recordingplatform.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestLinkLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyLinkOfEveryWindow_looksLikeALabel_data();
    void everyLinkOfEveryWindow_looksLikeALabel();
    void wrappedOrNot_looksLikeALabelAtAnyAlignment_data();
    void wrappedOrNot_looksLikeALabelAtAnyAlignment();
    void onAHighlight_takesTheTextRoleALabelTakes();
    void changedAfterShowing_isLaidOutAgain();
    void clickOutsideOnRelease_isNoClick();

private:
    RecordingPlatform m_world;
};

namespace {

// The label the link replaces: QLabel's text control draws a focusable label's text.
std::unique_ptr<QLabel> labelLike(const LinkLabel &link)
{
    auto label = std::make_unique<QLabel>(link.parentWidget());
    label->setFocusPolicy(Qt::TabFocus);
    label->setTextFormat(Qt::PlainText);
    label->setText(link.text());
    label->setPalette(link.palette());
    label->setAutoFillBackground(link.autoFillBackground());
    label->setFont(link.font());
    label->setAlignment(link.alignment());
    label->setWordWrap(link.wordWrap());
    label->setGeometry(link.geometry());
    return label;
}

// Where the link and such a label differ, in words; empty when they are the same to the
// pixel. The link is compared without the focus mark, which a QLabel does not draw.
QString differenceFromLabel(LinkLabel *link)
{
    link->clearFocus();
    const auto label = labelLike(*link);
    const QImage a = link->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage b = label->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    int differing = 0;
    QPoint first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && differing++ == 0)
                first = QPoint(x, y);
    if (differing == 0)
        return {};
    return QStringLiteral("%1 pixels differ, the first at %2,%3")
        .arg(differing)
        .arg(first.x())
        .arg(first.y());
}

// One link label in a window of its own, shown.
struct LoneLink {
    LoneLink(const QString &caption, const QRect &where, const QColor &color, const QFont &font,
             Qt::Alignment alignment, bool wrap = true)
        : link(makeLinkLabel(&window, "link", caption, where, color, font, alignment, wrap))
    {
        window.resize(300, 120);
        window.show();
    }
    bool exposed() { return QTest::qWaitForWindowExposed(&window); }

    QWidget window;
    LinkLabel *link;
};

} // namespace

void TestLinkLabel::everyLinkOfEveryWindow_looksLikeALabel_data()
{
    QTest::addColumn<int>("window");
    QTest::newRow("main window") << 0;
    QTest::newRow("report window") << 1;
    QTest::newRow("about box") << 2;
    QTest::newRow("exit screen") << 3;
}

void TestLinkLabel::everyLinkOfEveryWindow_looksLikeALabel()
{
    QFETCH(int, window);
    std::unique_ptr<QWidget> form;
    switch (window) {
    case 0: form = std::make_unique<frmMain>(); break;
    case 1: form = std::make_unique<frmSave>(); break;
    case 2: form = std::make_unique<frmAbout>(); break;
    default: form = std::make_unique<frmNagScreen2>(); break;
    }
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    const QList<LinkLabel *> links = form->findChildren<LinkLabel *>();
    QVERIFY(!links.isEmpty());
    for (LinkLabel *link : links) {
        const QString difference = differenceFromLabel(link);
        QVERIFY2(difference.isEmpty(), qPrintable(link->objectName() + QLatin1String(": ") + difference));
    }
}

void TestLinkLabel::wrappedOrNot_looksLikeALabelAtAnyAlignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<QString>("caption");
    const QString longer = QStringLiteral("A caption long enough to need two or three lines in "
                                          "its box, with some, shorter, words & a few marks.");
    const QString wide = QStringLiteral("A caption wider than its box that is not wrapped at all");
    for (const int alignment : {int(Qt::AlignLeft | Qt::AlignTop), int(Qt::AlignCenter),
                                int(Qt::AlignRight | Qt::AlignBottom), int(Qt::AlignLeft)}) {
        const QByteArray at = QByteArray::number(alignment, 16);
        QTest::newRow("wrapped " + at) << alignment << true << longer;
        QTest::newRow("one line " + at) << alignment << false << wide;
    }
}

void TestLinkLabel::wrappedOrNot_looksLikeALabelAtAnyAlignment()
{
    QFETCH(int, alignment);
    QFETCH(bool, wrap);
    QFETCH(QString, caption);
    LoneLink lone(caption, QRect(10, 10, 170, 70), QColor(0, 0, 255),
                  programFont(8.25, true, true), Qt::Alignment(alignment), wrap);
    QVERIFY(lone.exposed());
    const QString difference = differenceFromLabel(lone.link);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestLinkLabel::onAHighlight_takesTheTextRoleALabelTakes()
{
    // A label on a highlighted band inherits the band's roles and draws in its
    // highlighted-text colour, whatever its own window-text colour says.
    LoneLink lone(QStringLiteral("On the band"), QRect(10, 10, 120, 40), Qt::white,
                  programFont(8.25, true, true), Qt::AlignCenter);
    QPalette band = lone.window.palette();
    band.setColor(QPalette::HighlightedText, QColor(240, 200, 100));
    lone.window.setPalette(band);
    lone.window.setBackgroundRole(QPalette::Highlight);
    lone.window.setAutoFillBackground(true);
    QVERIFY(lone.exposed());
    QCOMPARE(lone.link->foregroundRole(), QPalette::HighlightedText);
    const QString difference = differenceFromLabel(lone.link);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestLinkLabel::changedAfterShowing_isLaidOutAgain()
{
    LoneLink lone(QStringLiteral("Short"), QRect(10, 10, 120, 40), Qt::black, programFont(),
                  Qt::AlignLeft | Qt::AlignTop);
    QVERIFY(lone.exposed());
    LinkLabel *link = lone.link;
    const QImage before = link->grab().toImage();

    link->setCaption(QStringLiteral("A caption that takes && wraps over more lines"));
    link->setFont(programFont(9.75));
    link->setGeometry(10, 10, 150, 60);
    link->setAlignment(Qt::AlignCenter);
    QCOMPARE(link->text(), QStringLiteral("A caption that takes & wraps over more lines"));
    QCOMPARE(link->accessibleName(), link->text());
    QVERIFY(link->grab().toImage() != before);
    const QString difference = differenceFromLabel(link);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestLinkLabel::clickOutsideOnRelease_isNoClick()
{
    LoneLink lone(QStringLiteral("Follow me"), QRect(10, 10, 100, 20), Qt::blue, programFont(),
                  Qt::AlignLeft);
    QVERIFY(lone.exposed());
    LinkLabel *link = lone.link;
    QSignalSpy clicks(link, &LinkLabel::clicked);

    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(150, 5));
    QCOMPARE(clicks.size(), 0);
    QTest::mousePress(link, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.size(), 0);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.size(), 1);
}

QTEST_MAIN(TestLinkLabel)
#include "tst_linklabel.moc"
