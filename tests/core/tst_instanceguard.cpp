// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/instanceguard.h"
#include "support/leftovers.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QSysInfo>
#include <QTest>
#include <QThread>

#ifdef Q_OS_WIN
#include <QCryptographicHash>
#include <windows.h>
#endif

#include <cstring>
#include <iostream>
#include <fcntl.h>
#include <sys/file.h>

// The POSIX guard records its process in the lock file; the Windows mutex makes no file.
static const bool OwnerInLockFile = QSysInfo::productType() != QLatin1String("windows");

// Run with "--hold-guard PATH" this executable takes the guard and waits to be killed.
static int holdGuard(const char *path)
{
    InstanceGuard guard(QString::fromLocal8Bit(path));
    std::cout << (guard.acquire() ? "held" : "refused") << std::endl;
    for (;;)
        QThread::sleep(60);
}

class TestInstanceGuard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void secondGuard_isRefusedWhileTheFirstIsHeld();
    void guardOfAKilledProcess_isTakenOver();
    void program_killedInstanceDoesNotBlockTheNextStart();
    void leftovers_neverStopAStart_data();
    void leftovers_neverStopAStart();
    void anotherUsersLock_neverKeepsThisUserOut();

private:
    QProcess *startHolder(const QString &lockPath);
    static QString lockOwner(const QString &lockPath);
    static bool heldElsewhere(const QString &path) { return !InstanceGuard(path).acquire(); }
    static bool waitUntilHeldElsewhere(const QString &lockPath, bool held = true);

    QTemporaryDir m_dir;
    QList<QProcess *> m_processes;
};

void TestInstanceGuard::init()
{
    QVERIFY(m_dir.isValid());
    // Each test starts with a clean folder, private as XDG_RUNTIME_DIR must be.
    QVERIFY(QDir(m_dir.path()).removeRecursively());
    QVERIFY(QDir().mkdir(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestInstanceGuard::cleanup()
{
    for (QProcess *p : std::as_const(m_processes)) {
        p->kill();
        p->waitForFinished(5000);
        delete p;
    }
    m_processes.clear();
}

QProcess *TestInstanceGuard::startHolder(const QString &lockPath)
{
    auto *holder = new QProcess;
    m_processes << holder;
    holder->start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--hold-guard"), lockPath});
    if (!holder->waitForReadyRead(10000))
        return nullptr;
    return holder;
}

QString TestInstanceGuard::lockOwner(const QString &lockPath)
{
    QFile file(lockPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readLine()).trimmed();
}

bool TestInstanceGuard::waitUntilHeldElsewhere(const QString &lockPath, bool held)
{
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (heldElsewhere(lockPath) == held)
            return true;
        QThread::msleep(50);
    }
    return false;
}

void TestInstanceGuard::secondGuard_isRefusedWhileTheFirstIsHeld()
{
    const QString path = m_dir.filePath(QStringLiteral("starfold.lock"));
    QProcess *holder = startHolder(path);
    QVERIFY(holder);
    QCOMPARE(holder->readAll().trimmed(), QByteArray("held"));

    InstanceGuard second(path);
    QVERIFY(!second.acquire());
    // A refused start leaves the running instance's guard alone.
    QVERIFY(heldElsewhere(path));
}

void TestInstanceGuard::guardOfAKilledProcess_isTakenOver()
{
    const QString path = m_dir.filePath(QStringLiteral("starfold.lock"));
    QProcess *holder = startHolder(path);
    QVERIFY(holder);
    holder->kill();
    QVERIFY(holder->waitForFinished(10000));
    QVERIFY(!OwnerInLockFile || QFile::exists(path));

    InstanceGuard next(path);
    QVERIFY(next.acquire());
    QVERIFY(next.held());
    QVERIFY(!OwnerInLockFile
            || lockOwner(path) == QString::number(QCoreApplication::applicationPid()));
    QVERIFY(heldElsewhere(path));
    next.release();
    QVERIFY(!QFile::exists(path));
}

void TestInstanceGuard::program_killedInstanceDoesNotBlockTheNextStart()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), m_dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral(".config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    // Where the program's guard lies: in the runtime folder given to it, or beside ours.
    const QString lockPath =
        (OwnerInLockFile ? QDir(m_dir.path()) : QFileInfo(InstanceGuard::defaultLockPath()).dir())
            .filePath(QStringLiteral("starfold.instance.lock"));

    auto start = [&] {
        auto *p = new QProcess;
        m_processes << p;
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(STARFOLD_EXECUTABLE), {});
        return p;
    };

    QProcess *first = start();
    QVERIFY(waitUntilHeldElsewhere(lockPath));
    first->kill();
    QVERIFY(first->waitForFinished(10000));

    QProcess *second = start();
    QVERIFY2(waitUntilHeldElsewhere(lockPath), "the next start was blocked");
    if (OwnerInLockFile)
        QCOMPARE(lockOwner(lockPath), QString::number(second->processId()));

    // A third start while the second runs is refused and leaves the guard to the second:
    // once the second is gone, nobody holds it.
    QProcess *third = start();
    QVERIFY(third->waitForStarted(10000));
    QTest::qWait(1500);
    QCOMPARE(second->state(), QProcess::Running);
    second->kill();
    QVERIFY(second->waitForFinished(10000));
    QVERIFY(waitUntilHeldElsewhere(lockPath, false));
}

