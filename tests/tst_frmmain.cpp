// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"
#include "profile/signprofile.h"
#include "profile/topics.h"
#include "report/frmsave.h"
#include "ui/artwork.h"
#include "ui/linklabel.h"

#include "support/caption.h"
#include "support/choosetopic.h"
#include "support/everyuser.h"
#include "support/findcontrol.h"
#include "support/recordingplatform.h"
#include "support/windowchecks.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTest>
#include <QTextEdit>

class TestFrmMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstShown_planetsInFrontWithTheKeyFacts();
    void everyTopic_bringsItsOwnPageToTheFront();
    void arrowKeys_turnThePagesLikeClicks();
    void choosingTheSelectedTopicAgain_keepsThePage();
    void updatePage_showsItsTwoFramesAndOpensNothing();
    void hiddenPage_isMadeWhenFirstChosenWithItsWholeText();
    void textBoxes_areReadOnlyButCopyable();
    void longTexts_wrapAndScroll();
    void captionLabels_carryTheirTooltips();
    void controls_standWhereTheLayoutPutsThem();
    void keyboard_tabsThroughAPageInLayoutOrderWhicheverWasChosenFirst();
    void everyUser_namedReachableAndReadableOnDarkOnEveryPage();
    void everyPixelRatio_noTextCutShort();
    void menus_reachScreenReadersAsPopupMenusWithEveryCommandNamed();
    void proseBox_firstReachedByTab_readsFromItsStart();
    void updatePage_linksStayReadableAsTheDesktopTurnsDark();
    void anotherWindowInFront_bandAndChosenTopicKeepTheirColours();

private:
    template<typename T>
    T *child(const char *name) const
    {
        return findControl<T>(m_window, name);
    }
    QListWidget *list() const { return child<QListWidget>("lstOptions"); }

    RecordingPlatform *m_world = nullptr;
    frmMain *m_window = nullptr;
};

void TestFrmMain::init()
{
    m_world = new RecordingPlatform;
    m_window = new frmMain;
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestFrmMain::cleanup()
{
    delete m_window;
    delete m_world;
}

void TestFrmMain::firstShown_planetsInFrontWithTheKeyFacts()
{
    QCOMPARE(m_window->windowTitle(), programCaption());
    QCOMPARE(list()->currentRow(), 0);
    QCOMPARE(list()->count(), 16);
    QCOMPARE(frontTopic(m_window)->title(), QStringLiteral("Planets Associated"));
    QCOMPARE(frontTopic(m_window)->objectName(), QStringLiteral("Frame1"));
    QCOMPARE(child<QLineEdit>("txtDomicilePlanet")->text(), QStringLiteral("Saturn (or Uranus)"));
    QCOMPARE(child<QLineEdit>("txtDetrimentPlanet")->text(), QStringLiteral("Sun"));
    QCOMPARE(child<QLineEdit>("txtExaltationPlanet")->text(), QStringLiteral("Mercury"));
    QCOMPARE(child<QLineEdit>("txtZodiacQuality")->text(), QStringLiteral("Fixed"));
    QCOMPARE(child<QLineEdit>("txtZodiacElement")->text(), QStringLiteral("Air"));
    QCOMPARE(child<QLineEdit>("txtZodiacSymbol")->text(), QStringLiteral("Water Carrier"));
    QCOMPARE(child<QLineEdit>("txtBirthDates")->text(),
             QStringLiteral("January 20th - February 18th"));
    // Each box shows the beginning of its text.
    QCOMPARE(child<QLineEdit>("txtBirthDates")->cursorPosition(), 0);
    QCOMPARE(child<QLabel>("lblZodiacSignName")->text(), QStringLiteral("Aquarius"));
    QVERIFY(!child<QLabel>("picZodiac")->pixmap().isNull());
    // Denser screens take the sign from packed pictures; each must unpack whole.
    for (qreal ratio : {1.0, 2.0, 3.0})
        QCOMPARE(artwork::signPicture(ratio).deviceIndependentSize(), QSizeF(artwork::SignPictureSize));
}

void TestFrmMain::everyTopic_bringsItsOwnPageToTheFront()
{
    for (int i = 0; i < 16; ++i) {
        list()->setCurrentRow(i);
        QGroupBox *front = frontTopic(m_window);
        QCOMPARE(front->title(), list()->item(i)->text());
        QCOMPARE(front->title(), QString::fromLatin1(Topics[std::size_t(i)].caption));
        QCOMPARE(front->objectName(), QStringLiteral("Frame%1").arg(i + 1));
        // Only the page in front can be seen; a page not yet chosen is not made yet.
        for (int f = 1; f <= 16; ++f) {
            auto *frame = m_window->findChild<QGroupBox *>(QStringLiteral("Frame%1").arg(f));
            QCOMPARE(frame && frame->isVisible(), frame == front);
        }
    }
}

void TestFrmMain::arrowKeys_turnThePagesLikeClicks()
{
    list()->setFocus();
    for (int i = 1; i < 16; ++i) {
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(frontTopic(m_window)->title(), QString::fromLatin1(Topics[std::size_t(i)].caption));
    }
    QTest::keyClick(list(), Qt::Key_Up);
    QCOMPARE(frontTopic(m_window)->title(), QStringLiteral("Famous Personalities"));

    QListWidgetItem *item = list()->item(6);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(item).center());
    QCOMPARE(frontTopic(m_window)->title(), QStringLiteral("Compatibility Traits"));
}

