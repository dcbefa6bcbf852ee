// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/frmabout.h"

#include "base/forms.h"
#include "ui/linklabel.h"
#include "web/pages.h"

#include "support/findcontrol.h"
#include "support/recordingplatform.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

class TestFrmAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opened_showsTheProgramWithOkFocused();
    void ok_enter_esc_and_closeBox_allCloseIt_data();
    void ok_enter_esc_and_closeBox_allCloseIt();
    void links_openHomeAndFullyBrandedPages_andLeaveItOpen();
    void linkClickedTwice_opensTwice();
    void keyboard_reachesAndFollowsBothLinks();
    void openedAgain_looksUnchanged();
    void layout_orangeClientAreaCentredOnTheScreen();

private:
    frmAbout *openBox();
    template<typename T>
    static T *child(QWidget *box, const char *name)
    {
        return findControl<T>(box, name);
    }
    // A click delivered to the window, so the widget under the point is the one hit.
    static void clickOn(QWidget *target)
    {
        QWidget *top = target->window();
        QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {},
                          target->mapTo(top, target->rect().center()));
    }

    RecordingPlatform *m_world = nullptr;
    QPointer<frmAbout> m_box;
};

void TestFrmAbout::init()
{
    m_world = new RecordingPlatform;
}

void TestFrmAbout::cleanup()
{
    delete m_box;
    delete m_world;
}

frmAbout *TestFrmAbout::openBox()
{
    m_box = new frmAbout;
    m_box->show();
    if (!QTest::qWaitForWindowActive(m_box))
        qWarning("the about box did not become active");
    return m_box;
}

void TestFrmAbout::opened_showsTheProgramWithOkFocused()
{
    frmAbout *box = openBox();

    QCOMPARE(box->windowTitle(), QStringLiteral("Starfold v1.75"));
    QCOMPARE(child<QLabel>(box, "Label2")->text(), QStringLiteral("Starfold v1.75"));
    QVERIFY(!child<QLabel>(box, "Picture1")->pixmap().isNull());
    QCOMPARE(child<LinkLabel>(box, "lblCoBrand")->text(), QStringLiteral("Click here for more details."));
    QVERIFY(child<LinkLabel>(box, "lblHomePage")->text().endsWith(QUrl(modHelp::ServerBaseAddress()).host()));
    QVERIFY(child<QLabel>(box, "Label1")->text().contains(QLatin1String("Western astrology")));
    QVERIFY(child<QLabel>(box, "Label3")->text().contains(QLatin1String("fully branded")));

    auto *ok = child<QPushButton>(box, "cmdOK");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ok));
    QVERIFY(loadedForms().names().contains(QStringLiteral("frmAbout")));
    QVERIFY(m_world->opened.isEmpty());
}

void TestFrmAbout::ok_enter_esc_and_closeBox_allCloseIt_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("OK clicked") << 0;
    QTest::newRow("Enter") << 1;
    QTest::newRow("Esc") << 2;
    QTest::newRow("close box") << 3;
}

void TestFrmAbout::ok_enter_esc_and_closeBox_allCloseIt()
{
    QFETCH(int, how);
    frmAbout *box = openBox();
    const int before = int(loadedForms().names().count(QStringLiteral("frmAbout")));
    QCOMPARE(before, 1);

    switch (how) {
    case 0: clickOn(child<QPushButton>(box, "cmdOK")); break;
    case 1: QTest::keyClick(box, Qt::Key_Return); break;
    case 2: QTest::keyClick(box, Qt::Key_Escape); break;
    case 3: box->windowHandle()->close(); break;
    }

    QTRY_VERIFY(!box->isVisible());
    QVERIFY(!loadedForms().names().contains(QStringLiteral("frmAbout")));
    QVERIFY(m_world->opened.isEmpty());
}

void TestFrmAbout::links_openHomeAndFullyBrandedPages_andLeaveItOpen()
{
    frmAbout *box = openBox();

    clickOn(child<LinkLabel>(box, "lblHomePage"));
    clickOn(child<LinkLabel>(box, "lblCoBrand"));

    QCOMPARE(m_world->opened,
             (QStringList{modHelp::PageAddress(QStringLiteral("home-page")),
                          modHelp::PageAddress(QStringLiteral("fully-branded"))}));
    QVERIFY(box->isVisible());
}

void TestFrmAbout::linkClickedTwice_opensTwice()
{
    frmAbout *box = openBox();
    auto *link = child<LinkLabel>(box, "lblCoBrand");

    clickOn(link);
    clickOn(link);

    const QString page = modHelp::PageAddress(QStringLiteral("fully-branded"));
    QCOMPARE(m_world->opened, (QStringList{page, page}));
}

void TestFrmAbout::keyboard_reachesAndFollowsBothLinks()
{
    frmAbout *box = openBox();
    auto *home = child<LinkLabel>(box, "lblHomePage");
    auto *more = child<LinkLabel>(box, "lblCoBrand");
    QCOMPARE(home->accessibleName(), home->text());
    QCOMPARE(more->accessibleName(), QStringLiteral("Click here for more details."));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(home));
    // Enter on a link follows it; it does not press the default button.
    QTest::keyClick(home, Qt::Key_Return);
    QTest::keyClick(home, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(more));
    QTest::keyClick(more, Qt::Key_Space);
    QTest::keyClick(more, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(child<QPushButton>(box, "cmdOK")));

    QCOMPARE(m_world->opened,
             (QStringList{modHelp::PageAddress(QStringLiteral("home-page")),
                          modHelp::PageAddress(QStringLiteral("fully-branded"))}));
    QVERIFY(box->isVisible());
}

void TestFrmAbout::openedAgain_looksUnchanged()
{
    frmAbout *first = openBox();
    const QImage fresh = first->grab().toImage();
    clickOn(child<LinkLabel>(first, "lblHomePage"));
    QTest::keyClick(first, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!first->isVisible());
    delete first;

    frmAbout *second = openBox();
    QCOMPARE(second->grab().toImage(), fresh);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(child<QPushButton>(second, "cmdOK")));
}

void TestFrmAbout::layout_orangeClientAreaCentredOnTheScreen()
{
    frmAbout *box = openBox();

    // 7125 x 4395 twips.
    QCOMPARE(box->size(), QSize(475, 293));
    QCOMPARE(box->minimumSize(), box->maximumSize());
    QCOMPARE(box->grab().toImage().pixelColor(2, 150), QColor(255, 128, 0));
    // Centred before the window system adds its frame, so allow for the frame.
    const QPoint offCentre =
        box->frameGeometry().center() - box->screen()->availableGeometry().center();
    const QSize frame = box->frameGeometry().size() - box->size();
    QVERIFY2(qAbs(offCentre.x()) <= frame.width() + 1 && qAbs(offCentre.y()) <= frame.height() + 1,
             qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    // The separator runs across the form above the button.
    auto *line = child<QFrame>(box, "Line1");
    QCOMPARE(line->frameShape(), QFrame::HLine);
    QVERIFY(line->geometry().bottom() < child<QPushButton>(box, "cmdOK")->geometry().top());
    QCOMPARE(line->width(), box->width());
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
