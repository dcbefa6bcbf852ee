// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/settings.h"
#include "support/diskfull.h"
#include "support/leftovers.h"
#include "support/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <ctime>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#include <utime.h>

namespace {

QString codes(int from, int to)
{
    QString text;
    for (int c = from; c <= to; ++c)
        text += QChar(c);
    return text;
}

// Every text the store can keep unchanged: codes that still fit after the offset.
const int HighestStorableCode = 255 - SettingOffset;

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Every key with its value as Qt reads the file, but the two that the program writes.
QVariantMap otherKeys(const QString &path)
{
    QSettings file(path, QSettings::IniFormat);
    QVariantMap keys;
    for (const QString &key : file.allKeys())
        keys.insert(key, file.value(key));
    for (const char *ours : {"Install", "Duration"})
        keys.remove(QLatin1String("Settings/") + ScrambleText(QLatin1String(ours)));
    return file.status() == QSettings::NoError ? keys : QVariantMap{{QStringLiteral("error"), 1}};
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void scrambling_movesEveryCodeByTheOffsetOrDropsIt();
    void scrambling_emptyAndAllDroppedTextsGiveEmptyText();
    void scrambling_keepsOrderAndLengthAndChangesEveryCharacter();
    void scrambling_roundTripsEveryStorableCode();

    void store_missingKeyReadsEmpty();
    void store_keepsEveryStorableCodeInValues();
    void store_keepsEveryStorableCodeInKeys();
    void store_holdsOnlyScrambledTextUnderSettings();
    void store_secondWriteReplacesTheFirst();
    void store_livesInTheUsersConfigFolderUnderTheExecutableName();

    void brokenStore_failureReachesTheCaller_data();
    void brokenStore_failureReachesTheCaller();
    void truncatedStore_neverCrashes();
    void oddStore_failsWithoutWaitingAndIsLeftAlone_data();
    void oddStore_failsWithoutWaitingAndIsLeftAlone();
    void procHidden_readFailsAndWriteChangesNothing();
    void permissions_unreadableFileFailsBothWays();
    void permissions_readOnlyFileReadsButRefusesWrites();
    void diskFull_writeFailsAndOldValueStays();

private:
    QString storeFolder() const { return QFileInfo(settingsFilePath()).absolutePath(); }
    void makeEverythingWritable();
};

void TestSettings::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSettings::init()
{
    makeEverythingWritable();
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .removeRecursively();
}

void TestSettings::cleanup()
{
    makeEverythingWritable();
}

void TestSettings::makeEverythingWritable()
{
    // Permission tests leave files the clean-up could not remove otherwise.
    QFile::setPermissions(storeFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Not through a link: the odd-store rows point one at the shared temporary folder.
    if (!QFileInfo(settingsFilePath()).isSymLink())
        QFile::setPermissions(settingsFilePath(), QFile::ReadOwner | QFile::WriteOwner);
}

void TestSettings::scrambling_movesEveryCodeByTheOffsetOrDropsIt()
{
    for (int c = 0; c <= 255; ++c) {
        const QString one{QChar(c)};
        const QString up = c + SettingOffset <= 255 ? QString(QChar(c + SettingOffset)) : QString();
        const QString down = c - SettingOffset >= 0 ? QString(QChar(c - SettingOffset)) : QString();
        QCOMPARE(ScrambleText(one), up);
        QCOMPARE(UnscrambleText(one), down);
    }
    // Beyond the 8-bit codes there is nothing to move.
    QCOMPARE(ScrambleText(QStringLiteral("a\u20ACb")), QStringLiteral("\u00A8\u00A9"));
    QCOMPARE(UnscrambleText(QStringLiteral("\u00A8\u20AC\u00A9")), QStringLiteral("ab"));
}

void TestSettings::scrambling_emptyAndAllDroppedTextsGiveEmptyText()
{
    QCOMPARE(ScrambleText(QString()), QString());
    QCOMPARE(UnscrambleText(QString()), QString());
    QCOMPARE(ScrambleText(codes(HighestStorableCode + 1, 255)), QString());
    QCOMPARE(UnscrambleText(codes(0, SettingOffset - 1)), QString());
    // A dropped character leaves no gap and stops nothing.
    QCOMPARE(ScrambleText(QStringLiteral("A\u00FFB\u00C8")), QStringLiteral("\u0088\u0089"));
}

void TestSettings::scrambling_keepsOrderAndLengthAndChangesEveryCharacter()
{
    const QString plain = QStringLiteral("Duration 07/12/2026");
    const QString scrambled = ScrambleText(plain);
    QCOMPARE(scrambled.size(), plain.size());
    for (qsizetype i = 0; i < plain.size(); ++i)
        QCOMPARE(scrambled.at(i).unicode(), plain.at(i).unicode() + SettingOffset);
}

void TestSettings::scrambling_roundTripsEveryStorableCode()
{
    const QString all = codes(0, HighestStorableCode);
    QCOMPARE(UnscrambleText(ScrambleText(all)), all);
}

void TestSettings::store_missingKeyReadsEmpty()
{
    QCOMPARE(ReadSetting(QStringLiteral("Install")), QString());
    QVERIFY(WriteSetting(QStringLiteral("Duration"), QStringLiteral("7 Dec 2026")));
    QCOMPARE(ReadSetting(QStringLiteral("Install")), QString());
}

void TestSettings::store_keepsEveryStorableCodeInValues()
{
    const QString all = codes(0, HighestStorableCode);
    QVERIFY(WriteSetting(QStringLiteral("All"), all));
    for (int c = 0; c <= HighestStorableCode; ++c)
        QVERIFY(WriteSetting(QStringLiteral("Value%1").arg(c), QString(QChar(c)) + QChar(c)));

    // With the file away the values are gone: they really come back from the disk.
    const QString path = settingsFilePath();
    QVERIFY(QFile::rename(path, path + QLatin1String(".away")));
    QCOMPARE(ReadSetting(QStringLiteral("All")), QString());
    QVERIFY(QFile::rename(path + QLatin1String(".away"), path));

    QCOMPARE(ReadSetting(QStringLiteral("All")), all);
    for (int c = 0; c <= HighestStorableCode; ++c)
        QCOMPARE(ReadSetting(QStringLiteral("Value%1").arg(c)), QString(QChar(c)) + QChar(c));
}

void TestSettings::store_keepsEveryStorableCodeInKeys()
{
    const QString all = codes(0, HighestStorableCode);
    QVERIFY(WriteSetting(all, QStringLiteral("all")));
    for (int c = 0; c <= HighestStorableCode; ++c)
        QVERIFY(WriteSetting(QString(QChar(c)), QString::number(c)));

    const QString path = settingsFilePath();
    QVERIFY(QFile::rename(path, path + QLatin1String(".away")));
    QCOMPARE(ReadSetting(all), QString());
    QVERIFY(QFile::rename(path + QLatin1String(".away"), path));

    QCOMPARE(ReadSetting(all), QStringLiteral("all"));
    for (int c = 0; c <= HighestStorableCode; ++c)
        QCOMPARE(ReadSetting(QString(QChar(c))), QString::number(c));
    // One key per code and the long one: no two codes fell together.
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(file.childKeys().size(), HighestStorableCode + 2);
}

void TestSettings::store_holdsOnlyScrambledTextUnderSettings()
{
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));