void TestFrmMain::choosingTheSelectedTopicAgain_keepsThePage()
{
    list()->setCurrentRow(3);
    QGroupBox *front = frontTopic(m_window);
    list()->setCurrentRow(3);
    m_window->lstOptions_Click();
    QCOMPARE(frontTopic(m_window), front);
    QVERIFY(front->isVisible());
}

void TestFrmMain::updatePage_showsItsTwoFramesAndOpensNothing()
{
    list()->setCurrentRow(15);
    QGroupBox *front = frontTopic(m_window);
    QCOMPARE(front->title(), QStringLiteral("Update"));
    auto *news = findControl<QGroupBox>(front, "Frame18");
    auto *daily = findControl<QGroupBox>(front, "Frame21");
    QVERIFY(news && news->isVisible());
    QVERIFY(daily && daily->isVisible());
    QCOMPARE(news->title(), QStringLiteral("New Updated Information"));
    QCOMPARE(daily->title(), QStringLiteral("Daily Aquarius Horoscope"));
    QVERIFY(m_world->opened.isEmpty());
}

void TestFrmMain::hiddenPage_isMadeWhenFirstChosenWithItsWholeText()
{
    // Nobody has chosen these yet: their pages are not made.
    for (const char *frame : {"Frame2", "Frame3", "Frame8", "Frame16"})
        QVERIFY2(!m_window->findChild<QGroupBox *>(QLatin1String(frame)), frame);

    const SignProfile &profile = modAquarius::loadedProfile();
    list()->setCurrentRow(1);
    QLineEdit *day = child<QLineEdit>("txtLuckyDay");
    QVERIFY(day && day->isVisible());
    QCOMPARE(day->text(), profile.LuckyDay);
    QCOMPARE(day->cursorPosition(), 0);
    QCOMPARE(child<QLabel>("Label12")->buddy(), day);
    // A box holds the same text as a document given the field.
    auto holds = [&](const char *box, const QString &field) {
        QTextDocument whole;
        whole.setPlainText(field);
        return !field.isEmpty() && child<QPlainTextEdit>(box)->toPlainText() == whole.toPlainText();
    };
    list()->setCurrentRow(2);
    QVERIFY(holds("txtGeneralTraits", profile.GeneralTraits));
    list()->setCurrentRow(7);
    QVERIFY(holds("txtChild", profile.AsChild));
    list()->setCurrentRow(15);
    QVERIFY(child<LinkLabel>("lblForum")->isVisible());

    // Chosen again, a page keeps the controls it was given.
    list()->setCurrentRow(1);
    QCOMPARE(child<QLineEdit>("txtLuckyDay"), day);
    QCOMPARE(m_window->findChildren<QLineEdit *>(QStringLiteral("txtLuckyDay")).size(), 1);
}