void TestInstanceGuard::leftovers_neverStopAStart_data()
{
    QTest::addColumn<QString>("lockName");
    QTest::addColumn<QByteArray>("leftover");
    QTest::addColumn<bool>("guarded"); // false: the program runs without a guard
    const QString lock = QStringLiteral("starfold.lock");
    // The program killed between creating the lock and writing it.
    QTest::newRow("empty file") << lock << QByteArray("file:") << true;
    QTest::newRow("garbage") << lock << QByteArray("file:\xff\0garbage\n\n-1\n", 19) << true;
    QTest::newRow("owner long gone")
        << lock << QByteArray("file:2147483600\nstarfold\nhost\n") << true;
    // A process number reused by something else that lives.
    QTest::newRow("live unrelated owner") << lock << QByteArray("file:1\nstarfold\n\n") << true;
    QTest::newRow("empty folder") << lock << QByteArray("folder") << true;
    QTest::newRow("folder with files") << lock << QByteArray("folder:keep") << true;
    QTest::newRow("link to another file") << lock << QByteArray("link:precious.txt") << true;
#ifdef Q_OS_WIN
    // The mutex needs no file at all.
    QTest::newRow("folder cannot hold files")
        << QStringLiteral("precious.txt/starfold.lock") << QByteArray("nothing") << true;
#else
    QTest::newRow("pipe") << lock << QByteArray("pipe") << true;
    // Not even root can make a file inside a file.
    QTest::newRow("folder cannot hold files")
        << QStringLiteral("precious.txt/starfold.lock") << QByteArray("nothing") << false;
#endif
}

void TestInstanceGuard::leftovers_neverStopAStart()
{
    QFETCH(QString, lockName);
    QFETCH(QByteArray, leftover);
    QFETCH(bool, guarded);
    const QString path = m_dir.filePath(lockName);
    const QString other = m_dir.filePath(QStringLiteral("precious.txt"));
    QVERIFY(leftovers::leave(other, "file:precious"));
    QVERIFY(leftover == "nothing" || leftovers::leave(path, leftover));

    InstanceGuard first(path);
    QVERIFY(first.acquire());
    QCOMPARE(first.held(), guarded);
    // A folder at the name serves as the lock itself, and names nobody; a mutex names nobody.
    if (OwnerInLockFile && guarded && !leftover.startsWith("folder"))
        QCOMPARE(lockOwner(path), QString::number(QCoreApplication::applicationPid()));
    // A second instance is refused exactly when there is a guard.
    QCOMPARE(InstanceGuard(path).acquire(), !guarded);
    first.release();
    // Nothing that was not ours was touched.
    QCOMPARE(leftovers::describe(other), "file:precious");
    if (leftover.startsWith("folder"))
        QCOMPARE(leftovers::describe(path), leftover);
}

void TestInstanceGuard::anotherUsersLock_neverKeepsThisUserOut()
{
#ifdef Q_OS_WIN
    // The guard there is a mutex whose name derives from the path; another user's or program's
    // object under that name, here an event, is one this user cannot take as the mutex.
    const QString path = m_dir.filePath(QStringLiteral("theirs.lock"));
    const QString name = QLatin1String("Local\\starfold-instance-")
                         + QLatin1String(QCryptographicHash::hash(path.toLower().toUtf8(),
                                                                  QCryptographicHash::Sha256)
                                             .toHex());
    const HANDLE theirs = CreateEventW(nullptr, TRUE, FALSE,
                                       reinterpret_cast<const wchar_t *>(name.utf16()));
    QVERIFY(theirs);
    InstanceGuard guard(path);
    QVERIFY(guard.acquire() && !guard.held());
    CloseHandle(theirs);
#else
    // The root folder is another user's to anyone but root, who gives a file away.
    QString path = QDir::rootPath();
    if (::geteuid() == 0) {
        path = m_dir.filePath(QStringLiteral("theirs.lock"));
        QVERIFY(leftovers::leave(path, "file:")
                && ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
    }
    const int theirs = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    QVERIFY(::flock(theirs, LOCK_EX | LOCK_NB) == 0);
    InstanceGuard guard(path);
    QVERIFY(guard.acquire() && !guard.held());
    ::close(theirs);
#endif
}

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--hold-guard") == 0)
        return holdGuard(argv[2]);
    QCoreApplication app(argc, argv);
    TestInstanceGuard test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_instanceguard.moc"