    QSettings file(settingsFilePath(), QSettings::IniFormat);
    QCOMPARE(file.childGroups(), QStringList(QStringLiteral("Settings")));
    file.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(file.childKeys(), QStringList(ScrambleText(QStringLiteral("Install"))));
    QCOMPARE(file.value(ScrambleText(QStringLiteral("Install"))).toString(),
             ScrambleText(QStringLiteral("1")));
    QVERIFY(!fileBytes(settingsFilePath()).contains("Install"));
}

void TestSettings::store_secondWriteReplacesTheFirst()
{
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("22")));
    QCOMPARE(ReadSetting(QStringLiteral("Install")), QStringLiteral("22"));

    QSettings file(settingsFilePath(), QSettings::IniFormat);
    file.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(file.childKeys().size(), 1);
}

void TestSettings::store_livesInTheUsersConfigFolderUnderTheExecutableName()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QCOMPARE(settingsFilePath(), config + QLatin1String("/Starfold/tst_settings.ini"));
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    QVERIFY(QFileInfo::exists(settingsFilePath()));
}

void TestSettings::brokenStore_failureReachesTheCaller_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("readFails");

    // Keys and values as our own store writes them, so only the damage differs.
    const QByteArray duration = "%8B%BC%B9%A8%BB%B0%B6%B5=x~x\x80y\x80\x80\x80\n";
    QTest::newRow("section header cut off") << QByteArray("[Settings\n" + duration) << true;
    QTest::newRow("line without a value") << QByteArray("[Settings]\n%8B%BC\n" + duration) << true;
    QTest::newRow("binary noise") << QByteArray("\x00\x01\xFF[\xFE\x00]\x00=\n\x00\x7F", 12)
                                   << true;
}

void TestSettings::brokenStore_failureReachesTheCaller()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, readFails);
    writeBytes(settingsFilePath(), content);

    // Asking again does not make a broken file look healthy.
    for (int attempt = 0; attempt < 2; ++attempt)
        QCOMPARE(ReadSetting(QStringLiteral("Duration")).has_value(), !readFails);
    QVERIFY(!WriteSetting(QStringLiteral("Duration"), QStringLiteral("7 Dec 2026")));
    QVERIFY(!WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    // What we could not read is not overwritten either.
    QCOMPARE(fileBytes(settingsFilePath()), content);
}