void TestFrmMain::textBoxes_areReadOnlyButCopyable()
{
    list()->setCurrentRow(0);
    QLineEdit *planet = child<QLineEdit>("txtDomicilePlanet");
    planet->setFocus();
    QTest::keyClicks(planet, QStringLiteral("xyz"));
    QTest::keyClick(planet, Qt::Key_Backspace);
    QCOMPARE(planet->text(), QStringLiteral("Saturn (or Uranus)"));
    planet->selectAll();
    planet->copy();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Saturn (or Uranus)"));

    list()->setCurrentRow(2);
    auto *general = child<QPlainTextEdit>("txtGeneralTraits");
    const QString before = general->toPlainText();
    general->setFocus();
    QTest::keyClicks(general, QStringLiteral("abc"));
    QTest::keyClick(general, Qt::Key_Delete);
    QCOMPARE(general->toPlainText(), before);
    QTest::keyClick(general, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(general, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), before);
}

void TestFrmMain::longTexts_wrapAndScroll()
{
    list()->setCurrentRow(14);
    auto *famous = child<QPlainTextEdit>("txtFamous");
    QCOMPARE(famous->document()->blockCount(), 5);

    list()->setCurrentRow(6);
    auto *compatibility = child<QPlainTextEdit>("txtCompatibilityTraits");
    QCOMPARE(compatibility->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    // Twelve paragraphs with a blank line between each pair.
    QCOMPARE(compatibility->document()->blockCount(), 23);
    QVERIFY(compatibility->verticalScrollBar()->isVisible());
    QVERIFY(compatibility->verticalScrollBar()->maximum() > 0);
    QCOMPARE(compatibility->verticalScrollBar()->value(), 0);

    // A one-paragraph text is laid out only when its page is first shown; it must then
    // wrap and scroll like the others.
    list()->setCurrentRow(7);
    auto *mother = child<QPlainTextEdit>("txtMother");
    QCOMPARE(mother->document()->blockCount(), 1);
    QTRY_VERIFY(mother->verticalScrollBar()->maximum() > 0);
    QVERIFY(mother->document()->firstBlock().layout()->lineCount() > 3);
}

void TestFrmMain::captionLabels_carryTheirTooltips()
{
    const std::pair<const char *, const char *> expected[] = {
        {"Label2", "This gives the date period for this sun sign."},
        {"Label3", "This signifies the symbol that represents this sign."},
        {"Label4", "This describes the human characteristics of this sign."},
        {"Label5", "This signifies the attitude of the people under this sign."},
        {"Label6", "This signifies the planet that exercises a powerful energy on the sign."},
        {"Label7", "This signifies the planet that is unfavorable for this sign."},
        {"Label8", "This signifies the planet that interacts well with this sign."},
        {"Label9", "This signifies the birth gemstones for people born under this sign."},
        {"Label10", "This signifies the lucky colors for people born under this sign."},
        {"Label11", "This signifies the lucky numbers for people born under this sign."},
        {"Label12", "This signifies the lucky days for people born under this sign."},
        {"Label13", "This signifies the lucky gemstones for people born under this sign."},
        {"Label14", "This signifies the lucky metals to be used for people born under this sign."},
        {"Label20", "This tells us more about the person as a mother."},
        {"Label21", "This tells us more about the person as a father."},
        {"Label22", "This tells us more about the person as a child."},
    };
    chooseEveryTopic(m_window);
    for (const auto &[name, tooltip] : expected) {
        QLabel *label = child<QLabel>(name);
        QVERIFY2(label, name);
        QCOMPARE(label->toolTip(), QString::fromLatin1(tooltip));
    }
}

void TestFrmMain::controls_standWhereTheLayoutPutsThem()
{
    chooseEveryTopic(m_window);
    VERIFY_NO_FAULTS(misplacedControls(m_window, {
        {"picZodiac", 120, 120, 2310, 3720},     {"lstOptions", 120, 3945, 2295, 2175},
        {"cmdSave", 120, 6210, 2295, 375},       {"Frame19", 2520, 135, 6000, 585},
        {"txtZodiacQuality", 2910, 1080, 2310, 285},
        {"txtBirthDates", 5670, 1575, 2310, 285}, {"Frame7", 2520, 1980, 6000, 3705},
        {"lblZodiacSignName", 4440, 4800, 1935, 240},
        {"fraFullBrand", 2520, 5700, 6000, 1050}, {"lblCobrand", 120, 165, 5700, 855},
        {"txtExaltationPlanet", 1920, 2160, 3855, 285},
        {"txtLuckyMetals", 1800, 2640, 3975, 285}, {"txtChild", 240, 2760, 5535, 750},
        {"txtGeneralTraits", 240, 360, 5500, 3150}, {"txtTravel", 240, 360, 5500, 3105},
        {"Frame21", 3120, 360, 2655, 3135},      {"lblDaily", 240, 2640, 2175, 375},
    }));
    QCOMPARE(m_window->centralWidget()->size(), QSize(571, 453));
}

void TestFrmMain::keyboard_tabsThroughAPageInLayoutOrderWhicheverWasChosenFirst()
{
    // The controls Tab stops at on each page, between the key facts and the offer.
    const char *const pages[] = {
        "txtDomicilePlanet txtDetrimentPlanet txtExaltationPlanet",
        "txtBirthstone txtLuckyColors txtLuckyNumbers txtLuckyDay txtLuckyGemstones txtLuckyMetals",
        "txtGeneralTraits", "txtPositiveTraits", "txtNegativeTraits", "txtFriendshipTraits",
        "txtCompatibilityTraits", "txtMother txtFather txtChild", "txtCommonProfessions",
        "txtHealthConcerns", "txtFinancialHabits", "txtFashionStyle", "txtTravel",
        "txtLoveAndRomance", "txtFamous", "lblForum lblAstrology lblDaily",
    };
    const QLatin1String before("lstOptions cmdSave Label61 txtZodiacQuality txtZodiacElement "
                               "txtZodiacSymbol txtBirthDates ");
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    // The last pages first, so each page is made after the ones that follow it.
    for (int i = list()->count() - 1; i >= 0; --i)
        list()->setCurrentRow(i);
    for (int i = 0; i < list()->count(); ++i) {
        list()->setCurrentRow(i);
        list()->setFocus(Qt::TabFocusReason);
        QStringList visited;
        do {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        } while (QApplication::focusWidget() != list() && visited.size() < 30);
        QCOMPARE(visited.join(QLatin1Char(' ')),
                 before + QLatin1String(pages[i]) + QLatin1String(" lblCobrand"));
    }
}

void TestFrmMain::everyUser_namedReachableAndReadableOnDarkOnEveryPage()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    for (int i = 0; i < list()->count(); ++i) {
        list()->setCurrentRow(i);
        list()->setFocus(Qt::TabFocusReason);
        VERIFY_NO_FAULTS(everyuser::keyboardFaults(m_window));
    }
    // Every page has been made: the names are unique across them all.
    VERIFY_NO_FAULTS(everyuser::unnamedControls(m_window));
    // A box is named by its caption and described by the caption's tooltip.
    QLineEdit *dates = child<QLineEdit>("txtBirthDates");
    QCOMPARE(everyuser::accessibleText(dates), QStringLiteral("Birth Dates"));
    QCOMPARE(everyuser::accessibleText(dates, QAccessible::Description),
             QStringLiteral("This gives the date period for this sun sign."));
    QCOMPARE(everyuser::accessibleText(child<QLineEdit>("txtLuckyDay")),
             QStringLiteral("Lucky Day"));
    QCOMPARE(everyuser::accessibleText(list()), QStringLiteral("Topics"));
    QVERIFY(!everyuser::accessibleText(child<QLabel>("picZodiac")).isEmpty());

    const auto dark = everyuser::darkDesktop();
    // The top band's white on the desktop's highlight colour is the window's own design.
    const QColor band = QApplication::palette().color(QPalette::Highlight);
    VERIFY_NO_FAULTS(everyuser::unreadableTexts(m_window, {{QColor(Qt::white), band}}));
}

