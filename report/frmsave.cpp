// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/frmsave.h"

#include "base/identity.h"
#include "base/logging.h"
#include "base/platform.h"
#include "base/replacefile.h"
#include "base/savetarget.h"
#include "profile/signprofile.h"
#include "report/modrtb.h"
#include "report/printmodule.h"
#include "report/reportdocument.h"
#include "report/rtfwriter.h"
#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/formwindow.h"
#include "ui/linklabel.h"
#include "ui/textfit.h"
#include "web/offerpanel.h"
#include "web/pages.h"

#include "ui_frmsave.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextEdit>

STARFOLD_LOGGING_CATEGORY(lcReport, "starfold.report")

namespace {

// Where the last save of this run went: the next save dialog opens there.
QString lastSaveFolder;

// Never the working folder, which a shortcut sets to the program's own, where a user may
// not write: the folder of the last save, else the user's documents.
QString saveDialogFolder()
{
    if (!lastSaveFolder.isEmpty() && QFileInfo(lastSaveFolder).isDir())
        return lastSaveFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

const char ForumTitle[] = "The Most Popular Online %1 Discussion Board";
const char ForumInvitation[] = "Click to visit %1 now";

// The offers' frame in the window and their spot in the frame, in pixels.
constexpr QRect OfferFrame{2, 467, 511, 54};
constexpr QRect OfferSpot{8, 11, 492, 41};

// The forum captions above the report: each on one line, blue on white.
void styleForumLink(LinkLabel *label, const QString &caption)
{
    label->setCaption(caption);
    styleLinkLabel(label, {.color = LinkBlue,
                           .font = programFont({.underline = true}),
                           .alignment = Qt::AlignCenter,
                           .wordWrap = false});
    condenseToFit(label);
    setColourPair(label, QColor(LinkBlue), Qt::white);
}

// The report boxes' palette: paper-white whatever the theme, and one palette for them all,
// given to their class. The style keeps what it draws by palette, and a palette set on each
// box is a new one each time, which left a window's worth of pictures behind per window.
void usePaperPalette()
{
    static QPalette desktop;
    static bool given = false;
    const QPalette now = QApplication::palette();
    if (given && now == desktop)
        return;
    desktop = now;
    given = true;
    QPalette paper = now;
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    // Marked as setting nothing, so that each box takes it as it is instead of resolving
    // a copy of its own against it.
    paper.setResolveMask(0);
    QApplication::setPalette(paper, "QTextEdit");
}

} // namespace

frmSave::frmSave(QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::frmSave>())
{
    // The report's runs carry colours meant for paper, so the box is paper-white whatever
    // the theme; text typed without a colour of its own is saved black, and shows so.
    usePaperPalette();
    m_ui->setupUi(this);
    setUpForm(this, {.description = "Report: the whole profile, to save or print"});
    setModal(true);
    styleControls();
    // Centred on the screen, not on the window that opened it.
    centreClientAreaOnScreen(this);
    loadDialogForm(this);
    Form_Load();
}

frmSave::~frmSave() = default;

QTextEdit *frmSave::RTB() const
{
    return m_ui->RTB;
}

void frmSave::ShowModal(QWidget *owner)
{
    frmSave form(owner);
    form.exec();
}

void frmSave::changeEvent(QEvent *event)
{
    // A new desktop palette replaces the boxes' one; the paper goes back over it.
    if (event->type() == QEvent::PaletteChange)
        usePaperPalette();
    QDialog::changeEvent(event);
}

void frmSave::keyPressEvent(QKeyEvent *event)
{
    // The window has no Cancel button; Esc must not throw away the user's annotations.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmSave::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->RTB && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
            m_ui->RTB->insertPlainText(QStringLiteral("\t"));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmSave::styleControls()
{
    styleForumLink(m_ui->Label14, QString::fromLatin1(ForumTitle).arg(QLatin1String(MakerName)));
    connect(m_ui->Label14, &LinkLabel::clicked, this, &frmSave::Label14_Click);
    styleForumLink(m_ui->Label3, QString::fromLatin1(ForumInvitation).arg(modHelp::ForumSite()));
    connect(m_ui->Label3, &LinkLabel::clicked, this, &frmSave::Label3_Click);

    // The family that draws it, so the font matcher is not searched for a missing Verdana;
    // the saved file still names Verdana (savedFamily).
    m_ui->RTB->setFont(programFont({.pointSize = report::PointSize}));
    // Pasted or dropped text takes the format at the caret, as typed text does.
    m_ui->RTB->setAcceptRichText(false);
    m_ui->RTB->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_ui->RTB->setLineWrapMode(QTextEdit::WidgetWidth);
    // Tab moves on to the buttons and links, as everywhere else; Ctrl+Tab types a tab.
    m_ui->RTB->setTabChangesFocus(true);
    m_ui->RTB->installEventFilter(this);

    // Neither is a dialog default, so Enter presses neither.
    m_ui->cmdSave->setAutoDefault(false);
    connect(m_ui->cmdSave, &QPushButton::clicked, this, &frmSave::cmdSave_Click);
    m_ui->cmdPrint->setAutoDefault(false);
    connect(m_ui->cmdPrint, &QPushButton::clicked, this, &frmSave::cmdPrint_Click);

    createPromotion();
}

void frmSave::createPromotion()
{
    // The co-brand offer covers the other one here, always.
    const OfferPanel offers = makeOfferPanel(this, OfferFrame, OfferSpot);
    connect(offers.lblCobrand, &LinkLabel::clicked, this, &frmSave::lblCobrand_Click);
    connect(offers.lblFullBrand, &LinkLabel::clicked, this, &frmSave::lblFullBrand_Click);
}

void frmSave::Form_Load()
{
    modRTB::HookReportLinks(m_ui->RTB, this);

    QTextDocument *document = m_ui->RTB->document();
    // The composed report is where editing starts, not a step the user can undo.
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    // A copy of its own: the report does not rely on any window having loaded the profile.
    report::InsertRuns(cursor, report::ComposeRuns(modAquarius::MakeProfile()));
    document->setUndoRedoEnabled(true);
    m_ui->RTB->moveCursor(QTextCursor::Start);
    // The report, not the first link label, is where the keyboard starts.
    m_ui->RTB->setFocus();
}

void frmSave::cmdSave_Click()
{
    const Platform::SaveRequest request{
        QStringLiteral("Save Your Rashi Details"),
        QStringLiteral("Rich Text Format (*.rtf)"),
        QStringLiteral("rtf"),
        true,
        QString(),
        saveDialogFolder(),
    };
    const std::optional<QString> path = platform().askSavePath(request);
    if (!path || path->isEmpty())
        return;

    // The dialog has refused such a path already; the check stands again here because the
    // name may have changed hands since, and a pipe or a device must never be replaced.
    std::optional<QString> reason = SaveTargetRefusal(*path);
    // Written beside the old file and renamed over it, so a failed save leaves that intact.
    if (!reason)
        reason = ReplaceFile(*path, rtf::Write(report::RtfModel(*m_ui->RTB->document())));
    if (reason) {
        qCWarning(lcReport) << "saving the report to" << *path << "failed:" << *reason;
        platform().showMessage(QStringLiteral("Your report could not be saved as\n%1\n\n%2")
                                   .arg(QDir::toNativeSeparators(*path), *reason),
                               Platform::Icon::Critical);
        return;
    }
    lastSaveFolder = QFileInfo(*path).absolutePath();
}

void frmSave::cmdPrint_Click()
{
    QTextCursor cursor = m_ui->RTB->textCursor();
    cursor.clearSelection();
    m_ui->RTB->setTextCursor(cursor);
    if (report::PrintDocument(*m_ui->RTB->document(), platform().defaultPrinterName())
        == report::PrintResult::TooLong) {
        platform().showMessage(QStringLiteral("This report is too long to print in one piece.\n\n"
                                              "Shorten it, then print it again."),
                               Platform::Icon::Information);
    }
}

void frmSave::Label14_Click() { modHelp::OpenHomePage(); }
void frmSave::Label3_Click() { modHelp::OpenHomePage(); }
void frmSave::lblCobrand_Click() { modHelp::OpenCoBrandPage(); }
void frmSave::lblFullBrand_Click() { modHelp::OpenFullyBrandedPage(); }
