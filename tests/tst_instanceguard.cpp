// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instanceguard.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstring>
#include <iostream>

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

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--hold-guard") == 0)
        return holdGuard(argv[2]);
    QCoreApplication app(argc, argv);
    TestInstanceGuard test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_instanceguard.moc"
