// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/savetarget.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestSaveTarget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void usablePaths_areAccepted();
    void missingFolder_isRefusedNamingIt();
    void readOnlyFile_isRefusedEvenForTheAdministrator();
    void oddTarget_isRefusedNamingIt_data();
    void oddTarget_isRefusedNamingIt();
};

void TestSaveTarget::usablePaths_areAccepted()
{
    QTemporaryDir dir;
    QVERIFY(!saveTargetRefusal(dir.filePath(QStringLiteral("new.rtf"))));
    QFile existing(dir.filePath(QStringLiteral("old.rtf")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QVERIFY(!saveTargetRefusal(existing.fileName()));
    // Any script the file system can name.
    QVERIFY(!saveTargetRefusal(dir.filePath(QStringLiteral("\u0416\u4e2d caf\u00e9.rtf"))));
}

void TestSaveTarget::missingFolder_isRefusedNamingIt()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("gone"));
    const auto refusal = saveTargetRefusal(folder + QStringLiteral("/report.rtf"));
    QVERIFY(refusal);
    QVERIFY(refusal->contains(folder));
    QVERIFY(refusal->contains(QStringLiteral("does not exist")));
}

void TestSaveTarget::readOnlyFile_isRefusedEvenForTheAdministrator()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("locked.rtf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const auto refusal = saveTargetRefusal(file.fileName());
    QVERIFY(refusal);
    QVERIFY(refusal->contains(QStringLiteral("read-only")));
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
}

void TestSaveTarget::oddTarget_isRefusedNamingIt_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    const QString notAFile = QStringLiteral("not an ordinary file");
    const QString badName = QStringLiteral("name cannot be used");
    QTest::newRow("folder") << "folder" << notAFile;
    QTest::newRow("pipe") << "pipe" << notAFile;
    // A save would have replaced it with a plain file, as root even /dev/full.
    QTest::newRow("device") << "device" << notAFile;
    QTest::newRow("link to a device") << "link" << notAFile;
    // What the dialog shows for a listed name that is not UTF-8.
    QTest::newRow("bytes the dialog could not read") << "undecoded" << badName;
    QTest::newRow("half a character") << "surrogate" << badName;
}

void TestSaveTarget::oddTarget_isRefusedNamingIt()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("report.rtf"));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(path));
    else if (kind == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("device"))
        path = QStringLiteral("/dev/null");
    else if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
    else if (kind == QLatin1String("undecoded"))
        path = dir.filePath(QStringLiteral("r\uFFFDport.rtf"));
    else
        path = dir.filePath(QStringLiteral("r") + QChar(0xD800) + QStringLiteral("port.rtf"));

    const auto refusal = saveTargetRefusal(path);
    QVERIFY(refusal);
    QVERIFY2(refusal->contains(reason), qPrintable(*refusal));
    QVERIFY2(refusal->contains(QDir::toNativeSeparators(path)), qPrintable(*refusal));
}

QTEST_GUILESS_MAIN(TestSaveTarget)
#include "tst_savetarget.moc"
