// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"

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
#include "ui/linklabel.h"
#include "ui/textfit.h"
#include "web/frmabout.h"
#include "web/frmnagscreen2.h"
#include "web/offerpanel.h"
#include "web/pages.h"

#include <QAction>
#include <QCloseEvent>
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
#include <QTextBlock>
#include <QTextDocument>

namespace {

// A caption label with its tooltip, beside or above the text box showing one field.
struct LabelledBox {
    const char *label;
    const char *caption;
    const char *tooltip;
    const char *box;
    QRect labelAt; // twips; an empty size means the label sizes itself
    QRect boxAt;   // twips
    ProfileField field;
};

constexpr QRect at(int left, int top, int width = 0, int height = 0)
{
    return {left, top, width, height};
}

constexpr LabelledBox KeyFacts[] = {
    {"Label5", "Zodiac Quality", "This signifies the attitude of the people under this sign.",
     "txtZodiacQuality", at(2880, 870), at(2910, 1080, 2310, 285),
     &SignProfile::ZodiacQuality},
    {"Label4", "Zodiac Element", "This describes the human characteristics of this sign.",
     "txtZodiacElement", at(5640, 870), at(5670, 1080, 2310, 285),
     &SignProfile::ZodiacElement},
    {"Label3", "Zodiac Symbol", "This signifies the symbol that represents this sign.",
     "txtZodiacSymbol", at(2880, 1380), at(2910, 1575, 2310, 285),
     &SignProfile::ZodiacSymbol},
    {"Label2", "Birth Dates", "This gives the date period for this sun sign.", "txtBirthDates",
     at(5640, 1380), at(5670, 1575, 2310, 285),
     &SignProfile::BirthDates},
};

// A row of a page: a one-line box with its caption level with it, from the caption's left
// edge up to the box.
constexpr LabelledBox lineRow(const char *label, const char *caption, const char *tooltip,
                              const char *box, int labelLeft, int boxLeft, int boxWidth, int top,
                              ProfileField field)
{
    return {label, caption, tooltip, box, {labelLeft, top, boxLeft - labelLeft, 285},
            {boxLeft, top, boxWidth, 285}, field};
}

constexpr LabelledBox PlanetRows[] = {
    lineRow("Label6", "Domicile Planet",
            "This signifies the planet that exercises a powerful energy on the sign.",
            "txtDomicilePlanet", 240, 1920, 3855, 1200, &SignProfile::DomicilePlanet),
    lineRow("Label7", "Detriment Planet",
            "This signifies the planet that is unfavorable for this sign.",
            "txtDetrimentPlanet", 240, 1920, 3855, 1680, &SignProfile::DetrimentPlanet),
    lineRow("Label8", "Exaltation Planet",
            "This signifies the planet that interacts well with this sign.",
            "txtExaltationPlanet", 240, 1920, 3855, 2160, &SignProfile::ExaltationPlanet),
};

constexpr LabelledBox LuckyRows[] = {
    lineRow("Label9", "Birth Stone",
            "This signifies the birth gemstones for people born under this sign.",
            "txtBirthstone", 120, 1800, 3975, 840, &SignProfile::Birthstone),
    lineRow("Label10", "Lucky Colors",
            "This signifies the lucky colors for people born under this sign.",
            "txtLuckyColors", 120, 1800, 3975, 1200, &SignProfile::LuckyColors),
    lineRow("Label11", "Lucky Numbers",
            "This signifies the lucky numbers for people born under this sign.",
            "txtLuckyNumbers", 120, 1800, 3975, 1560, &SignProfile::LuckyNumbers),
    lineRow("Label12", "Lucky Day",
            "This signifies the lucky days for people born under this sign.",
            "txtLuckyDay", 120, 1800, 3975, 1920, &SignProfile::LuckyDay),
    lineRow("Label13", "Lucky Gemstones",
            "This signifies the lucky gemstones for people born under this sign.",
            "txtLuckyGemstones", 120, 1800, 3975, 2280, &SignProfile::LuckyGemstones),
    lineRow("Label14", "Lucky Metals",
            "This signifies the lucky metals to be used for people born under this sign.",
            "txtLuckyMetals", 120, 1800, 3975, 2640, &SignProfile::LuckyMetals),
};

constexpr LabelledBox FamilyBlocks[] = {
    {"Label20", "The Aquarius Mother", "This tells us more about the person as a mother.",
     "txtMother", at(240, 360), at(240, 600, 5535, 750),
     &SignProfile::AsMother},
    {"Label21", "The Aquarius Father", "This tells us more about the person as a father.",
     "txtFather", at(240, 1440), at(240, 1680, 5535, 750),
     &SignProfile::AsFather},
    {"Label22", "The Aquarius Child", "This tells us more about the person as a child.",
     "txtChild", at(240, 2520), at(240, 2760, 5535, 750),
     &SignProfile::AsChild},
};

// Pages holding one text box that fills the page, by list index.
struct ProsePage {
    std::size_t index;
    const char *box;
    int height; // twips
    ProfileField field;
};

constexpr ProsePage ProsePages[] = {
    {2, "txtGeneralTraits", 3150, &SignProfile::GeneralTraits},
    {3, "txtPositiveTraits", 3150, &SignProfile::PositiveTraits},
    {4, "txtNegativeTraits", 3105, &SignProfile::NegativeTraits},
    {5, "txtFriendshipTraits", 3105, &SignProfile::FriendshipTraits},
    {6, "txtCompatibilityTraits", 3105, &SignProfile::CompatibilityTraits},
    {8, "txtCommonProfessions", 3105, &SignProfile::CommonProfessions},
    {9, "txtHealthConcerns", 3105, &SignProfile::HealthConcerns},
    {10, "txtFinancialHabits", 3105, &SignProfile::FinancialHabits},
    {11, "txtFashionStyle", 3105, &SignProfile::FashionStyle},
    {12, "txtTravel", 3105, &SignProfile::TravelHabits},
    {13, "txtLoveAndRomance", 3105, &SignProfile::LoveAndRomance},
    {14, "txtFamous", 3105, &SignProfile::FamousPersonalities},
};

// Every topic gets exactly one page: a prose page or one of those laid out by hand.
constexpr bool eachTopicHasOnePage()
{
    std::array<int, Topics.size()> pages{};
    for (std::size_t handLaid : {PlanetsTopic, LuckyCharmTopic, FamilyTopic, UpdateTopic})
        ++pages[handLaid];
    for (const ProsePage &page : ProsePages) {
        if (page.index >= Topics.size())
            return false;
        ++pages[page.index];
    }
    for (int count : pages)
        if (count != 1)
            return false;
    return true;
}
static_assert(eachTopicHasOnePage());

const char ForumBandCaption[] = "Online Lunavale Discussion Board. Best Resource For Everything "
                                "Lunavale. Visit %1";
const char UpdateInfoText[] =
    "Get the latest news and information on your sun sign, Aquarius, and find out what "
    "other people think of it. Share your own view in our discussion forum.";
const char DailyHoroscopeText[] =
    "Start each day with a look at your free daily sun-sign horoscope. It takes only a "
    "minute, and it tells you what the stars have in store for Aquarius today: where to "
    "take a chance, where to hold back, and which plans and people deserve your attention. "
    "A good habit before the day begins.";
const char AstrologyCaption[] =
    "Visit Latest Updated Information of Aquarius @ %1";

QRect inPixels(const QRect &twipRect)
{
    return twipsRect(twipRect.x(), twipRect.y(), twipRect.width(), twipRect.height());
}

QString text(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

QLabel *makeLabel(QWidget *parent, const LabelledBox &control, const QFont &font)
{
    auto *label = new QLabel(text(control.caption), parent);
    label->setObjectName(text(control.label));
    label->setToolTip(text(control.tooltip));
    label->setFont(font);
    if (control.labelAt.width() > 0) {
        label->setGeometry(inPixels(control.labelAt));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        condenseToFit(label);
    } else {
        label->move(twips(control.labelAt.x()), twips(control.labelAt.y()));
        sizeToText(label);
    }
    return label;
}

// The caption names its box to screen readers, and its tooltip describes the box.
template<typename Box>
Box *labelBox(QLabel *label, Box *box)
{
    label->setBuddy(box);
    box->setAccessibleDescription(label->toolTip());
    return box;
}

QLineEdit *makeLineBox(QWidget *parent, const char *name, const QRect &where)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(text(name));
    box->setReadOnly(true);
    box->setGeometry(inPixels(where));
    return box;
}

// Qt lays out a one-paragraph text as soon as it is set, at whatever width the box has then,
// and again at its real width when the box is first shown. The paragraph is laid out on
// demand when it is drawn anyway, so the early pass is skipped: the box holds its text from
// the start and is laid out once, at its real width.
class OnDemandLayout : public QPlainTextDocumentLayout
{
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override
    {
        if (document()->blockCount() == 1) {
            document()->firstBlock().clearLayout();
            requestUpdate();
            return;
        }
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
    }
};

QPlainTextEdit *makeProseBox(QWidget *parent, const char *name, const QRect &where)
{
    auto *box = new QPlainTextEdit(parent);
    auto *document = new QTextDocument(box);
    document->setDocumentLayout(new OnDemandLayout(document));
    box->setDocument(document);
    box->setObjectName(text(name));
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setGeometry(inPixels(where));
    showFocusFrame(box);
    readFromStart(box);
    return box;
}

const ProsePage *prosePage(std::size_t index)
{
    for (const ProsePage &page : ProsePages) {
        if (page.index == index)
            return &page;
    }
    return nullptr;
}

// The controls below page that Tab stops at, in the order Tab takes them.
QList<QWidget *> tabStops(const QWidget *page)
{
    QList<QWidget *> stops;
    const QWidget *window = page->window();
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && page->isAncestorOf(w))
            stops << w;
    }
    return stops;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QLatin1String(WindowCaption));
    setWindowIcon(artwork::programIcon());
    setFont(programFont());
    createControls();
    createMenus();
    // The layout is fixed: the window keeps the size of its menu bar and client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    loadWindowForm(this, [this] { Form_Unload(); });
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips(8565), twips(6795));
    setCentralWidget(client);

    auto *picZodiac = new QLabel(client);
    picZodiac->setObjectName(QStringLiteral("picZodiac"));
    picZodiac->setGeometry(inPixels(at(120, 120, 2310, 3720)));
    picZodiac->setAlignment(Qt::AlignCenter);
    picZodiac->setPixmap(artwork::signPicture(devicePixelRatioF()));
    picZodiac->setAccessibleName(QStringLiteral("Aquarius, the water carrier"));

    m_lstOptions = new QListWidget(client);
    m_lstOptions->setObjectName(QStringLiteral("lstOptions"));
    m_lstOptions->setGeometry(inPixels(at(120, 3945, 2295, 2175)));
    m_lstOptions->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstOptions->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lstOptions->setAccessibleName(QStringLiteral("Topics"));
    connect(m_lstOptions, &QListWidget::currentRowChanged, this, &frmMain::lstOptions_Click);

    m_cmdSave = new QPushButton(QStringLiteral("&Save"), client);
    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    m_cmdSave->setGeometry(inPixels(at(120, 6210, 2295, 375)));
    connect(m_cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);

    auto *frame19 = new QFrame(client);
    frame19->setObjectName(QStringLiteral("Frame19"));
    frame19->setGeometry(inPixels(at(2520, 135, 6000, 585)));
    frame19->setBackgroundRole(QPalette::Highlight);
    frame19->setAutoFillBackground(true);
    auto *label61 = makeLinkLabel(frame19, "Label61",
                                  text(ForumBandCaption).arg(modHelp::ForumSite()),
                                  inPixels(at(0, 90, 6000, 390)), Qt::white,
                                  programFont(8.25, true, true), Qt::AlignCenter);
    connect(label61, &LinkLabel::clicked, this, &frmMain::Label61_Click);

    createKeyFacts(client);

    m_lblZodiacSignName = new QLabel(client);
    m_lblZodiacSignName->setObjectName(QStringLiteral("lblZodiacSignName"));
    m_lblZodiacSignName->setGeometry(inPixels(at(4440, 4800, 1935, 240)));
    m_lblZodiacSignName->setFont(programFont(9.75, true));
    m_lblZodiacSignName->setAlignment(Qt::AlignCenter);

    createTopicPages(client);
    createPromotion(client);
}