void TestSettings::truncatedStore_neverCrashes()
{
    QVERIFY(WriteSetting(QStringLiteral("Duration"), QStringLiteral("7 Dec 2026")));
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    const QByteArray whole = fileBytes(settingsFilePath());

    for (qsizetype length = 0; length < whole.size(); ++length) {
        writeBytes(settingsFilePath(), whole.left(length));
        const std::optional<QString> duration = ReadSetting(QStringLiteral("Duration"));
        // A cut value reads short or not at all, never longer than it was.
        if (duration)
            QVERIFY2(QStringLiteral("7 Dec 2026").startsWith(*duration), qPrintable(*duration));
        if (WriteSetting(QStringLiteral("Install"), QStringLiteral("2")))
            QCOMPARE(ReadSetting(QStringLiteral("Install")), QStringLiteral("2"));
    }
}

void TestSettings::oddStore_failsWithoutWaitingAndIsLeftAlone_data()
{
    // What a crash, a stray file, a hand edit or another program leaves in place of the
    // store or of its lock; "held" is a lock of this live process.
    QTest::addColumn<QByteArray>("store");
    QTest::addColumn<QByteArray>("lock");
    QTest::addColumn<bool>("readable");
    const QByteArray install = "%90%B5%BA%BB%A8%B3%B3=x\n";
    const QByteArray ours = "file:[Settings]\n" + install;
    QTest::newRow("folder for the store") << QByteArray("folder") << QByteArray() << false;
    QTest::newRow("pipe for the store") << QByteArray("pipe") << QByteArray() << false;
    QTest::newRow("link for the store") << "link:" + QFile::encodeName(QDir::tempPath())
                                        << QByteArray() << false;
    QTest::newRow("store of megabytes")
        << ours + "; " + QByteArray(4 << 20, 'x') + '\n' << QByteArray() << false;
    QTest::newRow("folder for the lock") << QByteArray() << QByteArray("folder") << true;
    QTest::newRow("pipe for the lock") << QByteArray() << QByteArray("pipe") << true;
    QTest::newRow("empty lock of a crash") << QByteArray() << QByteArray("file:") << true;
    QTest::newRow("lock held by a live process") << QByteArray() << QByteArray("held") << true;
    QTest::newRow("invalid UTF-8") << ours + "Other=\xff\xc0\n" << QByteArray() << true;
    QTest::newRow("%U escape in a key")
        << "file:[Settings]\n%U0041=x\n" + install << QByteArray() << true;
    QTest::newRow("NUL in a key")
        << QByteArray("file:[Settings]\n\0=x\n", 20) + install << QByteArray() << true;
    QTest::newRow("comment") << "file:; kept by hand\n[Settings]\n" + install << QByteArray()
                             << true;
    const auto edited = [](const char *name, const QByteArray &store) {
        QTest::newRow(name) << "file:" + store << QByteArray() << true;
    };
    const QByteArray store = "[General]\nlooks=1\n\n[Settings]\n" + install
                             + "\n[Other]\nname=two words\nlist=a, \"b;c\"\n";
    edited("blank line at the end", store + "\n\n");
    edited("no final newline", store.chopped(1));
    edited("CRLF", QByteArray(store).replace("\n", "\r\n"));
    edited("keys reordered", "[Other]\nname=x\nlist=y\n[Settings]\n" + install + "[General]\nlooks=1\n");
    edited("spaces around =", QByteArray(store).replace("=", " = "));
    edited("empty header", "[]\n" + store);
    edited("second [General]", store + "[General]\nmore=2\n");
    // Read and kept whole, but written again it would pass the size the program reads.
    const QByteArray full = "[Settings]\n" + install.chopped(1) + "\nbig=";
    edited("store of exactly 1 MiB", full + QByteArray((1 << 20) - full.size() - 1, 'x') + '\n');
    // Keys Qt lists but cannot look up by name: their values could not be kept.
    const auto unkept = [&](const char *name, const QByteArray &store) {
        QTest::newRow(name) << "file:[Settings]\n" + install + store << QByteArray() << false;
    };
    unkept("key under []", "[]\nk=v\n");
    unkept("section a/", "[a/]\nk=v\n");
    unkept("key a//b", "[Other]\na//b=v\n");
    unkept("bare =", "[Other]\n=v\n");
}

