// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"

#include "app/frmmainlayout.h"
#include "base/forms.h"
#include "base/identity.h"
#include "base/platform.h"
#include "profile/signprofile.h"
#include "profile/topics.h"
#include "report/frmsave.h"
#include "ui/artwork.h"
#include "ui/colours.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/formwindow.h"
#include "ui/linklabel.h"
#include "ui/textboxes.h"
#include "ui/textfit.h"
#include "ui/twips.h"
#include "web/frmabout.h"
#include "web/frmnagscreen2.h"
#include "web/offerpanel.h"
#include "web/pages.h"

#include "ui_frmmain.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

using namespace frmMainLayout;

namespace {

// The page in front when the window is first shown.
constexpr std::size_t FirstTopic = 0;

QString text(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

// A box showing one text of the profile, made with its text, after its caption if it has one.
QWidget *makeProfileBox(QWidget *parent, const ProfileBox &box, PageKind kind, const QFont &font)
{
    QLabel *label = box.label.name ? makeLabel(parent, box.label, font) : nullptr;
    const TextBoxOptions options{.name = box.box,
                                 .at = box.at,
                                 .font = font,
                                 .text = modAquarius::loadedProfile().*box.field};
    QWidget *made = nullptr;
    if (kind == PageKind::LineRows)
        made = makeLineBox(parent, options);
    else
        made = makeProseBox(parent, options);
    if (label)
        labelBox(label, made);
    return made;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::frmMain>())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QLatin1String(WindowCaption));
    setWindowIcon(artwork::programIcon());
    setFont(programFont());
    // Before any control is made, so that each box is filled as it is made.
    modAquarius::LoadSignProfile();
    createControls();
    createMenus();
    // The layout is fixed: the window keeps the size of its menu bar and client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    loadWindowForm(this, [this] { Form_Unload(); });
    Form_Load();
}

frmMain::~frmMain() = default;

// The fixed controls come from the form's layout; the pages and the offers are made after
// them, so that they stack above and Tab reaches them later.
void frmMain::createControls()
{
    m_ui->setupUi(this);
    QWidget *client = centralWidget();

    m_ui->picZodiac->setPixmap(artwork::signPicture(devicePixelRatioF()));

    // The chosen topic stays marked while another window is in front.
    keepActiveColours(m_ui->lstOptions, {QPalette::Highlight, QPalette::HighlightedText});
    announceCurrentItemOnFocus(m_ui->lstOptions);
    connect(m_ui->lstOptions, &QListWidget::currentRowChanged, this, &frmMain::lstOptions_Click);

    connect(m_ui->cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);

    QFrame *frame19 = m_ui->Frame19;
    frame19->setBackgroundRole(QPalette::Highlight);
    frame19->setAutoFillBackground(true);
    // The band is the form's design, not a selection: it keeps its colours in every window state.
    keepActiveColours(frame19, {QPalette::Highlight, QPalette::HighlightedText});
    m_ui->Label61->setCaption(
        text(ForumBandCaption).arg(QLatin1String(MakerName), modHelp::ForumSite()));
    styleLinkLabel(m_ui->Label61, {.color = Qt::white,
                                   .font = programFont({.bold = true, .underline = true}),
                                   .alignment = Qt::AlignCenter});
    connect(m_ui->Label61, &LinkLabel::clicked, this, &frmMain::Label61_Click);

    showKeyFacts();
    m_ui->lblZodiacSignName->setFont(programFont({.pointSize = 9.75, .bold = true}));

    createTopicPages(client);
    createPromotion(client);
}

void frmMain::showKeyFacts()
{
    const SignProfile &profile = modAquarius::loadedProfile();
    const struct {
        QLabel *label;
        QLineEdit *box;
        ProfileField field;
    } facts[] = {
        {m_ui->Label5, m_ui->txtZodiacQuality, &SignProfile::ZodiacQuality},
        {m_ui->Label4, m_ui->txtZodiacElement, &SignProfile::ZodiacElement},
        {m_ui->Label3, m_ui->txtZodiacSymbol, &SignProfile::ZodiacSymbol},
        {m_ui->Label2, m_ui->txtBirthDates, &SignProfile::BirthDates},
    };
    for (const auto &fact : facts) {
        fact.label->setFont(font());
        sizeToText(fact.label);
        fillLineBox(fact.box, font(), profile.*fact.field);
        labelBox(fact.label, fact.box);
    }
}

void frmMain::createTopicPages(QWidget *client)
{
    makeTopicFrame(client, FirstTopic);
    buildPage(FirstTopic);
}