void TestFrmMain::everyPixelRatio_noTextCutShort()
{
    chooseEveryTopic(m_window);
    // Run at the pixel ratio of the screen; CTest runs this again at 1.5 and 2.
    VERIFY_NO_FAULTS(everyuser::clippedTexts(m_window, m_window->devicePixelRatioF()));
    // The headline fact is whole: with the caret at its end, the box need not scroll.
    QLineEdit *dates = child<QLineEdit>("txtBirthDates");
    dates->end(false);
    dates->grab(); // the box works out its scrolling as it paints
    QCOMPARE(dates->cursorPositionAt(dates->contentsRect().topLeft() + QPoint(4, 8)), 0);
    dates->home(false);
}

void TestFrmMain::menus_reachScreenReadersAsPopupMenusWithEveryCommandNamed()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    auto *report = new frmSave(m_window);
    QWidget *page = report->RTB()->viewport();
    QContextMenuEvent click(QContextMenuEvent::Keyboard, {}, page->mapToGlobal(QPoint()));
    const std::function<void()> opens[] = {
        [this] { QTest::keyClick(m_window, Qt::Key_H, Qt::AltModifier); },
        [&] { report->show(), QApplication::sendEvent(page, &click); },
    };
    for (const auto &open : opens) {
        open();
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(menu);
        QCOMPARE(reader->role(), QAccessible::PopupMenu);
        QSet<QString> named;
        for (int i = 0; i < reader->childCount(); ++i) {
            if (reader->child(i)->role() == QAccessible::MenuItem)
                named << reader->child(i)->text(QAccessible::Name);
        }
        named.remove({});
        const QList<QAction *> actions = menu->actions();
        QCOMPARE(named.size(), std::count_if(actions.cbegin(), actions.cend(),
                                             [](QAction *a) { return !a->isSeparator(); }));
        menu->close();
    }
}