template<typename Box>
Box *frmMain::bind(Box *box, ProfileField field)
{
    if constexpr (std::is_same_v<Box, QLineEdit>)
        m_bindings.push_back({box, nullptr, field});
    else
        m_bindings.push_back({nullptr, box, field});
    return box;
}

void frmMain::createKeyFacts(QWidget *client)
{
    for (const LabelledBox &fact : KeyFacts) {
        QLabel *label = makeLabel(client, fact, font());
        m_lastKeyFact =
            bind(labelBox(label, makeLineBox(client, fact.box, fact.boxAt)), fact.field);
    }
}

void frmMain::createTopicPages(QWidget *client)
{
    for (std::size_t i = 0; i < Topics.size(); ++i) {
        auto *frame = new QGroupBox(QString::fromLatin1(Topics[i].caption), client);
        frame->setObjectName(QString::fromLatin1(Topics[i].frame));
        frame->setGeometry(inPixels(at(2520, 1980, 6000, 3705)));
        frame->setFont(programFont(8.25, true));
        // Opaque, so the page in front hides the sign's name beneath.
        frame->setAutoFillBackground(true);
        frame->hide();
        m_frames[i] = frame;
    }
    // The first page is in front when the window is first shown.
    buildPage(PlanetsTopic);
}

void frmMain::buildPage(std::size_t index)
{
    QGroupBox *page = m_frames[index];
    const QFont regular = programFont();
    auto addRows = [&](const auto &rows) {
        for (const LabelledBox &r : rows) {
            QLabel *label = makeLabel(page, r, regular);
            bind(labelBox(label, makeLineBox(page, r.box, r.boxAt)), r.field)->setFont(regular);
        }
    };
    switch (index) {
    case PlanetsTopic:
        addRows(PlanetRows);
        break;
    case LuckyCharmTopic:
        addRows(LuckyRows);
        break;
    case FamilyTopic:
        for (const LabelledBox &block : FamilyBlocks) {
            QLabel *label = makeLabel(page, block, regular);
            bind(labelBox(label, makeProseBox(page, block.box, block.boxAt)), block.field)
                ->setFont(regular);
        }
        break;
    case UpdateTopic:
        fillUpdatePage(page);
        break;
    default:
        if (const ProsePage *prose = prosePage(index))
            bind(makeProseBox(page, prose->box, at(240, 360, 5500, prose->height)), prose->field)
                ->setFont(regular);
        break;
    }
    m_built[index] = true;
    placeInTabOrder(page);
}