void TestSettings::oddStore_failsWithoutWaitingAndIsLeftAlone()
{
    QFETCH(QByteArray, store);
    QFETCH(QByteArray, lock);
    QFETCH(bool, readable);
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    const QString storePath = settingsFilePath();
    const QString lockPath = storePath + QLatin1String(".lock");
    QVERIFY(store.isEmpty() || leftovers::leave(storePath, store));
    QLockFile holder(lockPath);
    QVERIFY(lock == "held" ? holder.tryLock(0)
                           : lock.isEmpty() || leftovers::leave(lockPath, lock));
    const QByteArray storeBefore = leftovers::describe(storePath);
    const QByteArray lockBefore = leftovers::describe(lockPath);
    // What Qt reads is written, other keys kept, unless that passes the size a store may have;
    // a folder at the lock's name fails once.
    const bool writable =
        readable && lock != "file:" && lock != "held" && store.size() < 1 << 20;
    const QVariantMap others = writable ? otherKeys(storePath) : QVariantMap();

    QCOMPARE(ReadSetting(QStringLiteral("Install")).has_value(), readable);
    QCOMPARE(WriteSetting(QStringLiteral("Install"), QStringLiteral("2")),
             writable && lock != "folder");
    QCOMPARE(WriteSetting(QStringLiteral("Duration"), QStringLiteral("7 Dec 2026")), writable);
    if (writable) {
        QCOMPARE(otherKeys(storePath), others);
        return;
    }
    QCOMPARE(leftovers::describe(storePath), storeBefore);
    QCOMPARE(leftovers::describe(lockPath), lockBefore);

    // A lock that a crash left behind long ago no longer counts.
    if (lock == "file:") {
        const time_t anHourAgo = ::time(nullptr) - 3600;
        const utimbuf longAgo{anHourAgo, anHourAgo};
        QCOMPARE(::utime(QFile::encodeName(lockPath).constData(), &longAgo), 0);
        QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("2")));
        QCOMPARE(ReadSetting(QStringLiteral("Install")), QStringLiteral("2"));
    }
}

// Qt reads the store through /proc: where that is not there (a sandbox, a chroot), Qt finds no
// file, which must not read as an empty store and be written over.
void TestSettings::procHidden_readFailsAndWriteChangesNothing()
{
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    const QByteArray before = fileBytes(settingsFilePath());
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr)
        || ::mount("none", "/proc", "tmpfs", 0, nullptr) != 0)
        QSKIP("no mount namespace of our own to hide /proc in");
    const bool read = ReadSetting(QStringLiteral("Install")).has_value();
    const bool written = WriteSetting(QStringLiteral("Duration"), QStringLiteral("7 Dec 2026"));
    QCOMPARE(::umount("/proc"), 0);
    QVERIFY(!read);
    QVERIFY(!written);
    QCOMPARE(fileBytes(settingsFilePath()), before);
}

void TestSettings::permissions_unreadableFileFailsBothWays()
{
    if (::geteuid() == 0)
        QSKIP("file permissions do not bind root");
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    QVERIFY(QFile::setPermissions(settingsFilePath(), QFile::Permissions()));

    QCOMPARE(ReadSetting(QStringLiteral("Install")), std::nullopt);
    QVERIFY(!WriteSetting(QStringLiteral("Install"), QStringLiteral("2")));
}

void TestSettings::permissions_readOnlyFileReadsButRefusesWrites()
{
    if (::geteuid() == 0)
        QSKIP("file permissions do not bind root");
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    QVERIFY(QFile::setPermissions(settingsFilePath(), QFile::ReadOwner));
    QVERIFY(QFile::setPermissions(storeFolder(), QFile::ReadOwner | QFile::ExeOwner));

    QCOMPARE(ReadSetting(QStringLiteral("Install")), QStringLiteral("1"));
    QVERIFY(!WriteSetting(QStringLiteral("Install"), QStringLiteral("2")));
    QCOMPARE(ReadSetting(QStringLiteral("Install")), QStringLiteral("1"));
}

void TestSettings::diskFull_writeFailsAndOldValueStays()
{
    STARFOLD_NEEDS_FULL_DISK();
    QVERIFY(WriteSetting(QStringLiteral("Install"), QStringLiteral("1")));
    const QByteArray before = fileBytes(settingsFilePath());

    bool replaced = true;
    bool added = true;
    {
        const DiskFull full;
        QVERIFY(full.isFull());
        replaced = WriteSetting(QStringLiteral("Install"), QStringLiteral("2"));
        added = WriteSetting(QStringLiteral("Duration"), QStringLiteral("7 Dec 2026"));
    }

    QVERIFY(!replaced);
    QVERIFY(!added);
    QCOMPARE(fileBytes(settingsFilePath()), before);
    // Once there is room again, what failed does not arrive with the next write.
    QVERIFY(WriteSetting(QStringLiteral("Other"), QStringLiteral("x")));
    QCOMPARE(ReadSetting(QStringLiteral("Install")), QStringLiteral("1"));
    QCOMPARE(ReadSetting(QStringLiteral("Duration")), QString());
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
