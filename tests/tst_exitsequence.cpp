// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/findcontrol.h"
#include "support/formlist.h"
#include "support/recordingplatform.h"
#include "support/startup.h"
#include "web/frmnagscreen2.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

QList<frmNagScreen2 *> exitScreens()
{
    QList<frmNagScreen2 *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<frmNagScreen2 *>(w); screen && screen->isVisible())
            found << screen;
    }
    return found;
}

} // namespace

class TestExitSequence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void closingMainWindow_showsExitScreenAndKeepsRunning_data();
    void closingMainWindow_showsExitScreenAndKeepsRunning();
    void exitClicked_unloadsEachFormOnceThenEnds();
    void exitByKeyboard_unloadsEachFormOnceThenEnds();
    void closeBox_unloadsEachFormOnceThenEnds();
    void sessionEnding_closesMainThenExitScreen();
    void eventLoopEndingOtherwise_endsThroughEndApplication();

private:
    // Closes the main window and returns the exit screen it brought up, active.
    frmNagScreen2 *activeExitScreen();
    void verifyEndedOnce(const QPointer<frmNagScreen2> &screen);

    // A form loaded after the main window, to watch the order and count of unloads.
    struct Watcher {
        int unloads = 0;
        bool startUpAlreadyUnloading = false;
        int terminationsBefore = -1;
    };

    RecordingPlatform m_world;
    std::unique_ptr<StartUp> m_program;
    Watcher m_watcher;
};

void TestExitSequence::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestExitSequence::init()
{
    m_world.terminations = 0;
    m_watcher = Watcher();

    m_program = std::make_unique<StartUp>();
    QVERIFY(m_program->mainWindowShown());

    loadedForms().loaded(&m_watcher, QStringLiteral("watcher"), [this] {
        ++m_watcher.unloads;
        m_watcher.startUpAlreadyUnloading = !isLoaded(loadedForms(), &m_program->form());
        m_watcher.terminationsBefore = m_world.terminations;
    });
}

void TestExitSequence::cleanup()
{
    for (frmNagScreen2 *screen : exitScreens())
        delete screen;
    m_program.reset();
}

void TestExitSequence::closingMainWindow_showsExitScreenAndKeepsRunning_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("close box") << false;
    QTest::newRow("Exit menu") << true;
}

void TestExitSequence::closingMainWindow_showsExitScreenAndKeepsRunning()
{
    QFETCH(bool, byMenu);
    QPointer<frmMain> main = m_program->mainWindow();

    if (byMenu)
        main->mnuExit_Click();
    else
        QVERIFY(main->close());

    QTRY_VERIFY(main.isNull());
    QCOMPARE(m_world.terminations, 0);
    const auto screens = exitScreens();
    QCOMPARE(screens.size(), 1);
    frmNagScreen2 *screen = screens.first();
    QVERIFY(!screen->parentWidget());
    QVERIFY(!screen->isModal());
    QVERIFY(screen->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(namesOf(loadedForms()),
             (QStringList{QStringLiteral("frmNagScreen"), QStringLiteral("watcher"),
                          QStringLiteral("frmNagScreen2")}));
    QCOMPARE(m_watcher.unloads, 0);
}

frmNagScreen2 *TestExitSequence::activeExitScreen()
{
    if (!m_program->mainWindow()->close())
        return nullptr;
    if (!QTest::qWaitFor([] { return exitScreens().size() == 1; }))
        return nullptr;
    frmNagScreen2 *screen = exitScreens().first();
    screen->activateWindow();
    return QTest::qWaitForWindowActive(screen) ? screen : nullptr;
}

void TestExitSequence::verifyEndedOnce(const QPointer<frmNagScreen2> &screen)
{
    QCOMPARE(m_world.terminations, 1);
    QVERIFY(namesOf(loadedForms()).isEmpty());
    QVERIFY(hasEnded(loadedForms()));
    QCOMPARE(m_watcher.unloads, 1);
    // The hidden start-up form goes first, and the end comes after every unload.
    QVERIFY(m_watcher.startUpAlreadyUnloading);
    QCOMPARE(m_watcher.terminationsBefore, 0);
    QTRY_VERIFY(screen.isNull());
    QVERIFY(exitScreens().isEmpty());

    // Nothing brings a second exit screen or a second end.
    EndApplication();
    QCOMPARE(m_world.terminations, 1);
}

void TestExitSequence::exitClicked_unloadsEachFormOnceThenEnds()
{
    QPointer<frmNagScreen2> screen = activeExitScreen();
    QVERIFY(screen);
    QTest::mouseClick(findControl<QPushButton>(screen, "cmdClose"), Qt::LeftButton);
    verifyEndedOnce(screen);
}

void TestExitSequence::exitByKeyboard_unloadsEachFormOnceThenEnds()
{
    QPointer<frmNagScreen2> screen = activeExitScreen();
    QVERIFY(screen);
    // The Exit button has the focus when the screen opens.
    auto *exit = findControl<QPushButton>(screen, "cmdClose");
    QCOMPARE(QApplication::focusWidget(), exit);
    QTest::keyClick(exit, Qt::Key_Return);
    verifyEndedOnce(screen);
}

void TestExitSequence::closeBox_unloadsEachFormOnceThenEnds()
{
    QPointer<frmNagScreen2> screen = activeExitScreen();
    QVERIFY(screen);
    QVERIFY(screen->close());
    verifyEndedOnce(screen);
}

void TestExitSequence::sessionEnding_closesMainThenExitScreen()
{
    // A desktop session that ends asks the application to quit, and Qt closes every window
    // it finds: the main window, which brings up the exit screen, and then the exit screen,
    // which ends the program the one way.
    QPointer<frmMain> main = m_program->mainWindow();
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
    QTRY_VERIFY(main.isNull());
    QCOMPARE(m_world.terminations, 1);
    QVERIFY(namesOf(loadedForms()).isEmpty());
    QCOMPARE(m_watcher.unloads, 1);
    QVERIFY(m_watcher.startUpAlreadyUnloading);
}

void TestExitSequence::eventLoopEndingOtherwise_endsThroughEndApplication()
{
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    QCOMPARE(m_world.terminations, 1);
    QVERIFY(namesOf(loadedForms()).isEmpty());
    QCOMPARE(m_watcher.unloads, 1);
    QVERIFY(m_watcher.startUpAlreadyUnloading);
}

QTEST_MAIN(TestExitSequence)
#include "tst_exitsequence.moc"
