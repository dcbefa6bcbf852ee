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
#include "ui/twips.h"
#include "web/cobrand.h"
#include "web/frmnagscreen2layout.h"
#include "web/pages.h"
#include "web/referral.h"

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

// The one-line refer-a-friend fields. Each has a name of its own for screen readers,
// since the hint it shows goes away as soon as it has the focus.
struct ReferralField {
    const char *name;
    const char *hint;
    const char *spokenName;
    Twips at;
};

constexpr ReferralField ReferralFields[] = {
    {"txtName", modTellAFriend::HintYourName, "Your name", {85, 360, 3375, 285}},
    {"txtEmail", modTellAFriend::HintYourEmail, "Your e-mail address", {3600, 360, 3375, 285}},
    {"txtFriendName", modTellAFriend::HintFriendName, "Friend's name", {85, 720, 3375, 285}},
    {"txtFriendEmail", modTellAFriend::HintFriendEmail, "Friend's e-mail address",
     {3600, 720, 3375, 285}},
};

// A navy frame with its caption in white bold, as both frames of this screen are.
QGroupBox *makeNavyFrame(QWidget *parent, const char *name, const QString &caption,
                         const QRect &where)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(where);
    frame->setFont(programFont({.pointSize = 9.75, .bold = true}));
    setColourPair(frame, Qt::white, QColor(Navy));
    return frame;
}

