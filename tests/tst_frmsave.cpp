// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/forms.h"
#include "app/frmmain.h"
#include "profile/signprofile.h"
#include "base/settings.h"
#include "report/frmsave.h"
#include "report/reportdocument.h"
#include "report/reportruns.h"
#include "report/rtfwriter.h"
#include "ui/fonts.h"
#include "ui/linklabel.h"
#include "web/pages.h"

#include "support/caption.h"
#include "support/diskfull.h"
#include "support/everyuser.h"
#include "support/findcontrol.h"
#include "support/formlist.h"
#include "support/recordingplatform.h"
#include "support/reporttext.h"
#include "support/settingsfile.h"
#include "support/windowchecks.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#ifdef Q_OS_WIN
#include "support/heldopen_win.h"
#else
#include <dlfcn.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <memory>

namespace {

const QByteArray LastWeeksReport = "{\\rtf1 the report saved last week}";

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Runs a step with the effective user "nobody", so that folder permissions hold even
// when the tests run as root. False when the switch is not possible.
#ifndef Q_OS_WIN
bool asNobody(const std::function<void()> &step)
{
    const passwd *nobody = getpwnam("nobody");
    if (!nobody || seteuid(nobody->pw_uid) != 0)
        return false;
    step();
    return seteuid(0) == 0;
}
#endif

} // namespace

class TestFrmSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void layout_controlsStandWhereTheLayoutPutsThem();
    void layout_linkLabelsLookAndSitAsWritten();
    void load_composesTheReportIntoTheBox();
    void load_reportCannotBeUndoneAway();
    void escape_keepsTheWindowAndItsEdits();
    void reopening_givesAnIdenticalReport_andUnloadsOnClose();
    void mainWindowSave_opensTheReportModally();
    void labels_openTheirPages();

    void save_askedWithTheDialogSettingsEveryTime();
    void save_cancel_writesNothingAndSaysNothing();
    void save_writesRtfAtExactlyTheChosenPath();
    void save_overExistingFile_replacesIt();
    void save_toAFolderThatIsGone_keepsOldFileAndNamesFileAndReason();
    void save_readOnly_keepsOldFileAndNamesFileAndReason();
    void save_onADiskThatFillsHalfway_keepsOldFileAndNamesFileAndReason();
    void save_writesWhatTheBoxShows_afterEditing();
    void save_pipeAsTarget_isRefusedAndLeftAPipe();
    void paste_arrivesAsPlainTextInTheCaretsFormat();

    void print_withoutPrinter_doesNothingButClearsTheSelection();

    void keyboard_tabLeavesTheReportUnchanged_ctrlTabTypesATab();
    void everyUser_namedReachableAndReadableOnDark_savedColoursUnchanged();
    void everyPixelRatio_noTextCutShort();
    void failingCall_keepsTheOldFileSaysSoAndLeavesNothing_data();
    void failingCall_keepsTheOldFileSaysSoAndLeavesNothing();

private:
    // The old report a failed save must leave alone: its path, empty when it could not be made.
    QString reportSavedLastWeek();
    void verifyFailedSaveKeptTheOldFile(const QString &path);
    QTextEdit *box() const { return m_form->RTB(); }
    void clickSave()
    {
        QTest::mouseClick(findControl<QPushButton>(m_form.get(), "cmdSave"), Qt::LeftButton);
    }

    std::unique_ptr<RecordingPlatform> m_world;
    std::unique_ptr<frmSave> m_form;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFrmSave::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    modAquarius::LoadSignProfile();
}

