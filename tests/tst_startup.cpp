// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/recordingplatform.h"
#include "support/startup.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void secondInstance_isRefusedBeforeAnyWindowOrSetting();
    void ordinaryStart_showsOnlyTheMainWindow();

private:
    static QStringList configFiles();
};

void TestStartup::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .removeRecursively();
}

QStringList TestStartup::configFiles()
{
    QDir dir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    QStringList files;
    if (dir.exists())
        files = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    return files;
}

void TestStartup::secondInstance_isRefusedBeforeAnyWindowOrSetting()
{
    RecordingPlatform world;
    world.anotherInstance = true;
    world.onMessage = [](const RecordingPlatform::Message &) {
        // The message is the only thing the user sees of a refused start.
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    };

    const StartUp program;

    QCOMPARE(world.messages.size(), 1);
    QCOMPARE(world.messages[0].text, QStringLiteral("Application is already running"));
    QCOMPARE(world.messages[0].icon, Platform::Icon::Information);
    QCOMPARE(world.messages[0].buttons, Platform::Buttons::Ok);
    QCOMPARE(world.terminations, 1);
    QVERIFY(program.mainWindow() == nullptr);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QVERIFY(world.opened.isEmpty());
    QCOMPARE(configFiles(), QStringList());
}

void TestStartup::ordinaryStart_showsOnlyTheMainWindow()
{
    RecordingPlatform world;
    const StartUp program;

    QVERIFY(program.mainWindowShown());
    QCOMPARE(loadedForms().names(),
             QStringList({QStringLiteral("frmNagScreen"), QStringLiteral("frmMain")}));
    QWidgetList visible;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            visible << w;
    QCOMPARE(visible.size(), 1);
    QCOMPARE(visible[0], program.mainWindow());
    QCOMPARE(world.terminations, 0);
    QVERIFY(world.messages.isEmpty());
    QVERIFY(!program.form().IMGIcon().isEmpty());
    QVERIFY(!program.form().IMGIcon().first().pixmap(32, 32).isNull());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