void frmMain::fillUpdatePage(QGroupBox *page)
{
    const QFont regular = programFont();
    // The links are blue whatever the theme, so the page is light whatever the theme.
    keepLight(page);

    auto *frame18 = new QGroupBox(QStringLiteral("New Updated Information"), page);
    frame18->setObjectName(QStringLiteral("Frame18"));
    frame18->setGeometry(inPixels(at(240, 360, 2655, 3135)));
    auto *frame21 = new QGroupBox(QStringLiteral("Daily Aquarius Horoscope"), page);
    frame21->setObjectName(QStringLiteral("Frame21"));
    frame21->setGeometry(inPixels(at(3120, 360, 2655, 3135)));
    // Only the topic page's own caption is bold.
    frame18->setFont(regular);
    frame21->setFont(regular);

    makeWrappedText(frame18, "lblUpdateInfo", text(UpdateInfoText),
                    inPixels(at(120, 240, 2490, 1170)), regular);
    makeWrappedText(frame21, "lblDailyHoroscope", text(DailyHoroscopeText),
                    inPixels(at(120, 240, 2445, 2385)), regular);

    auto *lblForum = makeLinkLabel(frame18, "lblForum",
                                   QStringLiteral("Visit Aquarius Discussion Forum Now"),
                                   inPixels(at(120, 1800, 2415, 375)), LinkBlue, regular,
                                   Qt::AlignLeft);
    connect(lblForum, &LinkLabel::clicked, this, &frmMain::lblForum_Click);
    auto *lblAstrology = makeLinkLabel(frame18, "lblAstrology",
                                       text(AstrologyCaption).arg(modHelp::SignSite()),
                                       inPixels(at(120, 2280, 2415, 615)), LinkBlue, regular,
                                       Qt::AlignLeft);
    connect(lblAstrology, &LinkLabel::clicked, this, &frmMain::lblAstrology_Click);
    // Its two lines fill the box to the last pixel; set on the bottom edge, the descenders
    // keep their room, and the tops of the letters still clear the box's top.
    auto *lblDaily = makeLinkLabel(frame21, "lblDaily",
                                   QStringLiteral("Click Here to see Daily Aquarius Horoscope"),
                                   inPixels(at(240, 2640, 2175, 375)), LinkBlue, regular,
                                   Qt::AlignHCenter | Qt::AlignBottom);
    connect(lblDaily, &LinkLabel::clicked, this, &frmMain::lblDaily_Click);
    keepClearOfCaption(frame18);
    keepClearOfCaption(frame21);
}

