// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the report through the real print system: a CUPS scheduler of the test's own,
// with a cups-pdf queue as the default printer, read back with pdftotext.
#include "profile/signprofile.h"
#include "report/frmsave.h"

#include "support/findcontrol.h"
#include "support/recordingplatform.h"
#include "support/pdftext.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <memory>

namespace {

const QString Queue = QStringLiteral("StarfoldPDF");
const QStringList AdminPaths = {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                                QStringLiteral("/sbin"), QStringLiteral("/usr/local/sbin")};

QString tool(const QString &name)
{
    QString path = QStandardPaths::findExecutable(name);
    return path.isEmpty() ? QStandardPaths::findExecutable(name, AdminPaths) : path;
}

struct Result {
    bool ok = false;
    QString output;
};

// Runs a CUPS client command against our scheduler (the environment points it there).
Result run(const QString &program, const QStringList &arguments, int timeoutMs = 30000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool(program), arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished)
        process.kill();
    return {finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            QString::fromLocal8Bit(process.readAll())};
}

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

// Where cups-pdf puts a job of this user's: its "Out" setting, ${HOME}/PDF unless changed.
QString cupsPdfOutput()
{
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression line(QStringLiteral("^\\s*Out\\s+(\\S.*?)\\s*$"));
        while (!conf.atEnd()) {
            const auto m = line.match(QString::fromLocal8Bit(conf.readLine()));
            if (m.hasMatch())
                out = m.captured(1);
        }
    }
    const passwd *user = getpwuid(geteuid());
    return out.replace(QLatin1String("${HOME}"),
                       user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath());
}

QSet<QString> pdfsIn(const QString &folder)
{
    QSet<QString> found;
    QDirIterator it(folder, {QStringLiteral("*.pdf")}, QDir::Files);
    while (it.hasNext())
        found.insert(it.next());
    return found;
}

} // namespace

class TestPrintCups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void print_withPartSelected_printsTheWholeReportOnTheDefaultPrinter();

private:
    bool startScheduler();
    QString schedulerLog() const;

    std::unique_ptr<QTemporaryDir> m_root;
    QProcess m_cupsd;
    QString m_output;
    bool m_outputExisted = false;
    QSet<QString> m_ours;
};

void TestPrintCups::initTestCase()
{
    if (geteuid() != 0)
        QSKIP("the CUPS scheduler and the cups-pdf backend need root; run the tests as root");
    for (const char *name : {"cupsd", "lpadmin", "lpinfo", "lpoptions", "lpstat", "pdftotext"}) {
        if (tool(QLatin1String(name)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed (scripts/install-deps.sh --test "
                                            "installs CUPS, cups-pdf and poppler-utils)")
                                 .arg(QLatin1String(name))));
    }
    if (!QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")))
        QSKIP("the cups-pdf backend is not installed (scripts/install-deps.sh --test)");

    // Under /tmp, so that the filters, which run as the "lp" user, can reach the spool.
    m_root = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/starfold-cups-XXXXXX"));
    QVERIFY(m_root->isValid());
    QVERIFY(QFile::setPermissions(m_root->path(), QFile::ReadOwner | QFile::WriteOwner
                                                      | QFile::ExeOwner | QFile::ReadOther
                                                      | QFile::ExeOther | QFile::ReadGroup
                                                      | QFile::ExeGroup));
    QVERIFY(startScheduler());

    // Our client calls, and Qt's through libcups, go to our scheduler only.
    qputenv("CUPS_SERVER", m_root->filePath(QStringLiteral("cups.sock")).toLocal8Bit());
    qputenv("CUPS_SERVERROOT", m_root->path().toLocal8Bit());

    const Result models = run(QStringLiteral("lpinfo"), {QStringLiteral("-m")});
    static const QRegularExpression pdfModel(QStringLiteral("^(\\S*CUPS-PDF_opt\\.ppd)\\s"),
                                             QRegularExpression::MultilineOption);
    const auto model = pdfModel.match(models.output);
    QVERIFY2(model.hasMatch(), qPrintable(models.output + schedulerLog()));

    const Result added = run(QStringLiteral("lpadmin"),
                             {QStringLiteral("-p"), Queue, QStringLiteral("-v"),
                              QStringLiteral("cups-pdf:/"), QStringLiteral("-m"), model.captured(1),
                              // Keeps the PDF's text readable; the default chain draws
                              // Qt's text as Type 3 fonts that pdftotext cannot read.
                              QStringLiteral("-o"),
                              QStringLiteral("pdftops-renderer-default=pdftocairo"),
                              QStringLiteral("-E")});
    QVERIFY2(added.ok, qPrintable(added.output + schedulerLog()));
    QVERIFY(run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), Queue}).ok);
    QVERIFY(run(QStringLiteral("lpoptions"), {QStringLiteral("-d"), Queue}).ok);

    m_output = cupsPdfOutput();
    m_outputExisted = QFileInfo::exists(m_output);
    modAquarius::LoadSignProfile();
}

