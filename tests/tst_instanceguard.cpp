// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instanceguard.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstring>
#include <iostream>
#include <sys/stat.h>

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

private:
    QProcess *startHolder(const QString &lockPath);
    static QString lockOwner(const QString &lockPath);
    static bool waitForOwner(const QString &lockPath, qint64 pid);

    QTemporaryDir m_dir;
    QList<QProcess *> m_processes;
};

void TestInstanceGuard::init()
{
    QVERIFY(m_dir.isValid());
    // Each test starts with a clean folder.
    QDir dir(m_dir.path());
    for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden
                                                    | QDir::NoDotAndDotDot)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
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

bool TestInstanceGuard::waitForOwner(const QString &lockPath, qint64 pid)
{
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (lockOwner(lockPath) == QString::number(pid))
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
    QCOMPARE(lockOwner(path), QString::number(holder->processId()));
}

void TestInstanceGuard::guardOfAKilledProcess_isTakenOver()
{
    const QString path = m_dir.filePath(QStringLiteral("starfold.lock"));
    QProcess *holder = startHolder(path);
    QVERIFY(holder);
    ::kill(pid_t(holder->processId()), SIGKILL);
    QVERIFY(holder->waitForFinished(10000));
    QVERIFY(QFile::exists(path));

    InstanceGuard next(path);
    QVERIFY(next.acquire());
    QCOMPARE(lockOwner(path), QString::number(QCoreApplication::applicationPid()));
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
    const QString lockPath = m_dir.filePath(QStringLiteral("starfold.instance.lock"));

    auto start = [&] {
        auto *p = new QProcess;
        m_processes << p;
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(STARFOLD_EXECUTABLE), {});
        return p;
    };

    QProcess *first = start();
    QVERIFY(waitForOwner(lockPath, first->processId()));
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(10000));

    QProcess *second = start();
    QVERIFY2(waitForOwner(lockPath, second->processId()), "the next start was blocked");

    // A third start while the second runs is refused and leaves the guard to the second.
    QProcess *third = start();
    QVERIFY(third->waitForStarted(10000));
    QTest::qWait(1500);
    QCOMPARE(lockOwner(lockPath), QString::number(second->processId()));
    QCOMPARE(second->state(), QProcess::Running);
}

// What a crash, a stray file or another program can leave at the lock's name.
enum class Leftover {
    EmptyFile,
    Garbage,
    DeadOwner,
    UnrelatedLiveOwner,
    EmptyFolder,
    FolderWithFiles,
    Pipe,
    LinkToAnotherFile,
    FolderUnusable,
};

void TestInstanceGuard::leftovers_neverStopAStart_data()
{
    QTest::addColumn<Leftover>("leftover");
    QTest::addColumn<bool>("guarded"); // false: the program runs without a guard
    // The program killed between creating the lock and writing it.
    QTest::newRow("empty file") << Leftover::EmptyFile << true;
    QTest::newRow("garbage") << Leftover::Garbage << true;
    QTest::newRow("owner long gone") << Leftover::DeadOwner << true;
    // A process number reused by something else that lives.
    QTest::newRow("live unrelated owner") << Leftover::UnrelatedLiveOwner << true;
    QTest::newRow("empty folder") << Leftover::EmptyFolder << true;
    QTest::newRow("folder with files") << Leftover::FolderWithFiles << true;
    QTest::newRow("pipe") << Leftover::Pipe << true;
    QTest::newRow("link to another file") << Leftover::LinkToAnotherFile << true;
    QTest::newRow("folder cannot hold files") << Leftover::FolderUnusable << false;
}

void TestInstanceGuard::leftovers_neverStopAStart()
{
    QFETCH(Leftover, leftover);
    QFETCH(bool, guarded);
    QString path = m_dir.filePath(QStringLiteral("starfold.lock"));
    const QString other = m_dir.filePath(QStringLiteral("precious.txt"));
    auto write = [](const QString &file, const QByteArray &bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    switch (leftover) {
    case Leftover::EmptyFile: write(path, {}); break;
    case Leftover::Garbage: write(path, QByteArray("\xff\0garbage\n\n-1\n", 14)); break;
    case Leftover::DeadOwner: write(path, "2147483600\nstarfold\nhost\n"); break;
    case Leftover::UnrelatedLiveOwner: write(path, "1\nstarfold\n\n"); break;
    case Leftover::EmptyFolder: QVERIFY(QDir().mkdir(path)); break;
    case Leftover::FolderWithFiles:
        QVERIFY(QDir().mkdir(path));
        write(path + QLatin1String("/keep"), "mine");
        break;
    case Leftover::Pipe: QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); break;
    case Leftover::LinkToAnotherFile:
        write(other, "precious");
        QVERIFY(QFile::link(other, path));
        break;
    case Leftover::FolderUnusable:
        // Not even root can make a file inside a file.
        write(other, "precious");
        path = other + QLatin1String("/starfold.lock");
        break;
    }

    InstanceGuard first(path);
    QVERIFY(first.acquire());
    QCOMPARE(first.held(), guarded);
    if (guarded) {
        // A folder at the name serves as the lock itself, and names nobody.
        if (!QFileInfo(path).isDir())
            QCOMPARE(lockOwner(path), QString::number(QCoreApplication::applicationPid()));
        // A second instance is still refused.
        QVERIFY(!InstanceGuard(path).acquire());
    } else {
        QVERIFY(InstanceGuard(path).acquire());
    }
    first.release();
    // Nothing that was not ours was touched.
    if (QFile::exists(other))
        QCOMPARE(QFileInfo(other).size(), 8);
    if (leftover == Leftover::EmptyFolder || leftover == Leftover::FolderWithFiles)
        QVERIFY(QFileInfo(path).isDir());
    if (leftover == Leftover::FolderWithFiles)
        QVERIFY(QFile::exists(path + QLatin1String("/keep")));
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
