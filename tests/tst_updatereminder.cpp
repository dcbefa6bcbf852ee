// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/settings.h"
#include "web/pages.h"
#include "web/updatereminder.h"

#include "support/diskfull.h"
#include "support/recordingplatform.h"
#include "support/settingsfile.h"
#include "support/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QSettings>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif


namespace {

using modHelp::reminder::DateText;

const QDate Today(2026, 12, 7);

// Notes what the store holds at the moment the download page is asked for.
class StoreWatchingPlatform : public RecordingPlatform
{
public:
    void openUrl(const QString &address) override
    {
        installAtOpen = ReadSetting(QStringLiteral("Install"));
        durationAtOpen = ReadSetting(QStringLiteral("Duration"));
        RecordingPlatform::openUrl(address);
    }

    std::optional<QString> installAtOpen;
    std::optional<QString> durationAtOpen;
};

QString stored(const QString &key)
{
    return ReadSetting(key).value_or(QStringLiteral("<unreadable>"));
}

QByteArray storeBytes()
{
    QFile file(settingsFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString downloadPage()
{
    return modHelp::PageAddress(QStringLiteral("download-web-page"));
}

struct Start {
    QList<RecordingPlatform::Message> asked;
    QStringList opened;
    bool quiet() const { return asked.isEmpty() && opened.isEmpty(); }
};

// One start of the program as far as the reminder goes: the day, and the answer if asked.
Start startOn(QDate today, Platform::Answer answer = Platform::Answer::No)
{
    RecordingPlatform world;
    world.todayIs = today;
    world.answers = {answer};
    modHelp::ShowUpdateReminder();
    return {world.messages, world.opened};
}

} // namespace

class TestUpdateReminder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void firstRun_asksNothingAndStoresOneAndToday();
    void withinFourteenDays_asksNothingAndStoresNothing_data();
    void withinFourteenDays_asksNothingAndStoresNothing();
    void fifteenDaysOrMoreApart_asks_data();
    void fifteenDaysOrMoreApart_asks();
    void question_hasItsExactTextIconButtonsAndDefault();
    void answerNo_storesToday_soTheNextFourteenDaysAreQuiet();
    void answerYes_storesBothBeforeOpeningTheDownloadPage();

    void install_readsAsAbsoluteWholeNumber_data();
    void install_readsAsAbsoluteWholeNumber();
    void durationNotADate_asksNothingAndStoresNothing_data();
    void durationNotADate_asksNothingAndStoresNothing();

    void storedDateFormat_widensTheYearOrFallsBackToIso_data();
    void storedDateFormat_widensTheYearOrFallsBackToIso();
    void twoDigitYearLocale_storedDateReadsBackTheSameDay();

    void brokenStore_reminderEndsQuietly_data();
    void brokenStore_reminderEndsQuietly();
    void fullDisk_afterTheQuestion_nothingStoredAndNoPage();
    void brokenStore_startUpStillShowsTheMainWindow_data();
    void brokenStore_startUpStillShowsTheMainWindow();
    void dueReminder_isAskedBeforeTheMainWindowShows();

private:
    static void storeState(const QString &install, QDate duration);
    static void breakStore(const QString &kind);
};

void TestUpdateReminder::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestUpdateReminder::init()
{
    QLocale::setDefault(QLocale::c());
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir(config).removeRecursively();
    // The registry keeps what the test before wrote.
    if (settingsFilePath().startsWith(QLatin1String("HKEY_")))
        QSettings(settingsFilePath(), QSettings::NativeFormat).clear();
}

void TestUpdateReminder::storeState(const QString &install, QDate duration)
{
    QVERIFY(WriteSetting(QStringLiteral("Install"), install));
    QVERIFY(WriteSetting(QStringLiteral("Duration"), DateText(duration)));
}

void TestUpdateReminder::firstRun_asksNothingAndStoresOneAndToday()
{
    QVERIFY(startOn(Today).quiet());
    QCOMPARE(stored(QStringLiteral("Install")), QStringLiteral("1"));
    QCOMPARE(stored(QStringLiteral("Duration")), QStringLiteral("7 Dec 2026"));
}

void TestUpdateReminder::withinFourteenDays_asksNothingAndStoresNothing_data()
{
    QTest::addColumn<int>("storedDaysFromToday");
    QTest::newRow("same day") << 0;
    QTest::newRow("14 days ago") << -14;
    QTest::newRow("14 days ahead") << 14;
}

void TestUpdateReminder::withinFourteenDays_asksNothingAndStoresNothing()
{
    QFETCH(int, storedDaysFromToday);
    storeState(QStringLiteral("5"), Today.addDays(storedDaysFromToday));
    const QByteArray before = storeBytes();

    QVERIFY(startOn(Today).quiet());
    QCOMPARE(storeBytes(), before);
}

void TestUpdateReminder::fifteenDaysOrMoreApart_asks_data()
{
    QTest::addColumn<int>("storedDaysFromToday");
    QTest::newRow("15 days ago") << -15;
    QTest::newRow("15 days ahead, clock set back") << 15;
    QTest::newRow("years ago") << -3000;
}

void TestUpdateReminder::fifteenDaysOrMoreApart_asks()
{
    QFETCH(int, storedDaysFromToday);
    storeState(QStringLiteral("1"), Today.addDays(storedDaysFromToday));

    const Start start = startOn(Today);
    QCOMPARE(start.asked.size(), 1);
    QVERIFY(start.opened.isEmpty());
    QCOMPARE(stored(QStringLiteral("Duration")), DateText(Today));
}

void TestUpdateReminder::question_hasItsExactTextIconButtonsAndDefault()
{
    storeState(QStringLiteral("1"), Today.addDays(-30));

    const Start start = startOn(Today);
    QCOMPARE(start.asked.size(), 1);
    const RecordingPlatform::Message &asked = start.asked.constFirst();
    QCOMPARE(asked.text,
             QStringLiteral("There maybe an update to this software available\r"
                            "Do you want to check for an update?"));
    QCOMPARE(asked.icon, Platform::Icon::Information);
    QCOMPARE(asked.buttons, Platform::Buttons::YesNo);
    QCOMPARE(asked.defaultAnswer, Platform::Answer::Yes);
}

void TestUpdateReminder::answerNo_storesToday_soTheNextFourteenDaysAreQuiet()
{
    storeState(QStringLiteral("3"), Today.addDays(-20));
    const Start answered = startOn(Today, Platform::Answer::No);
    QCOMPARE(answered.asked.size(), 1);
    QVERIFY(answered.opened.isEmpty());
    QCOMPARE(stored(QStringLiteral("Install")), QStringLiteral("3"));
    QCOMPARE(stored(QStringLiteral("Duration")), DateText(Today));

    QVERIFY(startOn(Today).quiet());
    QVERIFY(startOn(Today.addDays(14)).quiet());
    QCOMPARE(startOn(Today.addDays(15)).asked.size(), 1);
}

void TestUpdateReminder::answerYes_storesBothBeforeOpeningTheDownloadPage()
{
    storeState(QStringLiteral("-3"), Today.addDays(-20));

    StoreWatchingPlatform world;
    world.todayIs = Today;
    world.answers = {Platform::Answer::Yes};
    modHelp::ShowUpdateReminder();

    QCOMPARE(world.opened, QStringList(downloadPage()));
    QCOMPARE(world.installAtOpen, QStringLiteral("3"));
    QCOMPARE(world.durationAtOpen, DateText(Today));
}

void TestUpdateReminder::install_readsAsAbsoluteWholeNumber_data()
{
    QTest::addColumn<QString>("install");
    QTest::addColumn<QString>("storedAfter"); // empty: not a number, nothing acted on

    QTest::newRow("one") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("negative") << QStringLiteral("-3") << QStringLiteral("3");
    QTest::newRow("half to even, down") << QStringLiteral("2.5") << QStringLiteral("2");
    QTest::newRow("half to even, up") << QStringLiteral("3.5") << QStringLiteral("4");
    QTest::newRow("negative half") << QStringLiteral("-2.5") << QStringLiteral("2");
    QTest::newRow("nearest") << QStringLiteral("2.6") << QStringLiteral("3");
    QTest::newRow("spaces around") << QStringLiteral(" 12 ") << QStringLiteral("12");
    QTest::newRow("largest") << QStringLiteral("2147483647") << QStringLiteral("2147483647");
    QTest::newRow("most negative with a positive")
        << QStringLiteral("-2147483647") << QStringLiteral("2147483647");

    QTest::newRow("missing") << QString() << QString();
    QTest::newRow("words") << QStringLiteral("one") << QString();
    QTest::newRow("trailing letters") << QStringLiteral("12abc") << QString();
    QTest::newRow("past 32 bits") << QStringLiteral("2147483648") << QString();
    QTest::newRow("rounds past 32 bits") << QStringLiteral("2147483647.5") << QString();
    QTest::newRow("lowest, no positive") << QStringLiteral("-2147483648") << QString();
    QTest::newRow("not a number") << QStringLiteral("nan") << QString();
    QTest::newRow("infinite") << QStringLiteral("inf") << QString();
}

void TestUpdateReminder::install_readsAsAbsoluteWholeNumber()
{
    QFETCH(QString, install);
    QFETCH(QString, storedAfter);
    storeState(install, Today.addDays(-20));
    const QByteArray before = storeBytes();

    const Start start = startOn(Today, Platform::Answer::Yes);
    QCOMPARE(start.asked.size(), 1);
    if (storedAfter.isEmpty()) {
        // Asked, but the answer is not acted on: it will be asked again next time.
        QVERIFY(start.opened.isEmpty());
        QCOMPARE(storeBytes(), before);
    } else {
        QCOMPARE(start.opened, QStringList(downloadPage()));
        QCOMPARE(stored(QStringLiteral("Install")), storedAfter);
        QCOMPARE(stored(QStringLiteral("Duration")), DateText(Today));
    }
}

void TestUpdateReminder::durationNotADate_asksNothingAndStoresNothing_data()
{
    QTest::addColumn<QString>("duration");
    QTest::newRow("words") << QStringLiteral("last week");
    QTest::newRow("no such day") << QStringLiteral("31 Feb 2026");
    QTest::newRow("another date format") << QStringLiteral("2026-11-01");
}

void TestUpdateReminder::durationNotADate_asksNothingAndStoresNothing()
{
    QFETCH(QString, duration);
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    QVERIFY(WriteSetting(QStringLiteral("Duration"), duration));
    const QByteArray before = storeBytes();

    // Nor at the next start: the value stays as it was.
    for (int start = 0; start < 2; ++start) {
        QVERIFY(startOn(Today).quiet());
        QCOMPARE(storeBytes(), before);
    }
}

void TestUpdateReminder::storedDateFormat_widensTheYearOrFallsBackToIso_data()
{
    QTest::addColumn<QString>("shortFormat");
    QTest::addColumn<QString>("storedFormat");

    QTest::newRow("US") << QStringLiteral("M/d/yy") << QStringLiteral("M/d/yyyy");
    QTest::newRow("German") << QStringLiteral("dd.MM.yy") << QStringLiteral("dd.MM.yyyy");
    QTest::newRow("already four digits") << QStringLiteral("yyyy-MM-dd") << QStringLiteral("yyyy-MM-dd");
    QTest::newRow("quoted y is text") << QStringLiteral("'y' d/M/yy") << QStringLiteral("'y' d/M/yyyy");
    QTest::newRow("marks the store drops")
        << QStringLiteral("d\u200F/M\u200F/yy") << QStringLiteral("yyyy-MM-dd");
    QTest::newRow("no year to read back") << QStringLiteral("d/M") << QStringLiteral("yyyy-MM-dd");
}

void TestUpdateReminder::storedDateFormat_widensTheYearOrFallsBackToIso()
{
    QFETCH(QString, shortFormat);
    QFETCH(QString, storedFormat);
    QCOMPARE(modHelp::reminder::StoredDateFormat(shortFormat), storedFormat);
}

void TestUpdateReminder::twoDigitYearLocale_storedDateReadsBackTheSameDay()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString shortFormat = QLocale().dateFormat(QLocale::ShortFormat);
    QVERIFY2(shortFormat.contains(QLatin1String("yy")) && !shortFormat.contains(QLatin1String("yyyy")),
             qPrintable(shortFormat));