bool TestPrintCups::startScheduler()
{
    const QString root = m_root->path();
    const QString files = QStringLiteral(
                              "ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                              "CacheDir %1/cache\nStateDir %1/state\nServerBin /usr/lib/cups\n"
                              "DataDir /usr/share/cups\nAccessLog %1/log/access_log\n"
                              "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                              "Printcap %1/printcap\nFileDevice No\n")
                              .arg(root);
    const QString daemon = QStringLiteral("LogLevel info\nListen %1/cups.sock\nBrowsing Off\n"
                                          "WebInterface No\nDefaultShared No\n"
                                          "<Location />\n  Order allow,deny\n  Allow all\n"
                                          "</Location>\n")
                               .arg(root);
    for (const char *folder : {"log", "spool/tmp", "cache", "state"}) {
        if (!QDir(root).mkpath(QLatin1String(folder)))
            return false;
    }
    if (!writeText(root + QStringLiteral("/cups-files.conf"), files)
        || !writeText(root + QStringLiteral("/cupsd.conf"), daemon))
        return false;

    // If this test dies, its scheduler goes with it.
    m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(tool(QStringLiteral("cupsd")),
                  {QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/cupsd.conf"),
                   QStringLiteral("-s"), root + QStringLiteral("/cups-files.conf")});
    if (!m_cupsd.waitForStarted(10000))
        return false;

    const QByteArray socket = (root + QStringLiteral("/cups.sock")).toLocal8Bit();
    QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired() && m_cupsd.state() == QProcess::Running) {
        QProcess lpstat;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), QString::fromLocal8Bit(socket));
        lpstat.setProcessEnvironment(env);
        lpstat.start(tool(QStringLiteral("lpstat")), {QStringLiteral("-r")});
        if (lpstat.waitForFinished(5000)
            && lpstat.readAllStandardOutput().contains("scheduler is running"))
            return true;
        QTest::qWait(200);
    }
    qWarning("cupsd did not come up: %s %s", m_cupsd.readAll().constData(),
             qPrintable(schedulerLog()));
    return false;
}

QString TestPrintCups::schedulerLog() const
{
    QFile log(m_root->filePath(QStringLiteral("log/error_log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll().right(4000))
                                         : QString();
}

void TestPrintCups::cleanupTestCase()
{
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(15000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }
    for (const QString &pdf : std::as_const(m_ours))
        QFile::remove(pdf);
    if (!m_outputExisted && !m_output.isEmpty())
        QDir().rmdir(m_output); // only if nothing else is in it
}

void TestPrintCups::print_withPartSelected_printsTheWholeReportOnTheDefaultPrinter()
{
    RecordingPlatform world;
    // The printer the desktop would name as the default one.
    world.printerName = QPrinterInfo::defaultPrinterName();
    QCOMPARE(world.printerName, Queue);

    const QSet<QString> before = pdfsIn(m_output);
    frmSave form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTextEdit *box = form.RTB();
    QTextCursor part = box->textCursor();
    part.setPosition(120);
    part.setPosition(900, QTextCursor::KeepAnchor);
    box->setTextCursor(part);

    QTest::mouseClick(findControl<QPushButton>(&form, "cmdPrint"), Qt::LeftButton);
    QVERIFY(!box->textCursor().hasSelection());
    QVERIFY(world.messages.isEmpty());

    // The job goes through the queue; cups-pdf then writes the file.
    QString pdf;
    QDeadlineTimer deadline(120000);
    while (pdf.isEmpty() && !deadline.hasExpired()) {
        const QSet<QString> fresh = pdfsIn(m_output) - before;
        const Result pending = run(QStringLiteral("lpstat"), {QStringLiteral("-o"), Queue});
        if (!fresh.isEmpty() && pending.ok && pending.output.trimmed().isEmpty())
            pdf = *fresh.constBegin();
        else
            QTest::qWait(500);
    }
    m_ours += pdfsIn(m_output) - before;
    QVERIFY2(!pdf.isEmpty(),
             qPrintable(QStringLiteral("no PDF in %1\n%2").arg(m_output, schedulerLog())));
    QCOMPARE(m_ours.size(), 1);

    const QString text = printcheck::pdfText(pdf);
    QVERIFY2(!text.trimmed().isEmpty(), qPrintable(pdf));
    const QString difference =
        printcheck::difference(printcheck::inkOf(text), printcheck::inkOf(box->toPlainText()));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

QTEST_MAIN(TestPrintCups)
#include "tst_print_cups.moc"
