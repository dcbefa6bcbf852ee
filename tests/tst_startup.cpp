// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/programstyle.h"

#include "support/formlist.h"
#include "support/recordingplatform.h"
#include "support/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void secondInstance_isRefusedBeforeAnyWindowOrSetting();
    void ordinaryStart_showsOnlyTheMainWindow();
    void ordinaryStart_loadsNoImagePluginAndNoPrintSupport();

private:
    static QStringList configFiles();
    static QStringList mappedFiles();
};

void TestStartup::initTestCase()
{
    useProgramStyle();
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
    QCOMPARE(namesOf(loadedForms()),
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

// The files mapped into this process: its executable and every shared object loaded.
QStringList TestStartup::mappedFiles()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    QStringList files;
    if (!maps.open(QIODevice::ReadOnly | QIODevice::Text))
        return files;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash >= 0 && !files.contains(QString::fromLocal8Bit(line.mid(slash))))
            files << QString::fromLocal8Bit(line.mid(slash));
    }
    return files;
}

void TestStartup::ordinaryStart_loadsNoImagePluginAndNoPrintSupport()
{
    if (mappedFiles().isEmpty())
        QSKIP("this system does not list a process's mapped files in /proc/self/maps");
    RecordingPlatform world;
    const StartUp program;
    QVERIFY(program.mainWindowShown());
    // Everything on show painted once, the frames of the group boxes among it.
    QVERIFY(!program.mainWindow()->grab().isNull());

    // Printing is loaded when the user prints; pictures are drawn from pixels in place.
    for (const QString &file : mappedFiles()) {
        QVERIFY2(!file.contains(QLatin1String("/imageformats/")), qPrintable(file));
        QVERIFY2(!file.contains(QLatin1String("libQt6PrintSupport")), qPrintable(file));
        QVERIFY2(!file.contains(QLatin1String("libQt6Svg")), qPrintable(file));
        QVERIFY2(!file.contains(QLatin1String("starfold_print")), qPrintable(file));
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
