// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/savetarget.h"

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
};

void TestSaveTarget::usablePaths_areAccepted()
{
    QTemporaryDir dir;
    QVERIFY(!saveTargetRefusal(dir.filePath(QStringLiteral("new.rtf"))));
    QFile existing(dir.filePath(QStringLiteral("old.rtf")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QVERIFY(!saveTargetRefusal(existing.fileName()));
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

QTEST_GUILESS_MAIN(TestSaveTarget)
#include "tst_savetarget.moc"
