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

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <iterator>
#include <memory>

class TestLinkLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyWindowsLinks_lookLikeLabels_alsoOnceChanged();
    void releaseOutsideOrOtherButton_isNoClick();

private:
    RecordingPlatform m_world;
};

namespace {

// Whether the link, without its focus mark (which a QLabel lacks), is to the pixel the
// QLabel it replaces.
bool looksLikeALabel(LinkLabel *link)
{
    link->clearFocus();
    QLabel label(link->text(), link->parentWidget());
    label.setFocusPolicy(Qt::TabFocus);
    label.setTextFormat(Qt::PlainText);
    label.setPalette(link->palette());
    label.setAutoFillBackground(link->autoFillBackground());
    label.setFont(link->font());
    label.setAlignment(link->alignment());
    label.setWordWrap(link->wordWrap());
    label.setGeometry(link->geometry());
    const auto image = [](QWidget *w) {
        return w->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    };
    return image(link) == image(&label);
}

} // namespace

void TestLinkLabel::everyWindowsLinks_lookLikeLabels_alsoOnceChanged()
{
    // Label61 lies on a highlighted band, where a label takes the band's highlighted-text
    // colour; make it one that differs from the link's own white.
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::HighlightedText, QColor(240, 200, 100));
    QApplication::setPalette(palette);
    const std::function<QWidget *()> windows[] = {
        [] { return new frmMain; }, [] { return new frmSave; },
        [] { return new frmAbout; }, [] { return new frmNagScreen2; }};
    const std::function<void(LinkLabel *)> changes[] = {
        [](LinkLabel *l) { l->setCaption(l->text() + QStringLiteral(" & more words")); },
        [](LinkLabel *l) {
            l->setFont(programFont({.pointSize = 9.75, .bold = true, .underline = true}));
        },
        [](LinkLabel *l) { l->setGeometry(l->geometry().adjusted(0, 0, 20, 10)); },
        [](LinkLabel *l) { l->setAlignment(Qt::AlignRight | Qt::AlignBottom); },
        [](LinkLabel *l) { l->setWordWrap(!l->wordWrap()); }};
    for (const auto &make : windows) {
        const std::unique_ptr<QWidget> form(make());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QList<LinkLabel *> links = form->findChildren<LinkLabel *>();
        QVERIFY2(!links.isEmpty(), form->metaObject()->className());
        for (LinkLabel *link : links) {
            const QByteArray name = link->objectName().toUtf8();
            QVERIFY2(looksLikeALabel(link), name);
            // Each change once laid out, so that a stale layout would show.
            for (int i = 0; i < int(std::size(changes)); ++i) {
                changes[i](link);
                QVERIFY2(looksLikeALabel(link), name + " after change " + QByteArray::number(i));
            }
        }
    }
}

void TestLinkLabel::releaseOutsideOrOtherButton_isNoClick()
{
    QWidget window;
    LinkLabel *link = makeLinkLabel(&window, {.name = "link",
                                              .caption = QStringLiteral("Follow me"),
                                              .place = QRect(10, 10, 100, 20),
                                              .style = {.color = Qt::blue,
                                                        .font = programFont(),
                                                        .alignment = Qt::AlignLeft}});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicks(link, &LinkLabel::clicked);
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(150, 5));
    QTest::mouseClick(link, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.size(), 0);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.size(), 1);
}

QTEST_MAIN(TestLinkLabel)
#include "tst_linklabel.moc"
