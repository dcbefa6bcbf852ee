// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store in HKEY_CURRENT_USER, which matches value names without regard to case.
#include "base/settings.h"

#include "support/settingsfile.h"

#include <QTest>

#include <windows.h>

const auto Key = LR"(Software\Lunavale\tst_registrystore_win\Settings)";

class TestRegistryStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { RegDeleteTreeW(HKEY_CURRENT_USER, LR"(Software\Lunavale\tst_registrystore_win)"); }
    void everyStorableCode_comesBackInKeysAndValues();
    void foreignValue_isNeitherReadNorReplaced();
};

void TestRegistryStore::everyStorableCode_comesBackInKeysAndValues()
{
    QCOMPARE(settingsFilePath(),
             QStringLiteral("HKEY_CURRENT_USER\\") + QString::fromWCharArray(Key));
    QCOMPARE(ReadSetting(QStringLiteral("Install")), QString());
    // Among them keys that differ only in case once scrambled ("3" and "\x13" give "z", "Z").
    for (int c = 0; c <= 255 - SettingOffset; ++c)
        QVERIFY(WriteSetting(QString(QChar(c)), QString(QChar(c)) + QChar(c)));
    for (int c = 0; c <= 255 - SettingOffset; ++c)
        QCOMPARE(ReadSetting(QString(QChar(c))), QString(QChar(c)) + QChar(c));
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("2")));
    QCOMPARE(ReadSetting(QStringLiteral("Install")), QStringLiteral("2"));
}

void TestRegistryStore::foreignValue_isNeitherReadNorReplaced()
{
    // "1" scrambles to "x", which needs no escape in a value's name.
    DWORD value = 7;
    DWORD type = 0;
    DWORD size = sizeof value;
    QCOMPARE(RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"x", REG_DWORD, &value, size), 0);
    QCOMPARE(ReadSetting(QStringLiteral("1")), std::nullopt);
    QVERIFY(!WriteSetting(QStringLiteral("1"), QStringLiteral("2")));
    QCOMPARE(RegGetValueW(HKEY_CURRENT_USER, Key, L"x", RRF_RT_ANY, &type, &value, &size), 0);
    QCOMPARE(type, DWORD(REG_DWORD));
    QCOMPARE(value, DWORD(7));
}

QTEST_GUILESS_MAIN(TestRegistryStore)
#include "tst_registrystore_win.moc"