// A topic's frame is made when the topic is first chosen: until then it could not be seen.
void frmMain::makeTopicFrame(QWidget *client, std::size_t index)
{
    auto *frame = new QGroupBox(QString::fromLatin1(Topics[index].caption), client);
    frame->setObjectName(QString::fromLatin1(Topics[index].frame));
    frame->setGeometry(inPixels(TopicArea));
    frame->setFont(programFont({.bold = true}));
    // Opaque, so the page in front hides the sign's name beneath.
    frame->setAutoFillBackground(true);
    frame->hide();
    m_frames[index] = frame;
}

void frmMain::buildPage(std::size_t index)
{
    QGroupBox *frame = m_frames[index];
    const TopicPage &page = TopicPages[index];
    if (page.kind == PageKind::UpdateLinks) {
        fillUpdatePage(frame);
    } else {
        for (const ProfileBox &box : page.boxes())
            makeProfileBox(frame, box, page.kind, programFont());
    }
    m_built[index] = true;
    placeInTabOrder(frame);
}

void frmMain::fillUpdatePage(QGroupBox *page)
{
    const QFont regular = programFont();
    // The links are blue whatever the theme, so the page is light whatever the theme.
    keepLight(page);

    auto *frame18 = new QGroupBox(text(UpdateInfoCaption), page);
    frame18->setObjectName(QStringLiteral("Frame18"));
    frame18->setGeometry(inPixels(UpdateInfoFrame));
    auto *frame21 = new QGroupBox(text(DailyHoroscopeCaption), page);
    frame21->setObjectName(QStringLiteral("Frame21"));
    frame21->setGeometry(inPixels(DailyHoroscopeFrame));
    // Only the topic page's own caption is bold.
    frame18->setFont(regular);
    frame21->setFont(regular);
    // Named by their own captions: unnamed, Qt names a frame inside a frame after the outer one.
    frame18->setAccessibleName(frame18->title());
    frame21->setAccessibleName(frame21->title());

    makeWrappedText(frame18, "lblUpdateInfo", text(UpdateInfo), inPixels(UpdateInfoText), regular);
    makeWrappedText(frame21, "lblDailyHoroscope", text(DailyHoroscope),
                    inPixels(DailyHoroscopeText), regular);

    auto *lblForum = makeLinkLabel(frame18, {.name = "lblForum",
                                             .caption = text(ForumCaption),
                                             .place = inPixels(ForumLink),
                                             .style = {.color = LinkBlue,
                                                       .font = regular,
                                                       .alignment = Qt::AlignLeft}});
    connect(lblForum, &LinkLabel::clicked, this, &frmMain::lblForum_Click);
    auto *lblAstrology =
        makeLinkLabel(frame18, {.name = "lblAstrology",
                                .caption = text(AstrologyCaption).arg(modHelp::SignSite()),
                                .place = inPixels(AstrologyLink),
                                .style = {.color = LinkBlue,
                                          .font = regular,
                                          .alignment = Qt::AlignLeft}});
    connect(lblAstrology, &LinkLabel::clicked, this, &frmMain::lblAstrology_Click);
    // Its two lines fill the box to the last pixel; set on the bottom edge, the descenders
    // keep their room, and the tops of the letters still clear the box's top.
    auto *lblDaily = makeLinkLabel(
        frame21, {.name = "lblDaily",
                  .caption = text(DailyCaption),
                  .place = inPixels(DailyLink),
                  .style = {.color = LinkBlue,
                            .font = regular,
                            .alignment = Qt::AlignHCenter | Qt::AlignBottom}});
    connect(lblDaily, &LinkLabel::clicked, this, &frmMain::lblDaily_Click);
    keepClearOfCaption(frame18);
    keepClearOfCaption(frame21);
}

