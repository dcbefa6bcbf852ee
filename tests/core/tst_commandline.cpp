// SPDX-License-Identifier: GPL-3.0-or-later
// --help and --version are answered by the real program where there is no display at all.
#include "base/buildconfig.h"

#include <QProcess>
#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void option_withoutDisplay_printsAndExits_data();
    void option_withoutDisplay_printsAndExits();
};

void TestCommandLine::option_withoutDisplay_printsAndExits_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("expected"); // the whole output, or for help its first line
    const QString version = QStringLiteral("Starfold " STARFOLD_VERSION "\n");
    const QString usage = QStringLiteral("Usage: starfold [--help | --version]\n");
    QTest::newRow("version") << QStringLiteral("--version") << version;
    QTest::newRow("help") << QStringLiteral("--help") << usage;
    QTest::newRow("short help") << QStringLiteral("-h") << usage;
    QTest::newRow("among ignored arguments")
        << QStringLiteral("-style fusion --version") << version;
    QTest::newRow("unknown option") << QStringLiteral("-style fusion --bogus --version")
                                    << QStringLiteral("starfold: unknown option '--bogus'\n");
}

void TestCommandLine::option_withoutDisplay_printsAndExits()
{
    QFETCH(QString, arguments);
    QFETCH(QString, expected);
    // Without a display and with no platform plugin chosen, QApplication would abort.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(STARFOLD_EXECUTABLE), arguments.split(u' '));
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    if (expected.contains(QLatin1String("unknown"))) {
        QCOMPARE(program.exitCode(), 2);
        const QString error = QString::fromUtf8(program.readAllStandardError()).remove(u'\r');
        QVERIFY2(error.startsWith(expected), qPrintable(error));
        QCOMPARE(program.readAllStandardOutput(), QByteArray());
        return;
    }
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardError(), QByteArray());
    // Windows ends a line of text output with \r\n.
    const QString output = QString::fromUtf8(program.readAllStandardOutput()).remove(u'\r');
    if (arguments.endsWith(QLatin1String("--version")))
        QCOMPARE(output, expected);
    else
        QVERIFY2(output.startsWith(expected)
                     && output.contains(QLatin1String("--version  show the version")),
                 qPrintable(output));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
