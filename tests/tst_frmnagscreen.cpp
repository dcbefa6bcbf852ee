// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/random.h"
#include "support/findcontrol.h"
#include "support/recordingplatform.h"
#include "support/startup.h"
#include "web/cobrand.h"
#include "ui/linklabel.h"
#include "web/pages.h"

#include <QApplication>
#include <QGroupBox>
#include <QStandardPaths>
#include <QTest>

namespace {

// A state of the program's sequence whose next draw gives the wanted number.
quint32 stateDrawing(qint16 wanted)
{
    RandomSequence probe;
    for (quint32 state = 0;; ++state) {
        probe.seed(state);
        if (cobrand::Draw(probe.next()) == wanted)
            return state;
    }
}

} // namespace

// The start-up form's draw of the offer in front of the main window's advertising spot.
class TestFrmNagScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void randomize_storesDrawAndFrontsChosenOffer_data();
    void randomize_storesDrawAndFrontsChosenOffer();
    void randomize_frontOfferAloneTakesClicks();

private:
    RecordingPlatform m_world;
    std::unique_ptr<StartUp> m_program;
};

void TestFrmNagScreen::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setQuitOnLastWindowClosed(false);
    m_program = std::make_unique<StartUp>();
    QVERIFY(m_program->mainWindowShown());
}

void TestFrmNagScreen::cleanupTestCase()
{
    m_program.reset();
}

void TestFrmNagScreen::randomize_storesDrawAndFrontsChosenOffer_data()
{
    QTest::addColumn<int>("wanted");
    QTest::addColumn<QString>("front");

    const QString coBrand = QStringLiteral("lblCobrand");
    const QString fullBrand = QStringLiteral("lblFullBrand");
    // Each run starts from the other offer in front, so a pick that changes nothing shows.
    QTest::newRow("1") << 1 << coBrand;
    QTest::newRow("2") << 2 << fullBrand;
    QTest::newRow("3") << 3 << coBrand;
    QTest::newRow("4") << 4 << fullBrand;
    QTest::newRow("5") << 5 << coBrand;
    QTest::newRow("6") << 6 << fullBrand;
    QTest::newRow("7 leaves the front alone") << 7 << QString();
}

void TestFrmNagScreen::randomize_storesDrawAndFrontsChosenOffer()
{
    QFETCH(int, wanted);
    QFETCH(QString, front);

    frmMain *main = m_program->mainWindow();
    QWidget *spot = findControl<QGroupBox>(main, "fraFullBrand");
    QVERIFY(spot);
    const QPoint middle = findControl<LinkLabel>(main, "lblCobrand")->geometry().center();
    auto inFront = [&] {
        QWidget *w = spot->childAt(middle);
        return w ? w->objectName() : QString();
    };

    for (LinkLabel *before : {findControl<LinkLabel>(main, "lblCobrand"), findControl<LinkLabel>(main, "lblFullBrand")}) {
        before->bringToFront();
        const QString was = inFront();
        programRandom().seed(stateDrawing(qint16(wanted)));

        m_program->form().CoBrand_Randomize();

        QCOMPARE(int(m_program->form().intCoBrandRandomNumber), wanted);
        QCOMPARE(inFront(), front.isEmpty() ? was : front);
    }
}

void TestFrmNagScreen::randomize_frontOfferAloneTakesClicks()
{
    frmMain *main = m_program->mainWindow();
    struct Case {
        qint16 draw;
        LinkLabel *label;
        QString page;
    };
    const Case cases[] = {
        {2, findControl<LinkLabel>(main, "lblFullBrand"), modHelp::PageAddress(QStringLiteral("fully-branded"))},
        {1, findControl<LinkLabel>(main, "lblCobrand"), modHelp::PageAddress(QStringLiteral("co-brand"))},
    };
    for (const Case &c : cases) {
        programRandom().seed(stateDrawing(c.draw));
        m_program->form().CoBrand_Randomize();
        m_world.opened.clear();

        QWidget *spot = c.label->parentWidget();
        const QPoint middle = c.label->geometry().center();
        QWidget *hit = spot->childAt(middle);
        QCOMPARE(hit, static_cast<QWidget *>(c.label));
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(spot, middle));

        QCOMPARE(m_world.opened, QStringList{c.page});
    }
}

QTEST_MAIN(TestFrmNagScreen)
#include "tst_frmnagscreen.moc"