// New controls join the end of the window's focus chain, after the offer. Tab takes a
// page's controls after the key facts, as when every page was made with the window; only
// the page in front can take the focus, so where the hidden ones stand makes no difference.
void frmMain::placeInTabOrder(QGroupBox *page)
{
    QWidget *previous = m_ui->txtBirthDates; // the last key fact
    for (QWidget *control : tabStops(page)) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void frmMain::createPromotion(QWidget *client)
{
    const OfferPanel offers = makeOfferPanel(client, inPixels(OfferFrame), inPixels(OfferSpot));
    m_lblCobrand = offers.lblCobrand;
    m_lblFullBrand = offers.lblFullBrand;
    connect(m_lblCobrand, &LinkLabel::clicked, this, &frmMain::lblCobrand_Click);
    connect(m_lblFullBrand, &LinkLabel::clicked, this, &frmMain::lblFullBrand_Click);
}

void frmMain::showOffer(cobrand::Front offer)
{
    switch (offer) {
    case cobrand::Front::CoBrand:
        m_lblCobrand->bringToFront();
        break;
    case cobrand::Front::FullBrand:
        m_lblFullBrand->bringToFront();
        break;
    case cobrand::Front::Unchanged:
        break;
    }
}

void frmMain::Form_Load()
{
    for (const Topic &topic : Topics)
        m_ui->lstOptions->addItem(QString::fromLatin1(topic.caption));
    bringToFront(FirstTopic);
    m_ui->lblZodiacSignName->setText(modAquarius::loadedProfile().SignName);
    m_ui->lstOptions->setCurrentRow(0);
}

void frmMain::lstOptions_Click()
{
    const int index = m_ui->lstOptions->currentRow();
    if (index >= 0 && index < int(m_frames.size()))
        bringToFront(std::size_t(index));
}

void frmMain::bringToFront(std::size_t index)
{
    // Only the front page can be seen, so the others stay hidden and cost nothing.
    if (!m_built[index]) {
        makeTopicFrame(centralWidget(), index);
        buildPage(index);
    }
    QGroupBox *frame = m_frames[index];
    if (m_front == frame)
        return;
    frame->show();
    frame->raise();
    if (m_front)
        m_front->hide();
    m_front = frame;
}

void frmMain::createMenus()
{
    auto action = [this](QObject *owner, const char *name, const char *caption,
                         void (frmMain::*handler)()) {
        auto *item = new QAction(QString::fromLatin1(caption), owner);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    auto separator = [](QMenu *menu, const char *name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    // Nothing ever opens these two; they are kept off the menu bar so that their access
    // keys cannot reach them either.
    auto *mnuPopUp = new QMenu(QStringLiteral("PopUp"), this);
    mnuPopUp->setObjectName(QStringLiteral("mnuPopUp"));
    mnuPopUp->menuAction()->setVisible(false);
    mnuPopUp->addAction(action(mnuPopUp, "mnuUpd", "Update", &frmMain::mnuUpd_Click));
    mnuPopUp->addAction(action(mnuPopUp, "mnuShow", "Show", &frmMain::mnuShow_Click));
    mnuPopUp->addAction(action(mnuPopUp, "mnuExit", "Exit", &frmMain::mnuExit_Click));

    QMenuBar *bar = menuBar();
    auto *mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelp->addAction(action(mnuHelp, "mnuOnline", "&Online Help", &frmMain::mnuOnline_Click));
    mnuHelp->addAction(action(mnuHelp, "mnuVisit", "&Visit Us Online", &frmMain::mnuVisit_Click));
    separator(mnuHelp, "mnuHelp1");
    mnuHelp->addAction(
        action(mnuHelp, "mnuUpdate", "Check for Software &Update", &frmMain::mnuUpdate_Click));
    separator(mnuHelp, "mnuHelp2");
    mnuHelp->addAction(action(mnuHelp, "mnuAbout", "&About Software", &frmMain::mnuAbout_Click));

    // No drop-down: choosing it on the menu bar runs it at once.
    bar->addAction(action(bar, "mnuDonate", "&Donate", &frmMain::mnuDonate_Click));

    auto *mnuMakeMoney =
        action(this, "mnuMakeMoney", "Make Money &Online", &frmMain::mnuMakeMoney_Click);
    mnuMakeMoney->setVisible(false);
}

void frmMain::showEvent(QShowEvent *event)
{
    // Centred once, before the window is first mapped; later shows keep where the user put it.
    if (!m_centred && !event->spontaneous()) {
        m_centred = true;
        centreOnScreen(this);
    }
    QMainWindow::showEvent(event);
}

void frmMain::Form_Unload()
{
    // The exit screen carries the run from here; without it nothing would be left to end it.
    if (!frmNagScreen2::ShowModeless())
        EndApplication();
}

void frmMain::cmdSave_Click()
{
    frmSave::ShowModal(this);
}

void frmMain::Label61_Click() { modHelp::OpenHomePage(); }
void frmMain::lblCobrand_Click() { modHelp::OpenCoBrandPage(); }
void frmMain::lblFullBrand_Click() { modHelp::OpenFullyBrandedPage(); }
void frmMain::lblForum_Click() { modHelp::OpenSignForumPage(); }
void frmMain::lblAstrology_Click() { modHelp::OpenHelpPage(); }
void frmMain::lblDaily_Click() { modHelp::OpenDailyHoroscopePage(); }

void frmMain::mnuUpd_Click() { modHelp::OpenDownloadPage(); }

void frmMain::mnuShow_Click()
{
    show();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void frmMain::mnuExit_Click()
{
    // The close box's path, so the unload step runs exactly as it does there.
    close();
}

void frmMain::mnuOnline_Click() { modHelp::OpenHelpPage(); }
void frmMain::mnuVisit_Click() { modHelp::OpenHomePage(); }
void frmMain::mnuUpdate_Click() { modHelp::OpenDownloadPage(); }

void frmMain::mnuAbout_Click()
{
    frmAbout about(this);
    about.exec();
}

void frmMain::mnuDonate_Click() { modHelp::OpenDonatePage(); }
void frmMain::mnuMakeMoney_Click() { modHelp::OpenFullyBrandedPage(); }
