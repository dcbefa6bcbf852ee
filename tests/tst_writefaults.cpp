// SPDX-License-Identifier: GPL-3.0-or-later
// Runs with support/faultshim.c preloaded, which fails the Nth chosen system call on files
// under one folder.
#include "base/settings.h"
#include "profile/signprofile.h"
#include "report/frmsave.h"
#include "support/recordingplatform.h"

#include <QDir>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>

class TestWriteFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyFailingCall_keepsTheOldFileReportsItAndLeavesNothing_data();
    void everyFailingCall_keepsTheOldFileReportsItAndLeavesNothing();

private:
    void (*m_arm)(const char *, const char *, long, int) = nullptr;
    int (*m_hit)() = nullptr;
};

void TestWriteFaults::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    modAquarius::LoadSignProfile();
    m_arm = reinterpret_cast<decltype(m_arm)>(dlsym(RTLD_DEFAULT, "fault_arm"));
    m_hit = reinterpret_cast<decltype(m_hit)>(dlsym(RTLD_DEFAULT, "fault_hit"));
    QVERIFY2(m_arm && m_hit, "run with the fault shim preloaded");
}

void TestWriteFaults::everyFailingCall_keepsTheOldFileReportsItAndLeavesNothing_data()
{
    QTest::addColumn<bool>("report");
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<int>("error");
    for (const bool report : {true, false}) {
        for (const char *call : {"open", "write", "fdatasync", "close", "rename"}) {
            for (const int error : {ENOSPC, EIO})
                QTest::addRow("%s %s %s", report ? "save" : "settings", call,
                              error == EIO ? "EIO" : "ENOSPC")
                    << report << QByteArray(call) << error;
        }
    }
}

void TestWriteFaults::everyFailingCall_keepsTheOldFileReportsItAndLeavesNothing()
{
    QFETCH(bool, report);
    QFETCH(QByteArray, call);
    QFETCH(int, error);
    RecordingPlatform world;
    frmSave form;
    QTemporaryDir dir;
    const QString path = report ? dir.filePath(QStringLiteral("aquarius.rtf")) : settingsFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    QDir(folder).removeRecursively();
    QVERIFY(QDir().mkpath(folder));
    world.savePath = path;
    const auto contents = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const auto write = [&]() {
        world.messages.clear();
        if (!report)
            return WriteSetting(QStringLiteral("Install"), QStringLiteral("2"));
        form.findChild<QPushButton *>(QStringLiteral("cmdSave"))->click();
        return world.messages.isEmpty();
    };
    QVERIFY(write());
    const QByteArray written = contents();

    for (long n = 1; n < 100; ++n) {
        QFile::remove(path);
        QFile lastWeek(path);
        if (report)
            QVERIFY(lastWeek.open(QIODevice::WriteOnly) && lastWeek.write("{\\rtf1 old}") > 0
                    && lastWeek.flush());
        else
            QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
        const QByteArray old = contents();
        m_arm(QFile::encodeName(folder).constData(), call.constData(), n, error);
        const bool wrote = write();
        const bool hit = m_hit();
        m_arm("", "", 0, 0);
        // Whole or not at all, said so when not, and no temporary file left beside it.
        QCOMPARE(contents(), wrote ? written : old);
        QCOMPARE(world.messages.size(), report && !wrote ? 1 : 0);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList(QFileInfo(path).fileName()));
        if (!hit)
            return;
    }
    QFAIL("the call never stopped failing");
}

QTEST_MAIN(TestWriteFaults)
#include "tst_writefaults.moc"