void TestFrmSave::init()
{
    m_world = std::make_unique<RecordingPlatform>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_form = std::make_unique<frmSave>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestFrmSave::cleanup()
{
    m_form.reset();
    m_dir.reset();
    m_world.reset();
}

void TestFrmSave::layout_controlsStandWhereTheLayoutPutsThem()
{
    VERIFY_NO_FAULTS(misplacedControls(m_form.get(), {
        {"Label14", 1755, 0, 4200, 195},      {"Label3", 1867, 240, 3990, 195},
        {"RTB", 30, 480, 7665, 6135},         {"cmdSave", 5400, 6660, 1125, 345},
        {"cmdPrint", 6555, 6660, 1125, 345},  {"fraFullBrand", 30, 7000, 7665, 810},
        {"lblCobrand", 120, 165, 7380, 615},  {"lblFullBrand", 120, 165, 7380, 615},
    }));
    QCOMPARE(m_form->size(), QSize(515, 523));
    QCOMPARE(m_form->windowTitle(), programCaption());
    QVERIFY(m_form->isModal());
    QCOMPARE(findControl<QPushButton>(m_form.get(), "cmdSave")->text(),
             QStringLiteral("&Save"));
    QCOMPARE(findControl<QPushButton>(m_form.get(), "cmdPrint")->text(),
             QStringLiteral("&Print"));
    QCOMPARE(findControl<QGroupBox>(m_form.get(), "fraFullBrand")->title(), QString());
    QCOMPARE(savedFamily(box()->font()), QStringLiteral("Verdana"));
    QCOMPARE(box()->font().pointSizeF(), 9.75);
    QCOMPARE(m_form->font().pointSizeF(), 8.25);

    const QPoint off = offCentre(m_form->geometry(), m_form->screen());
    QVERIFY2(off.manhattanLength() <= 2, pointText(off));
}

void TestFrmSave::layout_linkLabelsLookAndSitAsWritten()
{
    auto label = [&](const char *name) {
        return findControl<LinkLabel>(m_form.get(), name);
    };
    QCOMPARE(label("Label14")->text(),
             QStringLiteral("The Most Popular Online Lunavale Discussion Board"));
    QVERIFY(label("Label3")->text().contains(modHelp::ForumSite()));
    QVERIFY(label("lblCobrand")->text().startsWith(QLatin1String("Co-brand this software")));
    QVERIFY(label("lblCobrand")->text().contains(QLatin1String("name &  link")));
    QVERIFY(label("lblFullBrand")->text().startsWith(QLatin1String("Home Business Opportunity")));

    for (const char *name : {"Label14", "Label3", "lblCobrand", "lblFullBrand"}) {
        LinkLabel *l = label(name);
        QVERIFY2(l, name);
        QCOMPARE(l->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(l->font().underline());
        QCOMPARE(l->font().pointSizeF(), 8.25);
        QCOMPARE(l->alignment(), Qt::AlignCenter);
        QCOMPARE(l->cursor().shape(), Qt::PointingHandCursor);
        const bool offer = QByteArray(name).startsWith("lbl");
        QCOMPARE(l->font().bold(), offer);
        if (!offer)
            QCOMPARE(l->palette().color(QPalette::Window), QColor(Qt::white));
    }
    // The co-brand offer lies in front and takes the clicks.
    auto *frame = findControl<QGroupBox>(m_form.get(), "fraFullBrand");
    QCOMPARE(frame->childAt(label("lblCobrand")->geometry().center()), label("lblCobrand"));
    // The one behind can be neither seen nor reached with Tab.
    QVERIFY(label("lblCobrand")->isVisible());
    QVERIFY(!label("lblFullBrand")->isVisible());
}

void TestFrmSave::load_composesTheReportIntoTheBox()
{
    const QList<ReportRun> runs = report::ComposeRuns(modAquarius::loadedProfile());
    QString expected = plainTextOf(runs);
    expected.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QCOMPARE(box()->toPlainText(), expected);
    QCOMPARE(box()->document()->blockCount(), expected.count(QLatin1Char('\n')) + 1);

    // Character by character, the weight and colour the runs were inserted with.
    const QTextDocument *document = box()->document();
    int position = 0;
    for (const ReportRun &run : runs) {
        QString text = run.text;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        for (const QChar c : text) {
            if (c != QLatin1Char('\n')) {
                QTextCursor at(const_cast<QTextDocument *>(document));
                at.setPosition(position + 1);
                const QTextCharFormat format = at.charFormat();
                QCOMPARE(format.fontWeight() >= QFont::Bold, run.bold);
                QCOMPARE(format.foreground().color(), report::ColorOf(run.colour));
                // Family and size are the box's own throughout.
                QVERIFY(!format.hasProperty(QTextFormat::FontFamilies));
                QVERIFY(!format.hasProperty(QTextFormat::FontPointSize));
            }
            ++position;
        }
    }
    QCOMPARE(box()->textCursor().position(), 0);
    QVERIFY(!box()->isReadOnly());
    QCOMPARE(QApplication::focusWidget(), box());
}

void TestFrmSave::load_reportCannotBeUndoneAway()
{
    const QString composed = box()->toPlainText();
    QVERIFY(!box()->document()->isUndoAvailable());
    box()->setFocus();
    QTest::keyClick(box(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box()->toPlainText(), composed);
}

void TestFrmSave::escape_keepsTheWindowAndItsEdits()
{
    box()->setFocus();
    box()->moveCursor(QTextCursor::End);
    QTest::keyClicks(box(), QStringLiteral("mine"));
    QTest::keyClick(box(), Qt::Key_Escape);
    QTest::keyClick(m_form.get(), Qt::Key_Escape);
    QVERIFY(m_form->isVisible());
    QVERIFY(box()->toPlainText().endsWith(QLatin1String("mine")));
    QVERIFY(namesOf(loadedForms()).contains(QStringLiteral("frmSave")));
}

void TestFrmSave::reopening_givesAnIdenticalReport_andUnloadsOnClose()
{
    const QByteArray first = rtf::Write(report::RtfModel(*box()->document()));
    QVERIFY(namesOf(loadedForms()).contains(QStringLiteral("frmSave")));
    m_form->close();
    QVERIFY(!namesOf(loadedForms()).contains(QStringLiteral("frmSave")));
    m_form.reset();

    for (int i = 0; i < 2; ++i) {
        frmSave again;
        QVERIFY(namesOf(loadedForms()).contains(QStringLiteral("frmSave")));
        QCOMPARE(rtf::Write(report::RtfModel(*again.RTB()->document())), first);
        again.reject();
        QVERIFY(!namesOf(loadedForms()).contains(QStringLiteral("frmSave")));
    }
}

void TestFrmSave::mainWindowSave_opensTheReportModally()
{
    m_form.reset();
    frmMain main;
    main.setAttribute(Qt::WA_DeleteOnClose, false);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *report = qobject_cast<frmSave *>(QApplication::activeModalWidget());
        seen = report && report->isVisible() && report->parentWidget() == &main
               && namesOf(loadedForms()).contains(QStringLiteral("frmSave"))
               && report->RTB()->toPlainText().startsWith(QLatin1String("Aquarius\n\nBirth"));
        if (report)
            report->close();
    });
    QTest::mouseClick(findControl<QPushButton>(&main, "cmdSave"), Qt::LeftButton);
    // The click returns once the report window is closed again.
    QVERIFY(seen);
    QVERIFY(!namesOf(loadedForms()).contains(QStringLiteral("frmSave")));
    QVERIFY(main.findChildren<frmSave *>().isEmpty());
}

void TestFrmSave::labels_openTheirPages()
{
    for (const char *name : {"Label14", "Label3"}) {
        QTest::mouseClick(findControl<LinkLabel>(m_form.get(), name), Qt::LeftButton);
    }
    auto *frame = findControl<QGroupBox>(m_form.get(), "fraFullBrand");
    const QPoint spot = findControl<LinkLabel>(m_form.get(), "lblCobrand")
                            ->geometry()
                            .center();
    QTest::mouseClick(frame->childAt(spot), Qt::LeftButton);
    const QString home = modHelp::PageAddress(QStringLiteral("home-page"));
    QCOMPARE(m_world->opened,
             (QStringList{home, home, modHelp::PageAddress(QStringLiteral("co-brand"))}));

    // The hidden offer still has its own handler.
    m_world->opened.clear();
    m_form->lblFullBrand_Click();
    QCOMPARE(m_world->opened,
             QStringList{modHelp::PageAddress(QStringLiteral("fully-branded"))});
    QVERIFY(m_world->messages.isEmpty());
}

void TestFrmSave::save_askedWithTheDialogSettingsEveryTime()
{
    m_world->savePath = m_dir->filePath(QStringLiteral("first.rtf"));
    clickSave();
    clickSave();
    m_world->savePath.reset();
    clickSave();
    QCOMPARE(m_world->saveRequests.size(), 3);
    for (const Platform::SaveRequest &request : std::as_const(m_world->saveRequests)) {
        QCOMPARE(request.title, QStringLiteral("Save Your Rashi Details"));
        QCOMPARE(request.filter, QStringLiteral("Rich Text Format (*.rtf)"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("rtf"));
        QVERIFY(request.confirmOverwrite);
        // Empty every time, even right after a save.
        QCOMPARE(request.fileName, QString());
    }
    // The run's first save starts in the documents, never the working folder; the next ones
    // where the last save went.
    QCOMPARE(m_world->saveRequests[0].folder,
             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QCOMPARE(m_world->saveRequests[2].folder, m_dir->path());
}

void TestFrmSave::save_cancel_writesNothingAndSaysNothing()
{
    const QString before = box()->toPlainText();
    m_world->savePath.reset();
    clickSave();
    QCOMPARE(m_world->saveRequests.size(), 1);
    QVERIFY(filesIn(m_dir->path()).isEmpty());
    QVERIFY(m_world->messages.isEmpty());
    QCOMPARE(box()->toPlainText(), before);
}

void TestFrmSave::save_writesRtfAtExactlyTheChosenPath()
{
    // The dialog appends the default extension to a bare name; whatever path it returns,
    // with or without an extension, is the file written, and it holds RTF.
    for (const char *name : {"report", "report.rtf", "report.txt"}) {
        m_world->savePath = m_dir->filePath(QLatin1String(name));
        clickSave();
        const QByteArray saved = contentsOf(*m_world->savePath);
        QVERIFY2(saved.startsWith("{\\rtf1"), name);
        QVERIFY(saved.contains("Verdana"));
        QVERIFY(saved.contains("\\b\\cf1 Aquarius\\par"));
    }
    QCOMPARE(filesIn(m_dir->path()),
             (QStringList{QStringLiteral("report"), QStringLiteral("report.rtf"),
                          QStringLiteral("report.txt")}));
    QVERIFY(m_world->messages.isEmpty());
}

void TestFrmSave::save_overExistingFile_replacesIt()
{
    const QString path = m_dir->filePath(QStringLiteral("report.rtf"));
    QVERIFY(writeFile(path, QByteArray(100000, 'x')));
    m_world->savePath = path;
    clickSave();
    const QByteArray saved = contentsOf(path);
    QVERIFY(saved.startsWith("{\\rtf1"));
    QVERIFY(!saved.contains("xxx"));
    QVERIFY(saved.trimmed().endsWith('}'));
    // Nothing left over beside it.
    QCOMPARE(filesIn(m_dir->path()), QStringList{QStringLiteral("report.rtf")});
    QVERIFY(m_world->messages.isEmpty());
}

QString TestFrmSave::reportSavedLastWeek()
{
    const QString folder = m_dir->filePath(QStringLiteral("reports"));
    const QString path = folder + QStringLiteral("/aquarius.rtf");
    if (!QDir().mkpath(folder) || !writeFile(path, LastWeeksReport))
        return {};
    return path;
}

void TestFrmSave::verifyFailedSaveKeptTheOldFile(const QString &path)
{
    const QString folder = m_dir->filePath(QStringLiteral("reports"));
    QCOMPARE(contentsOf(folder + QStringLiteral("/aquarius.rtf")), LastWeeksReport);
    QCOMPARE(filesIn(folder), QStringList{QStringLiteral("aquarius.rtf")});
    QCOMPARE(m_world->messages.size(), 1);
    const RecordingPlatform::Message &message = m_world->messages.constFirst();
    QCOMPARE(message.icon, Platform::Icon::Critical);
    QCOMPARE(message.buttons, Platform::Buttons::Ok);
    const QString shownPath = QDir::toNativeSeparators(path);
    QVERIFY2(message.text.contains(shownPath), qPrintable(message.text));
    // A reason follows the name.
    QVERIFY2(message.text.mid(message.text.indexOf(shownPath) + shownPath.size()).trimmed().size()
                 > 3,
             qPrintable(message.text));
    // The window keeps working.
    QVERIFY(m_form->isVisible());
}

void TestFrmSave::save_toAFolderThatIsGone_keepsOldFileAndNamesFileAndReason()
{
    QVERIFY(!reportSavedLastWeek().isEmpty());
    const QString path = m_dir->filePath(QStringLiteral("gone/aquarius.rtf"));
    m_world->savePath = path;
    clickSave();
    QVERIFY(!QFile::exists(path));
    verifyFailedSaveKeptTheOldFile(path);
}

// A read-only folder; on Windows, whose folders' read-only attribute stops nobody, a file.
void TestFrmSave::save_readOnly_keepsOldFileAndNamesFileAndReason()
{
    const QString path = reportSavedLastWeek();
    QVERIFY(!path.isEmpty());
#ifdef Q_OS_WIN
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther));
    m_world->savePath = path;
    clickSave();
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
#else
    const QString folder = QFileInfo(path).path();
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner
                                                     | QFile::ExeOwner | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                              | QFile::ExeOther));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    m_world->savePath = path;
    if (geteuid() == 0) {
        if (!asNobody([this] { clickSave(); }))
            QSKIP("cannot act as an unprivileged user here");
    } else {
        clickSave();
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
    verifyFailedSaveKeptTheOldFile(path);
}