void TestFrmMain::proseBox_firstReachedByTab_readsFromItsStart()
{
    QSet<QPlainTextEdit *> reached;
    for (int i = 0; i < list()->count(); ++i) {
        list()->setCurrentRow(i);
        list()->setFocus(Qt::TabFocusReason);
        for (int steps = 0; steps < 40 && (!steps || !list()->hasFocus()); ++steps) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            auto *box = qobject_cast<QPlainTextEdit *>(QApplication::focusWidget());
            if (box && !reached.contains(box)) {
                reached << box;
                QCOMPARE(box->textCursor().position(), 0);
                QCOMPARE(box->verticalScrollBar()->value(), 0);
            }
        }
    }
    QCOMPARE(reached.size(), m_window->findChildren<QPlainTextEdit *>().size());
}

void TestFrmMain::updatePage_linksStayReadableAsTheDesktopTurnsDark()
{
    list()->setCurrentRow(int(Topics.size()) - 1); // the Update page
    const auto dark = everyuser::darkDesktop();
    for (const char *name : {"lblForum", "lblAstrology", "lblDaily", "lblCobrand"}) {
        auto *link = child<QWidget>(name);
        QVERIFY(everyuser::contrastRatio(link->palette().color(QPalette::WindowText),
                                         everyuser::groundBehind(link)) >= 4.5);
    }
}

void TestFrmMain::anotherWindowInFront_bandAndChosenTopicKeepTheirColours()
{
    // Windows gives an inactive window highlight colours of their own.
    const QPalette before = QApplication::palette();
    QPalette desktop = before;
    desktop.setColor(QPalette::Inactive, QPalette::Highlight, Qt::lightGray);
    desktop.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::darkGray);
    QApplication::setPalette(desktop);
    const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
    QWidget inFront;
    inFront.show();
    inFront.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&inFront));
    QVERIFY(!m_window->isActiveWindow());

    const QColor highlight = desktop.color(QPalette::Active, QPalette::Highlight);
    QCOMPARE(child<QWidget>("Frame19")->grab().toImage().pixelColor(2, 2), highlight);
    auto *label61 = child<LinkLabel>("Label61");
    QCOMPARE(label61->palette().color(label61->foregroundRole()),
             desktop.color(QPalette::Active, QPalette::HighlightedText));
    // The chosen topic's row, at its right, where no letter stands.
    const QImage rows = list()->viewport()->grab().toImage();
    QCOMPARE(rows.pixelColor(rows.width() - 4, 4), highlight);
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
