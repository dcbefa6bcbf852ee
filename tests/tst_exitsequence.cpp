// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/forms.h"
#include "app/frmnagscreen.h"
#include "app/frmmain.h"
#include "support/recordingplatform.h"
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
    void closingExitScreen_unloadsEachFormOnceThenEnds_data();
    void closingExitScreen_unloadsEachFormOnceThenEnds();
    void sessionEnding_closesMainThenExitScreen();
    void eventLoopEndingOtherwise_endsThroughEndApplication();

private:
    // A form loaded after the main window, to watch the order and count of unloads.
    struct Watcher {
        int unloads = 0;
        bool startUpAlreadyUnloading = false;
        int terminationsBefore = -1;
    };

    RecordingPlatform m_world;
    frmNagScreen *m_startUp = nullptr;
    Watcher m_watcher;
};

void TestExitSequence::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestExitSequence::init()
{
    loadedForms() = FormList();
    m_world.terminations = 0;
    m_watcher = Watcher();

    m_startUp = new frmNagScreen;
    m_startUp->Form_Load();
    QVERIFY(m_startUp->mainWindow());
    QVERIFY(QTest::qWaitForWindowExposed(m_startUp->mainWindow()));

    loadedForms().loaded(&m_watcher, QStringLiteral("watcher"), [this] {
        ++m_watcher.unloads;
        m_watcher.startUpAlreadyUnloading = !loadedForms().isLoaded(m_startUp);
        m_watcher.terminationsBefore = m_world.terminations;
    });
}

void TestExitSequence::cleanup()
{
    for (frmNagScreen2 *screen : exitScreens())
        delete screen;
    delete m_startUp->mainWindow();
    delete m_startUp;
    m_startUp = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
    QPointer<frmMain> main = m_startUp->mainWindow();

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
    QCOMPARE(loadedForms().names(),
             (QStringList{QStringLiteral("frmNagScreen"), QStringLiteral("watcher"),
                          QStringLiteral("frmNagScreen2")}));
    QCOMPARE(m_watcher.unloads, 0);
}

void TestExitSequence::closingExitScreen_unloadsEachFormOnceThenEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Exit clicked") << QStringLiteral("click");
    QTest::newRow("Exit by keyboard") << QStringLiteral("key");
    QTest::newRow("close box") << QStringLiteral("close");
}

void TestExitSequence::closingExitScreen_unloadsEachFormOnceThenEnds()
{
    QFETCH(QString, how);

    QVERIFY(m_startUp->mainWindow()->close());
    QTRY_COMPARE(exitScreens().size(), 1);
    QPointer<frmNagScreen2> screen = exitScreens().first();
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen));

    auto *exit = screen->findChild<QPushButton *>(QStringLiteral("cmdClose"));
    QVERIFY(exit);
    if (how == QLatin1String("click")) {
        QTest::mouseClick(exit, Qt::LeftButton);
    } else if (how == QLatin1String("key")) {
        // The Exit button has the focus when the screen opens.
        QCOMPARE(QApplication::focusWidget(), exit);
        QTest::keyClick(exit, Qt::Key_Return);
    } else {
        QVERIFY(screen->close());
    }

    QCOMPARE(m_world.terminations, 1);
    QVERIFY(loadedForms().names().isEmpty());
    QVERIFY(loadedForms().hasEnded());
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

void TestExitSequence::sessionEnding_closesMainThenExitScreen()
{
    // A desktop session that ends asks the application to quit, and Qt closes every window
    // it finds: the main window, which brings up the exit screen, and then the exit screen,
    // which ends the program the one way.
    QPointer<frmMain> main = m_startUp->mainWindow();
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
    QTRY_VERIFY(main.isNull());
    QCOMPARE(m_world.terminations, 1);
    QVERIFY(loadedForms().names().isEmpty());
    QCOMPARE(m_watcher.unloads, 1);
    QVERIFY(m_watcher.startUpAlreadyUnloading);
}

void TestExitSequence::eventLoopEndingOtherwise_endsThroughEndApplication()
{
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    QCOMPARE(m_world.terminations, 1);
    QVERIFY(loadedForms().names().isEmpty());
    QCOMPARE(m_watcher.unloads, 1);
    QVERIFY(m_watcher.startUpAlreadyUnloading);
}

QTEST_MAIN(TestExitSequence)
#include "tst_exitsequence.moc"
