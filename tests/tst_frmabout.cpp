// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/frmabout.h"

#include "base/forms.h"
#include "ui/colours.h"
#include "ui/linklabel.h"
#include "web/pages.h"

#include "support/caption.h"
#include "support/everyuser.h"
#include "support/findcontrol.h"
#include "support/formlist.h"
#include "support/recordingplatform.h"
#include "support/windowchecks.h"

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
    void okClicked_closesIt();
    void enter_closesIt();
    void esc_closesIt();
    void closeBox_closesIt();
    void links_openHomeAndFullyBrandedPages_andLeaveItOpen();
    void linkClickedTwice_opensTwice();
    void keyboard_reachesAndFollowsBothLinks();
    void openedAgain_looksUnchanged();
    void layout_orangeClientAreaCentredOnTheScreen();
    void everyUser_namedReadableOnDarkAndUncutAtEveryRatio();

private:
    frmAbout *openBox();
    template<typename T>
    static T *child(QWidget *box, const char *name)
    {
        return findControl<T>(box, name);
    }

    // Opens the box and checks that it is loaded once; null when it is not.
    frmAbout *openBoxOnce();
    void verifyClosed(frmAbout *box);

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

    QCOMPARE(box->windowTitle(), programCaption());
    QCOMPARE(child<QLabel>(box, "Label2")->text(), programCaption());
    QVERIFY(!child<QLabel>(box, "Picture1")->pixmap().isNull());
    QCOMPARE(child<LinkLabel>(box, "lblCoBrand")->text(), QStringLiteral("Click here for more details."));
    QVERIFY(child<LinkLabel>(box, "lblHomePage")->text().endsWith(QUrl(modHelp::ServerBaseAddress()).host()));
    QVERIFY(child<QLabel>(box, "Label1")->text().contains(QLatin1String("Western astrology")));
    QVERIFY(child<QLabel>(box, "Label3")->text().contains(QLatin1String("fully branded")));

    auto *ok = child<QPushButton>(box, "cmdOK");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ok));
    QVERIFY(namesOf(loadedForms()).contains(QStringLiteral("frmAbout")));
    QVERIFY(m_world->opened.isEmpty());
}

frmAbout *TestFrmAbout::openBoxOnce()
{
    frmAbout *box = openBox();
    return namesOf(loadedForms()).count(QStringLiteral("frmAbout")) == 1 ? box : nullptr;
}

void TestFrmAbout::verifyClosed(frmAbout *box)
{
    QTRY_VERIFY(!box->isVisible());
    QVERIFY(!namesOf(loadedForms()).contains(QStringLiteral("frmAbout")));
    QVERIFY(m_world->opened.isEmpty());
}

void TestFrmAbout::okClicked_closesIt()
{
    frmAbout *box = openBoxOnce();
    QVERIFY(box);
    clickThroughWindow(child<QPushButton>(box, "cmdOK"));
    verifyClosed(box);
}

void TestFrmAbout::enter_closesIt()
{
    frmAbout *box = openBoxOnce();
    QVERIFY(box);
    QTest::keyClick(box, Qt::Key_Return);
    verifyClosed(box);
}

void TestFrmAbout::esc_closesIt()
{
    frmAbout *box = openBoxOnce();
    QVERIFY(box);
    QTest::keyClick(box, Qt::Key_Escape);
    verifyClosed(box);
}

void TestFrmAbout::closeBox_closesIt()
{
    frmAbout *box = openBoxOnce();
    QVERIFY(box);
    box->windowHandle()->close();
    verifyClosed(box);
}

void TestFrmAbout::links_openHomeAndFullyBrandedPages_andLeaveItOpen()
{
    frmAbout *box = openBox();

    clickThroughWindow(child<LinkLabel>(box, "lblHomePage"));
    clickThroughWindow(child<LinkLabel>(box, "lblCoBrand"));

    QCOMPARE(m_world->opened,
             (QStringList{modHelp::PageAddress(QStringLiteral("home-page")),
                          modHelp::PageAddress(QStringLiteral("fully-branded"))}));
    QVERIFY(box->isVisible());
}

void TestFrmAbout::linkClickedTwice_opensTwice()
{
    frmAbout *box = openBox();
    auto *link = child<LinkLabel>(box, "lblCoBrand");

    clickThroughWindow(link);
    clickThroughWindow(link);

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
    clickThroughWindow(child<LinkLabel>(first, "lblHomePage"));
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
    // The client area is centred, as on the main and report windows, whatever frame the
    // window system adds around it.
    const QPoint off = offCentre(box->geometry(), box->screen());
    QVERIFY2(off.manhattanLength() <= 2, pointText(off));
    // The separator runs across the form above the button.
    auto *line = child<QFrame>(box, "Line1");
    QCOMPARE(line->frameShape(), QFrame::HLine);
    QVERIFY(line->geometry().bottom() < child<QPushButton>(box, "cmdOK")->geometry().top());
    QCOMPARE(line->width(), box->width());
}

void TestFrmAbout::everyUser_namedReadableOnDarkAndUncutAtEveryRatio()
{
    frmAbout *box = openBox();
    VERIFY_NO_FAULTS(everyuser::unnamedControls(box));
    QVERIFY(!everyuser::accessibleText(child<QLabel>(box, "Picture1")).isEmpty());
    VERIFY_NO_FAULTS(everyuser::keyboardFaults(box));
    // Run at the pixel ratio of the screen; CTest runs this again at 1.5 and 2.
    VERIFY_NO_FAULTS(everyuser::clippedTexts(box, box->devicePixelRatioF()));

    const auto dark = everyuser::darkDesktop();
    // White on orange is the box's own design, on every theme.
    VERIFY_NO_FAULTS(everyuser::unreadableTexts(box, {{QColor(Qt::white), QColor(AboutOrange)}}));
    QCOMPARE(child<QLabel>(box, "Label1")->palette().color(QPalette::WindowText), QColor(Qt::white));
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