// New controls join the end of the window's focus chain, after the offer. Tab takes a
// page's controls after the key facts, as when every page was made with the window; only
// the page in front can take the focus, so where the hidden ones stand makes no difference.
void frmMain::placeInTabOrder(QGroupBox *page)
{
    QWidget *previous = m_lastKeyFact;
    for (QWidget *control : tabStops(page)) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void frmMain::createPromotion(QWidget *client)
{
    const OfferPanel offers = makeOfferPanel(client, inPixels(at(2520, 5700, 6000, 1050)),
                                             inPixels(at(120, 165, 5700, 855)));
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
        m_lstOptions->addItem(QString::fromLatin1(topic.caption));
    bringToFront(PlanetsTopic);

    modAquarius::LoadSignProfile();
    const SignProfile &profile = modAquarius::signProfile();
    m_lblZodiacSignName->setText(profile.SignName);

    for (const Binding &binding : m_bindings)
        showText(binding, profile);

    m_lstOptions->setCurrentRow(0);
}

void frmMain::showText(const Binding &binding, const SignProfile &profile)
{
    if (binding.line) {
        binding.line->setText(profile.*binding.field);
        binding.line->setCursorPosition(0);
        condenseToFit(binding.line);
    } else {
        binding.prose->document()->setPlainText(profile.*binding.field);
    }
}

void frmMain::lstOptions_Click()
{
    const int index = m_lstOptions->currentRow();
    if (index >= 0 && index < int(m_frames.size()))
        bringToFront(std::size_t(index));
}

void frmMain::bringToFront(std::size_t index)
{
    QGroupBox *frame = m_frames[index];
    // Only the front page can be seen, so the others stay hidden and cost nothing.
    if (m_front == frame)
        return;
    if (!m_built[index]) {
        // Only pages chosen after loading are made here, so the profile is there to show.
        const std::size_t first = m_bindings.size();
        buildPage(index);
        for (std::size_t b = first; b < m_bindings.size(); ++b)
            showText(m_bindings[b], modAquarius::signProfile());
    }
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

void frmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    loadedForms().unload(this);
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
