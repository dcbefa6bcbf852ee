// SPDX-License-Identifier: GPL-3.0-or-later
// Opens addresses through the real desktop services, with a URL handler of our own in
// place of the desktop's: a script named xdg-open, first on PATH, that writes down what it
// was given. Needs a desktop platform plugin (xcb under Xvfb); offscreen has no URL service.
#include "app/qtplatform.h"
#include "web/pages.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

class TestOpenUrlReal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    // Qt remembers the first handler it finds, so the case without one runs first.
    void noHandler_returnsQuietly();
    void launcher_handsExactlyItsAddressToTheHandler();
    void addressWithShellCharacters_arrivesAsOneArgument();
    void slowHandler_isNotWaitedFor();
    void twoCalls_startTheHandlerTwice();

private:
    void writeHandler();
    // What each start of the handler received, one list of arguments per start.
    QList<QStringList> deliveries() const;
    QString inbox() const { return m_dir.filePath(QStringLiteral("inbox")); }

    QTemporaryDir m_dir;
    QByteArray m_path;
    std::optional<QtPlatform> m_world;
};

void TestOpenUrlReal::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("inbox")));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("empty")));
    writeHandler();
    m_path = qgetenv("PATH");
    // Nothing else may stand in for the handler.
    for (const char *name : {"BROWSER", "DEFAULT_BROWSER", "SNAP"})
        qunsetenv(name);
    m_world.emplace();
    setPlatform(&*m_world);
}

void TestOpenUrlReal::cleanup()
{
    QFile::remove(m_dir.filePath(QStringLiteral("delay")));
    // Let any late start finish writing before the next case counts.
    QTest::qWait(50);
    for (const QString &name : QDir(inbox()).entryList(QDir::Files))
        QFile::remove(QDir(inbox()).filePath(name));
}

void TestOpenUrlReal::init()
{
    // Without a URL service every call fails quietly, which only the first case is about.
    const QString plugin = QGuiApplication::platformName();
    const bool canOpen = plugin != QLatin1String("offscreen") && plugin != QLatin1String("minimal");
    if (!canOpen && qstrcmp(QTest::currentTestFunction(), "noHandler_returnsQuietly") != 0)
        QSKIP("this platform plugin cannot open addresses; tst_openurl_real_desktop runs "
              "this case under Xvfb");
    qputenv("PATH", m_dir.filePath(QStringLiteral("bin")).toLocal8Bit() + ':' + m_path);
}

void TestOpenUrlReal::writeHandler()
{
    // One file per start, named after the process, written whole before it appears.
    const QString script = QStringLiteral(
        "#!/bin/sh\n"
        "dir='%1'\n"
        "[ -f \"$dir/delay\" ] && sleep \"$(cat \"$dir/delay\")\"\n"
        "{ echo \"$#\"; for arg in \"$@\"; do printf '%s\\n' \"$arg\"; done; } > \"$dir/inbox/.$$\"\n"
        "mv \"$dir/inbox/.$$\" \"$dir/inbox/$$\"\n")
                               .arg(m_dir.path());
    QFile handler(m_dir.filePath(QStringLiteral("bin/xdg-open")));
    QVERIFY(handler.open(QIODevice::WriteOnly));
    handler.write(script.toLocal8Bit());
    handler.close();
    QVERIFY(handler.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QList<QStringList> TestOpenUrlReal::deliveries() const
{
    QList<QStringList> result;
    for (const QString &name : QDir(inbox()).entryList(QDir::Files, QDir::Name)) {
        QFile file(QDir(inbox()).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
        if (lines.constLast().isEmpty())
            lines.removeLast();
        // First line: how many arguments; then one argument per line.
        if (!lines.isEmpty() && lines.takeFirst().toInt() == lines.size())
            result.append(lines);
        else
            result.append(QStringList{QStringLiteral("<garbled>")});
    }
    return result;
}

void TestOpenUrlReal::noHandler_returnsQuietly()
{
    // No xdg-open, no browser variable and no known browser on PATH.
    qputenv("PATH", m_dir.filePath(QStringLiteral("empty")).toLocal8Bit());
    QWidget caller;
    caller.show();

    QElapsedTimer clock;
    clock.start();
    modHelp::OpenHomePage();
    QVERIFY2(clock.elapsed() < 2000, "the failing call held up its caller");

    QTest::qWait(200);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!(qobject_cast<QMessageBox *>(w) && w->isVisible()), "a message was shown");
    QVERIFY(caller.isVisible());
    QVERIFY(caller.isEnabled());
    QVERIFY(deliveries().isEmpty());
}

void TestOpenUrlReal::launcher_handsExactlyItsAddressToTheHandler()
{
    modHelp::OpenSignForumPage();

    QTRY_COMPARE_WITH_TIMEOUT(deliveries().size(), 1, 10000);
    const QString expected =
        modHelp::ServerBaseAddress() + QStringLiteral("/aquarius_-_january_20_-_february_18");
    QCOMPARE(deliveries().constFirst(), QStringList{expected});
}

void TestOpenUrlReal::addressWithShellCharacters_arrivesAsOneArgument()
{
    // A shell would split this at the semicolon and the ampersand and run the $( ).
    const QString address =
        QStringLiteral("https://www.example.invalid/p?a=1&b=$(touch%20x);c='d'");
    modHelp::OpenWebPage(address);

    QTRY_COMPARE_WITH_TIMEOUT(deliveries().size(), 1, 10000);
    QCOMPARE(deliveries().constFirst(), QStringList{address});
    QVERIFY(!QFile::exists(QDir::current().filePath(QStringLiteral("x"))));
}

void TestOpenUrlReal::slowHandler_isNotWaitedFor()
{
    QFile delay(m_dir.filePath(QStringLiteral("delay")));
    QVERIFY(delay.open(QIODevice::WriteOnly));
    delay.write("3\n");
    delay.close();

    QElapsedTimer clock;
    clock.start();
    modHelp::OpenDonatePage();
    QVERIFY2(clock.elapsed() < 1500, "the caller waited for the handler");

    QVERIFY(deliveries().isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(deliveries().size(), 1, 15000);
    QCOMPARE(deliveries().constFirst(),
             QStringList{modHelp::ServerBaseAddress() + QStringLiteral("/starfold/ssd.php?page=donate")});
}

void TestOpenUrlReal::twoCalls_startTheHandlerTwice()
{
    modHelp::OpenDailyHoroscopePage();
    modHelp::OpenDailyHoroscopePage();

    QTRY_COMPARE_WITH_TIMEOUT(deliveries().size(), 2, 10000);
    const QStringList expected{modHelp::ServerBaseAddress()
                               + QStringLiteral("/aquarius_-_daily_horoscope")};
    QCOMPARE(deliveries(), (QList<QStringList>{expected, expected}));
}

QTEST_MAIN(TestOpenUrlReal)
#include "tst_openurl_real.moc"