QLineEdit *makeField(QWidget *frame, const ReferralField &field)
{
    auto *box = new QLineEdit(QString::fromLatin1(field.hint), frame);
    box->setObjectName(QString::fromLatin1(field.name));
    box->setAccessibleName(QString::fromLatin1(field.spokenName));
    box->setFont(programFont());
    box->setGeometry(inPixels(field.at));
    // Bounded so that the address built from the entries can always be opened.
    box->setMaxLength(modTellAFriend::MaxEntryLength);
    return box;
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

using namespace frmNagScreen2Layout;

frmNagScreen2::frmNagScreen2(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmNagScreen2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(programFont());
    setFixedSize(inPixels(ClientArea).size());
    setColourPair(this, Qt::black, Qt::white);
    createControls();
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

void frmNagScreen2::createControls()
{
    m_picNagscreen2Icon = new QLabel(this);
    m_picNagscreen2Icon->setObjectName(QStringLiteral("picNagscreen2Icon"));
    m_picNagscreen2Icon->setGeometry(inPixels(IconPicture));
    m_picNagscreen2Icon->setAlignment(Qt::AlignCenter);
    m_picNagscreen2Icon->setAccessibleName(QStringLiteral("Starfold icon"));

    m_lblNagScreen2Caption = new QLabel(this);
    m_lblNagScreen2Caption->setObjectName(QStringLiteral("lblNagScreen2Caption"));
    m_lblNagScreen2Caption->setFont(
        programFont({.pointSize = 18, .family = QStringLiteral("MS Sans Serif")}));
    m_lblNagScreen2Caption->move(inPixels(CaptionCorner).topLeft());

    m_label2 = makeWrappedText(this, "Label2", SupportCaptions().at(cobrand::FirstSupportCaption),
                               inPixels(SupportText),
                               programFont({.pointSize = 9.75, .bold = true}));

    m_check1 = new LinkCheckBox(
        QString::fromLatin1(Check1Caption).arg(modHelp::ForumSite()), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setFont(programFont({.pointSize = 14.25}));
    // On the screen's own white, which the form fixes; the box itself is drawn in the form's
    // pair too, since a dark desktop's box would look ticked when it is not.
    QPalette linkPal = m_check1->palette();
    linkPal.setColor(QPalette::WindowText, QColor(InvitationBlue));
    linkPal.setColor(QPalette::ButtonText, QColor(InvitationBlue));
    linkPal.setColor(QPalette::Base, palette().color(QPalette::Window));
    linkPal.setColor(QPalette::Text, palette().color(QPalette::WindowText));
    m_check1->setPalette(linkPal);
    m_check1->setCursor(Qt::PointingHandCursor);
    m_check1->setGeometry(inPixels(ForumInvitation));
    condenseToFit(m_check1);
    // Unticking from inside the handler raises the event again; that call finds it clear.
    connect(m_check1, &LinkCheckBox::stateChanged, this, &frmNagScreen2::Check1_Click);

    // Enter presses the button that has the focus, as it does in a dialog.
    m_cmdClose = makePushButton(this, {.name = "cmdClose",
                                       .caption = QStringLiteral("E&xit"),
                                       .place = inPixels(ExitButton),
                                       .autoDefault = true});
    connect(m_cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);

    createReferAFriend();
    createDownloadFrame();
    arrangeTabOrder();
}

void frmNagScreen2::createReferAFriend()
{
    using namespace modTellAFriend;
    auto *frame2 = makeNavyFrame(this, "Frame2", QStringLiteral("Refer A Friend"),
                                 inPixels(ReferFrame));
    m_txtName = makeField(frame2, ReferralFields[0]);
    m_txtEmail = makeField(frame2, ReferralFields[1]);
    m_txtFriendName = makeField(frame2, ReferralFields[2]);
    m_txtFriendEmail = makeField(frame2, ReferralFields[3]);

    m_cmdSubmit = makePushButton(frame2, {.name = "cmdSubmit",
                                          .caption = QStringLiteral("Refer A Friend &Now"),
                                          .place = inPixels(ReferButton),
                                          .autoDefault = true,
                                          .font = programFont()});
    connect(m_cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);

    // Below the frame's edge, so never seen, yet Tab still reaches it.
    m_txtMessage = new QPlainTextEdit(frame2);
    m_txtMessage->setObjectName(QStringLiteral("txtMessage"));
    m_txtMessage->setAccessibleName(QStringLiteral("Your message"));
    m_txtMessage->setFont(programFont());
    m_txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtMessage->setTabChangesFocus(true);
    m_txtMessage->setGeometry(inPixels(MessageField));
    setBoxText(m_txtMessage, QLatin1String(InitialMessage));
    limitLength(m_txtMessage, MaxEntryLength);

    m_hintedBoxes = {{
        {m_txtName, HintYourName, Field::YourName},
        {m_txtEmail, HintYourEmail, Field::YourEmail},
        {m_txtFriendName, HintFriendName, Field::FriendName},
        {m_txtFriendEmail, HintFriendEmail, Field::FriendEmail},
        {m_txtMessage, HintYourMessage, Field::YourMessage},
    }};
    for (const HintedBox &hinted : m_hintedBoxes)
        hinted.box->installEventFilter(this);
}

void frmNagScreen2::createDownloadFrame()
{
    const QLatin1String maker(MakerName);
    auto *frame6 = makeNavyFrame(this, "Frame6",
                                 QStringLiteral("Download %1 Softwares").arg(maker),
                                 inPixels(DownloadFrame));

    makeWrappedText(frame6, "Label3", QString::fromLatin1(DownloadPitch).arg(maker),
                    inPixels(DownloadText), programFont({.pointSize = 9}));

    // Left and vertically centred is a plain label's own alignment.
    m_lblGoToHome = makeLinkLabel(
        frame6, {.name = "lblGoToHome",
                 .caption = QStringLiteral("Click Here To Visit %1 Softwares").arg(maker),
                 .place = inPixels(SoftwaresLink),
                 .color = QColor(LinkYellow),
                 .font = programFont({.pointSize = 9, .bold = true, .underline = true}),
                 .alignment = Qt::AlignLeft | Qt::AlignVCenter,
                 .wordWrap = false});
    condenseToFit(m_lblGoToHome);
    connect(m_lblGoToHome, &LinkLabel::clicked, this, &frmNagScreen2::lblGoToHome_Click);
}

void frmNagScreen2::arrangeTabOrder()
{
    QWidget *const order[] = {m_cmdClose,   m_txtName,        m_cmdSubmit,
                              m_txtEmail,   m_txtFriendEmail, m_txtFriendName,
                              m_txtMessage, m_check1,         m_lblGoToHome};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // The first in the tab order takes the focus when the screen opens.
    m_cmdClose->setFocus();
}

void frmNagScreen2::Form_Load()
{
    const QString caption = QLatin1String(WindowCaption);
    setWindowTitle(caption);
    // Every window bears the same caption; this tells a screen reader's user which one it is.
    setAccessibleDescription(
        QStringLiteral("Exit screen: visit the forum, refer a friend, or exit"));
    m_lblNagScreen2Caption->setText(caption);
    sizeToText(m_lblNagScreen2Caption);

    // The same icon the start-up form holds in its image list.
    const QIcon icon = artwork::programIcon();
    setWindowIcon(icon);
    m_picNagscreen2Icon->setPixmap(icon.pixmap(m_picNagscreen2Icon->size(), devicePixelRatioF()));

    Randomize();
    m_label2->setText(SupportCaptions().at(cobrand::SupportCaptionIndex(Rnd())));

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
    if (m_check1->checkState() != Qt::Checked)
        return;
    m_check1->setCheckState(Qt::Unchecked);
    modHelp::OpenHomePage();
}

void frmNagScreen2::lblGoToHome_Click()
{
    modHelp::OpenSoftwaresPage();
}

void frmNagScreen2::cmdSubmit_Click()
{
    takeUserTo(modTellAFriend::SubmitEntries({boxText(m_txtName), boxText(m_txtEmail),
                                              boxText(m_txtMessage), boxText(m_txtFriendName),
                                              boxText(m_txtFriendEmail)}));
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
        if (watched == m_txtEmail || watched == m_txtFriendEmail) {
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
