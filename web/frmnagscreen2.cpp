// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/frmnagscreen2.h"

#include "base/forms.h"
#include "base/identity.h"
#include "base/platform.h"
#include "base/random.h"
#include "ui/artwork.h"
#include "ui/colours.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/formwindow.h"
#include "ui/linklabel.h"
#include "ui/textfit.h"
#include "web/cobrand.h"
#include "web/pages.h"
#include "web/referral.h"

#include "ui_frmnagscreen2.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <exception>
#include <utility>

namespace {

const char Check1Caption[] = "Click Here To Visit %1 Now";

// The second paragraph starts on a line of its own because the spaces before it are
// wider than the label: one word-wrapped caption, no line break.
const char DownloadPitch[] =
    "%1 makes a whole family of programs on astrology, psychic readings, tarot, "
    "numerology and the occult. Each one is simple to use and full of information, and "
    "most of them are free."
    "                                                             "
    "Download them, try them out, and share the ones you like with your friends and family.";

// A navy frame with its caption in white bold, as both frames of this screen are.
void styleNavyFrame(QGroupBox *frame)
{
    frame->setFont(programFont({.pointSize = 9.75, .bold = true}));
    setColourPair(frame, Qt::white, QColor(Navy));
}

// A multi-line box holds its lines apart with CR LF, as every text of the program does;
// the editor itself knows only LF.
QString boxText(const QObject *box)
{
    if (auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (auto *lines = qobject_cast<const QPlainTextEdit *>(box))
        return lines->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return {};
}

void setBoxText(QObject *box, const QString &text)
{
    if (boxText(box) == text)
        return;
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else if (auto *lines = qobject_cast<QPlainTextEdit *>(box))
        lines->setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

// Focus that comes and goes with the whole window (another program, a message box)
// is not the user moving between fields.
bool movesBetweenFields(const QFocusEvent *event)
{
    return event->reason() != Qt::ActiveWindowFocusReason
           && event->reason() != Qt::PopupFocusReason;
}

} // namespace

frmNagScreen2::frmNagScreen2(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::frmNagScreen2>())
{
    m_ui->setupUi(this);
    setUpForm(this, {.description = "Exit screen: visit the forum, refer a friend, or exit"});
    setAttribute(Qt::WA_DeleteOnClose);
    setColourPair(this, Qt::black, Qt::white);
    setUpControls();
    loadWindowForm(this, [this] { Form_Unload(); });
    Form_Load();
    // Placed once its window flags are final: changing them moves a window by its frame.
    centreClientAreaOnScreen(this);
}

frmNagScreen2::~frmNagScreen2() = default;

bool frmNagScreen2::ShowModeless()
{
    try {
        auto *exitScreen = new frmNagScreen2;
        exitScreen->show();
        return exitScreen->isVisible();
    } catch (const std::exception &) {
        return false;
    }
}

const QStringList &frmNagScreen2::SupportCaptions()
{
    static const QStringList captions = [] {
        QStringList list;
        for (const char *text : cobrand::SupportCaptionTexts)
            list << QString::fromLatin1(text).arg(modHelp::ForumSite());
        return list;
    }();
    return captions;
}

void frmNagScreen2::setUpControls()
{
    m_ui->lblNagScreen2Caption->setFont(
        programFont({.pointSize = 18, .family = QStringLiteral("MS Sans Serif")}));

    m_ui->Label2->setFont(programFont({.pointSize = 9.75, .bold = true}));
    m_ui->Label2->setText(SupportCaptions().at(cobrand::FirstSupportCaption));

    LinkCheckBox *check1 = m_ui->Check1;
    check1->setCaption(QString::fromLatin1(Check1Caption).arg(modHelp::ForumSite()));
    check1->setFont(programFont({.pointSize = 14.25}));
    // On the screen's own white, which the form fixes; the box itself is drawn in the form's
    // pair too, since a dark desktop's box would look ticked when it is not.
    QPalette linkPal = check1->palette();
    linkPal.setColor(QPalette::WindowText, QColor(InvitationBlue));
    linkPal.setColor(QPalette::ButtonText, QColor(InvitationBlue));
    linkPal.setColor(QPalette::Base, palette().color(QPalette::Window));
    linkPal.setColor(QPalette::Text, palette().color(QPalette::WindowText));
    check1->setPalette(linkPal);
    check1->setCursor(Qt::PointingHandCursor);
    condenseToFit(check1);
    // Unticking from inside the handler raises the event again; that call finds it clear.
    connect(check1, &LinkCheckBox::stateChanged, this, &frmNagScreen2::Check1_Click);

    // Enter presses the button that has the focus, as it does in a dialog.
    for (QPushButton *button : {m_ui->cmdClose, m_ui->cmdSubmit})
        button->setAutoDefault(true);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);

    setUpReferAFriend();
    setUpDownloadFrame();
    // The first in the tab order takes the focus when the screen opens.
    m_ui->cmdClose->setFocus();
}

void frmNagScreen2::setUpReferAFriend()
{
    using namespace modTellAFriend;
    styleNavyFrame(m_ui->Frame2);
    m_ui->cmdSubmit->setFont(programFont());
    connect(m_ui->cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);

    // Each box has a name of its own for screen readers (in the form's .ui), since the hint
    // it shows goes away as soon as it has the focus.
    m_hintedBoxes = {{
        {m_ui->txtName, HintYourName, Field::YourName},
        {m_ui->txtEmail, HintYourEmail, Field::YourEmail},
        {m_ui->txtFriendName, HintFriendName, Field::FriendName},
        {m_ui->txtFriendEmail, HintFriendEmail, Field::FriendEmail},
        {m_ui->txtMessage, HintYourMessage, Field::YourMessage},
    }};
    for (const HintedBox &hinted : m_hintedBoxes) {
        hinted.box->setFont(programFont());
        if (auto *line = qobject_cast<QLineEdit *>(hinted.box)) {
            line->setText(QLatin1String(hinted.hint));
            // Bounded so that the address built from the entries can always be opened.
            line->setMaxLength(MaxEntryLength);
        }
        hinted.box->installEventFilter(this);
    }

    QPlainTextEdit *message = m_ui->txtMessage;
    message->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    message->setTabChangesFocus(true);
    setBoxText(message, QLatin1String(InitialMessage));
    limitLength(message, MaxEntryLength);
}

void frmNagScreen2::setUpDownloadFrame()
{
    const QLatin1String maker(MakerName);
    styleNavyFrame(m_ui->Frame6);
    m_ui->Frame6->setTitle(QStringLiteral("Download %1 Softwares").arg(maker));

    m_ui->Label3->setFont(programFont({.pointSize = 9}));
    m_ui->Label3->setText(QString::fromLatin1(DownloadPitch).arg(maker));

    LinkLabel *lblGoToHome = m_ui->lblGoToHome;
    lblGoToHome->setCaption(QStringLiteral("Click Here To Visit %1 Softwares").arg(maker));
    // Left and vertically centred is a plain label's own alignment.
    styleLinkLabel(lblGoToHome,
                   {.color = QColor(LinkYellow),
                    .font = programFont({.pointSize = 9, .bold = true, .underline = true}),
                    .alignment = Qt::AlignLeft | Qt::AlignVCenter,
                    .wordWrap = false});
    condenseToFit(lblGoToHome);
    connect(lblGoToHome, &LinkLabel::clicked, this, &frmNagScreen2::lblGoToHome_Click);
}

void frmNagScreen2::Form_Load()
{
    m_ui->lblNagScreen2Caption->setText(QLatin1String(WindowCaption));
    sizeToText(m_ui->lblNagScreen2Caption);

    // The same icon the start-up form holds in its image list.
    const QIcon icon = artwork::programIcon();
    setWindowIcon(icon);
    m_ui->picNagscreen2Icon->setPixmap(
        icon.pixmap(m_ui->picNagscreen2Icon->size(), devicePixelRatioF()));

    Randomize();
    m_ui->Label2->setText(SupportCaptions().at(cobrand::SupportCaptionIndex(Rnd())));

    // Above every ordinary window, a browser opened from its own links included.
    setWindowFlag(Qt::WindowStaysOnTopHint);
}

void frmNagScreen2::Form_Unload()
{
    EndApplication();
}

void frmNagScreen2::cmdClose_Click()
{
    EndApplication();
}

void frmNagScreen2::Check1_Click()
{
    if (m_ui->Check1->checkState() != Qt::Checked)
        return;
    m_ui->Check1->setCheckState(Qt::Unchecked);
    modHelp::OpenHomePage();
}

void frmNagScreen2::lblGoToHome_Click()
{
    modHelp::OpenSoftwaresPage();
}

void frmNagScreen2::cmdSubmit_Click()
{
    takeUserTo(modTellAFriend::SubmitEntries(
        {boxText(m_ui->txtName), boxText(m_ui->txtEmail), boxText(m_ui->txtMessage),
         boxText(m_ui->txtFriendName), boxText(m_ui->txtFriendEmail)}));
}

// After a message about a field, the user is taken to that field with its text selected,
// ready to be typed over.
void frmNagScreen2::takeUserTo(modTellAFriend::Field field)
{
    for (const HintedBox &hinted : m_hintedBoxes) {
        if (hinted.field != field)
            continue;
        hinted.box->setFocus(Qt::OtherFocusReason);
        if (auto *line = qobject_cast<QLineEdit *>(hinted.box))
            line->selectAll();
        else if (auto *lines = qobject_cast<QPlainTextEdit *>(hinted.box))
            lines->selectAll();
    }
}

void frmNagScreen2::enterField()
{
    if (QObject *box = std::exchange(m_entering, nullptr))
        setBoxText(box, modTellAFriend::TextOnGotFocus(boxText(box), hintOf(box)));
}

QString frmNagScreen2::hintOf(const QObject *box) const
{
    for (const HintedBox &hinted : m_hintedBoxes) {
        if (hinted.box == box)
            return QLatin1String(hinted.hint);
    }
    return {};
}

bool frmNagScreen2::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        // The hint goes once the focus has been announced. Emptied before, the box reports
        // its text and caret changes first, and Orca (43, with Qt 6.4) takes those for the
        // focus arriving, without a word, then drops the real focus event as old news: the
        // field is never named.
        if (movesBetweenFields(static_cast<QFocusEvent *>(event))) {
            m_entering = watched;
            QMetaObject::invokeMethod(this, &frmNagScreen2::enterField, Qt::QueuedConnection);
        }
        break;
    case QEvent::FocusOut:
        if (watched == m_entering)
            m_entering = nullptr;
        if (movesBetweenFields(static_cast<QFocusEvent *>(event)))
            setBoxText(watched, modTellAFriend::TextOnLostFocus(boxText(watched), hintOf(watched)));
        break;
    case QEvent::KeyPress:
        // A key typed at once still lands in an emptied box.
        if (watched == m_entering)
            enterField();
        if (watched == m_ui->txtEmail || watched == m_ui->txtFriendEmail) {
            const QString typed = static_cast<QKeyEvent *>(event)->text();
            if (typed.size() == 1 && modTellAFriend::RefuseEmailKey(typed.at(0))) {
                static_cast<QWidget *>(watched)->setFocus();
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