void TestFrmSave::save_onADiskThatFillsHalfway_keepsOldFileAndNamesFileAndReason()
{
    STARFOLD_NEEDS_FULL_DISK();
    const QString path = reportSavedLastWeek();
    QVERIFY(!path.isEmpty());
    {
        // The file system refuses the data part way through, as a full disk does.
        const DiskFull full(4096);
        QVERIFY(full.isFull());
        m_world->savePath = path;
        clickSave();
    }
    verifyFailedSaveKeptTheOldFile(path);
}

void TestFrmSave::save_writesWhatTheBoxShows_afterEditing()
{
    box()->setFocus();
    QTextCursor cursor = box()->textCursor();
    // Drop the title line, then add a note of the user's own at the end.
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 2);
    box()->setTextCursor(cursor);
    QTest::keyClick(box(), Qt::Key_Delete);
    box()->moveCursor(QTextCursor::End);
    QTest::keyClicks(box(), QStringLiteral("My note {1}"));

    m_world->savePath = m_dir->filePath(QStringLiteral("edited.rtf"));
    clickSave();
    const QByteArray saved = contentsOf(*m_world->savePath);
    QVERIFY(!saved.contains("Aquarius\\par"));
    QVERIFY(saved.contains("My note \\{1\\}\\plain}"));
    QVERIFY(saved.contains("Birth Dates: "));
}

