// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/savetarget.h"
#include "support/leftovers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    QVERIFY(!SaveTargetRefusal(dir.filePath(QStringLiteral("new.rtf"))));
    QFile existing(dir.filePath(QStringLiteral("old.rtf")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QVERIFY(!SaveTargetRefusal(existing.fileName()));
    // Any script the file system can name.
    QVERIFY(!SaveTargetRefusal(dir.filePath(QStringLiteral("\u0416\u4e2d caf\u00e9.rtf"))));
}

void TestSaveTarget::missingFolder_isRefusedNamingIt()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("gone"));
    const auto refusal = SaveTargetRefusal(folder + QStringLiteral("/report.rtf"));
    QVERIFY(refusal);
    QVERIFY(refusal->contains(QDir::toNativeSeparators(folder)));
    QVERIFY(refusal->contains(QStringLiteral("does not exist")));
}

void TestSaveTarget::readOnlyFile_isRefusedEvenForTheAdministrator()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("locked.rtf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const auto refusal = SaveTargetRefusal(file.fileName());
    QVERIFY(refusal);
    QVERIFY(refusal->contains(QStringLiteral("read-only")));
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
}

void TestSaveTarget::oddTarget_isRefusedNamingIt_data()
{
    QTest::addColumn<QString>("name"); // in a fresh folder, or absolute
    QTest::addColumn<QByteArray>("leftover");
    QTest::addColumn<QString>("reason");
    const QString report = QStringLiteral("report.rtf");
    const QString notAFile = QStringLiteral("not an ordinary file");
    const QString badName = QStringLiteral("name cannot be used");
    QTest::newRow("folder") << report << QByteArray("folder") << notAFile;
#ifdef Q_OS_WIN
    // Names Windows takes for a device, or stores without their trailing dots and spaces.
    for (const char *name : {"CON", "nul.rtf", "Com1.rtf", "LPT9", "aux .rtf", "report.rtf.",
                             "report.rtf ", "re:port.rtf"})
        QTest::newRow(name) << QString::fromLatin1(name) << QByteArray() << badName;
#else
    QTest::newRow("pipe") << report << QByteArray("pipe") << notAFile;
    // A save would have replaced it with a plain file, as root even /dev/full.
    QTest::newRow("device") << QStringLiteral("/dev/null") << QByteArray() << notAFile;
    QTest::newRow("link to a device") << report << QByteArray("link:/dev/full") << notAFile;
#endif
    // What the dialog shows for a listed name that is not UTF-8.
    QTest::newRow("bytes the dialog could not read")
        << QStringLiteral("r\uFFFDport.rtf") << QByteArray() << badName;
    QTest::newRow("half a character")
        << QStringLiteral("r") + QChar(0xD800) + QStringLiteral("port.rtf") << QByteArray()
        << badName;
}

void TestSaveTarget::oddTarget_isRefusedNamingIt()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, leftover);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(name);
    QVERIFY(leftover.isEmpty() || leftovers::leave(path, leftover));

    const auto refusal = SaveTargetRefusal(path);
    QVERIFY(refusal);
    QVERIFY2(refusal->contains(reason), qPrintable(*refusal));
    QVERIFY2(refusal->contains(QDir::toNativeSeparators(path)), qPrintable(*refusal));
}

QTEST_GUILESS_MAIN(TestSaveTarget)
#include "tst_savetarget.moc"