    QVERIFY(startOn(Today).quiet());
    QCOMPARE(stored(QStringLiteral("Duration")), QStringLiteral("12/7/2026"));
    // A century off would make every start ask.
    QVERIFY(startOn(Today.addDays(14)).quiet());
}

void TestUpdateReminder::breakStore(const QString &kind)
{
    const QString path = settingsFilePath();
    const QString folder = QFileInfo(path).absolutePath();
#ifdef Q_OS_WIN
    if (kind == QLatin1String("foreign value")) {
        // A number where the program keeps a string, which it neither reads nor replaces.
        const DWORD number = 5;
        const QString value = ScrambleText(QStringLiteral("Duration"));
        QCOMPARE(RegSetKeyValueW(HKEY_CURRENT_USER, LR"(Software\Lunavale\tst_updatereminder\Settings)",
                                 reinterpret_cast<const wchar_t *>(value.utf16()), REG_DWORD,
                                 &number, sizeof number), LSTATUS(ERROR_SUCCESS));
    }
#endif
    if (kind == QLatin1String("malformed")) {
        storeState(QStringLiteral("1"), Today.addDays(-30));
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("[Settings\n=\n");
    } else if (kind == QLatin1String("folder in its place")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("no folder possible")) {
        // A file where the folder should be: nothing can be created there.
        QVERIFY(QDir().mkpath(QFileInfo(folder).absolutePath()));
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
}

void TestUpdateReminder::brokenStore_reminderEndsQuietly_data()
{
    QTest::addColumn<QString>("kind");
#ifdef Q_OS_WIN
    QTest::newRow("foreign value") << QStringLiteral("foreign value");
#else
    QTest::newRow("malformed") << QStringLiteral("malformed");
    QTest::newRow("folder in its place") << QStringLiteral("folder in its place");
    QTest::newRow("no folder possible") << QStringLiteral("no folder possible");
#endif
}

void TestUpdateReminder::brokenStore_reminderEndsQuietly()
{
    QFETCH(QString, kind);
    breakStore(kind);
    const QByteArray before = storeBytes();

    QVERIFY(startOn(Today).quiet());
    QCOMPARE(storeBytes(), before);
}

void TestUpdateReminder::fullDisk_afterTheQuestion_nothingStoredAndNoPage()
{
    STARFOLD_NEEDS_FULL_DISK();
    storeState(QStringLiteral("1"), Today.addDays(-30));
    const QByteArray before = storeBytes();

    Start start;
    {
        DiskFull full;
        start = startOn(Today, Platform::Answer::Yes);
    }
    QCOMPARE(start.asked.size(), 1);
    QVERIFY(start.opened.isEmpty());
    QCOMPARE(storeBytes(), before);
}

void TestUpdateReminder::brokenStore_startUpStillShowsTheMainWindow_data()
{
    brokenStore_reminderEndsQuietly_data();
}

void TestUpdateReminder::brokenStore_startUpStillShowsTheMainWindow()
{
    QFETCH(QString, kind);
    breakStore(kind);

    RecordingPlatform world;
    world.todayIs = Today;
    const StartUp program;

    QVERIFY(program.mainWindowShown());
    QVERIFY(world.messages.isEmpty());
    QCOMPARE(world.terminations, 0);
}

void TestUpdateReminder::dueReminder_isAskedBeforeTheMainWindowShows()
{
    storeState(QStringLiteral("1"), Today.addDays(-15));

    RecordingPlatform world;
    world.todayIs = Today;
    world.answers = {Platform::Answer::Yes};
    bool windowVisibleWhenAsked = true;
    world.onMessage = [&](const RecordingPlatform::Message &) {
        windowVisibleWhenAsked = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            windowVisibleWhenAsked |= w->isVisible();
    };
    const StartUp program;

    QCOMPARE(world.messages.size(), 1);
    QVERIFY(!windowVisibleWhenAsked);
    QCOMPARE(world.opened, QStringList(downloadPage()));
    QVERIFY(program.mainWindowShown());
}

QTEST_MAIN(TestUpdateReminder)
#include "tst_updatereminder.moc"