void TestFrmSave::save_pipeAsTarget_isRefusedAndLeftAPipe()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has no pipes in its folders");
#else
    // Written through, the save would never end; replaced, the pipe would be gone.
    const QString path = m_dir->filePath(QStringLiteral("report.rtf"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    m_world->savePath = path;
    clickSave();

    QCOMPARE(m_world->messages.size(), 1);
    const QString text = m_world->messages.constFirst().text;
    QVERIFY2(text.contains(QDir::toNativeSeparators(path)), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("not an ordinary file")), qPrintable(text));
    QCOMPARE(m_world->messages.constFirst().icon, Platform::Icon::Critical);
    struct stat st{};
    QCOMPARE(::lstat(QFile::encodeName(path).constData(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
    // Nothing written beside it either.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden
                                           | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("report.rtf")});
#endif
}

void TestFrmSave::paste_arrivesAsPlainTextInTheCaretsFormat()
{
    auto *mime = new QMimeData;
    mime->setHtml(QStringLiteral("<i style=\"color:#ff0000;font-family:Courier\">Red</i>"));
    mime->setText(QStringLiteral("Red"));
    QApplication::clipboard()->setMimeData(mime);

    // Into the title: the pasted text takes the title's purple bold.
    QTextCursor cursor = box()->textCursor();
    cursor.setPosition(3);
    box()->setTextCursor(cursor);
    box()->paste();
    QVERIFY(box()->toPlainText().startsWith(QLatin1String("AquRedarius")));
    cursor.setPosition(5);
    const QTextCharFormat format = cursor.charFormat();
    QCOMPARE(format.foreground().color(), QColor(128, 0, 128));
    QVERIFY(format.fontWeight() >= QFont::Bold);
    QVERIFY(!format.fontItalic());
    QVERIFY(!format.hasProperty(QTextFormat::FontFamilies));
}

void TestFrmSave::print_withoutPrinter_doesNothingButClearsTheSelection()
{
    const QString before = box()->toPlainText();
    QTextCursor cursor = box()->textCursor();
    cursor.setPosition(10);
    cursor.setPosition(200, QTextCursor::KeepAnchor);
    box()->setTextCursor(cursor);
    m_world->printerName.clear();
    QTest::mouseClick(findControl<QPushButton>(m_form.get(), "cmdPrint"),
                      Qt::LeftButton);
    QVERIFY(!box()->textCursor().hasSelection());
    QCOMPARE(box()->toPlainText(), before);
    QVERIFY(m_world->messages.isEmpty());
    QVERIFY(m_form->isVisible());
}

void TestFrmSave::keyboard_tabLeavesTheReportUnchanged_ctrlTabTypesATab()
{
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QCOMPARE(QApplication::focusWidget(), box());
    const QString report = box()->toPlainText();

    QTest::keyClick(box(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdSave"));
    QCOMPARE(box()->toPlainText(), report);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), box());
    QCOMPARE(box()->toPlainText(), report);

    // The caret is at the start of the report.
    QTest::keyClick(box(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), box());
    QCOMPARE(box()->toPlainText(), QLatin1Char('\t') + report);
}

void TestFrmSave::everyUser_namedReachableAndReadableOnDark_savedColoursUnchanged()
{
    VERIFY_NO_FAULTS(everyuser::unnamedControls(m_form.get()));
    QCOMPARE(everyuser::accessibleText(box()), QStringLiteral("Report"));
    // Around the window: Save, Print, the offer, the two forum links and back.
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    VERIFY_NO_FAULTS(everyuser::keyboardFaults(m_form.get()));

    const QByteArray light = rtf::Write(report::RtfModel(*box()->document()));
    const auto dark = everyuser::darkDesktop();
    VERIFY_NO_FAULTS(everyuser::unreadableTexts(m_form.get()));
    // The box, not the report, changes with the theme.
    QCOMPARE(rtf::Write(report::RtfModel(*box()->document())), light);
}

void TestFrmSave::everyPixelRatio_noTextCutShort()
{
    // Run at the pixel ratio of the screen; CTest runs this again at 1.5 and 2.
    VERIFY_NO_FAULTS(everyuser::clippedTexts(m_form.get(), m_form.get()->devicePixelRatioF()));
}

void TestFrmSave::failingCall_keepsTheOldFileSaysSoAndLeavesNothing_data()
{
#ifdef Q_OS_WIN
    // No shim to fail a call there; what fails the move over the report is another program
    // holding it open without sharing its deletion, as viewers and editors do.
    QTest::addColumn<int>("sharing");
    QTest::newRow("held, nothing shared") << 0;
    QTest::newRow("held, deletion not shared") << int(FILE_SHARE_READ | FILE_SHARE_WRITE);
#else
    QTest::addColumn<QString>("name"); // of the report, else the settings store; "->" a link
    QTest::addColumn<QByteArray>("call");
    for (const QString &name : {QStringLiteral("a.rtf"), QStringLiteral("->shared/a.rtf"),
                                QString(246, u'n') + QStringLiteral(".rtf"), QString()}) {
        for (const char *call : {"open", "write", "fdatasync", "close", "rename", "fsync"})
            QTest::addRow("%s %s", name.isEmpty() ? "settings" : qPrintable(name.left(16)), call)
                << name << QByteArray(call);
    }
#endif
}

// The Nth call of each kind (more than a write makes) fails with each error in turn, through
// support/faultshim.c. A failed sync of the folder comes after the rename: the new file is in
// place, but it is said that it may not last.
void TestFrmSave::failingCall_keepsTheOldFileSaysSoAndLeavesNothing()
{
#ifdef Q_OS_WIN
    QFETCH(int, sharing);
    const QString path = reportSavedLastWeek();
    QVERIFY(!path.isEmpty());
    {
        const HeldOpen held(path, DWORD(sharing));
        QVERIFY(held.handle != INVALID_HANDLE_VALUE);
        m_world->savePath = path;
        clickSave();
    }
    verifyFailedSaveKeptTheOldFile(path);
#else
    QFETCH(QString, name);
    QFETCH(QByteArray, call);
    const auto arm = reinterpret_cast<void (*)(const char *, const char *, long, int)>(
        dlsym(RTLD_DEFAULT, "fault_arm"));
    QVERIFY2(arm, "the fault shim is not preloaded");
    const bool report = !name.isEmpty();
    const bool linked = name.startsWith(u"->");
    const QString path = !report ? settingsFilePath()
                                 : m_dir->filePath(linked ? QStringLiteral("link.rtf") : name);
    // The file the save writes through the link.
    const QString file = linked ? m_dir->filePath(name.sliced(2)) : path;
    QVERIFY(!linked
            || (QDir().mkpath(QFileInfo(file).path()) && QFile::link(name.sliced(2), path)));
    const QString folder = QFileInfo(file).path();
    m_world->savePath = path;
    const auto write = [&](const char *value) {
        m_world->messages.clear();
        if (!report)
            return WriteSetting(QStringLiteral("Install"), QLatin1String(value));
        clickSave();
        return m_world->messages.isEmpty();
    };
    QVERIFY(write("2"));
    const QByteArray written = contentsOf(file);
    int refused = 0;
    for (long n = 1; n < 16; ++n) {
        QVERIFY(report ? writeFile(path, LastWeeksReport) : write("1"));
        const QByteArray old = contentsOf(file);
        arm(QFile::encodeName(folder).constData(), call.constData(), n / 2, n % 2 ? EIO : ENOSPC);
        const bool wrote = write("2");
        arm("", "", 0, 0);
        // Whole or not at all, said so when not, and no temporary file left beside it.
        QCOMPARE(contentsOf(file), wrote || call == "fsync" ? written : old);
        QCOMPARE(m_world->messages.size(), report && !wrote ? 1 : 0);
        QCOMPARE(filesIn(folder), QStringList(QFileInfo(file).fileName()));
        refused += !wrote;
    }
    QVERIFY(refused > 0);
#endif
}

QTEST_MAIN(TestFrmSave)
#include "tst_frmsave.moc"
