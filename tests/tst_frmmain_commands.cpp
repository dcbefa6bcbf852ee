// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"

#include "base/forms.h"
#include "web/frmabout.h"
#include "ui/linklabel.h"
#include "web/pages.h"

#include "support/findcontrol.h"
#include "support/formlist.h"
#include "support/recordingplatform.h"
#include "support/windowchecks.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {

QString keyed(const char *key)
{
    return modHelp::PageAddress(QString::fromLatin1(key));
}

QString atRoot(const char *path)
{
    return modHelp::RootPageAddress(QString::fromLatin1(path));
}

// Counts the close requests a window gets and turns them down.
class CloseCounter : public QObject
{
public:
    using QObject::QObject;
    int closes = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        ++closes;
        event->ignore();
        return true;
    }
};

} // namespace

class TestFrmMainCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    // Unloading ends the program for now, so this one runs before any other window exists.
    void exitEntry_unloadsTheWindow();
    void exitEntry_takesTheCloseBoxPath();
    void menuBar_showsExactlyHelpAndDonate();
    void donate_runsAtOnceWithoutADropDown();
    void hiddenMenus_existButAreNeverShown();
    void menuEntry_opensItsPage_data();
    void menuEntry_opensItsPage();
    void linkLabel_clickOpensItsPageOnce_data();
    void linkLabel_clickOpensItsPageOnce();
    void sharedPages_openTheSameAddressFromBothPlaces();
    void linkClickedTwice_opensTwice();
    void linkLabels_lookAsWritten_data();
    void linkLabels_lookAsWritten();
    void updatePage_textsHaveTheirLength();
    void linkLabels_reachedWithTabAndFollowedWithEnterOrSpace();
    void linkLabels_areLinksToScreenReaders();
    void offerBehind_takesNoClickAndNoFocus();
    void focusMark_doesNotMoveTheText();
    void showEntry_showsAndRestoresTheWindow();
    void aboutEntry_showsTheAboutBoxModally();
    void window_fixedClientAreaBelowTheMenuBarCentredOnScreen();

private:
    template<typename T>
    T *child(const char *name) const
    {
        return findControl<T>(m_window, name);
    }
    QAction *action(const char *name) const { return child<QAction>(name); }
    void showUpdatePage() { child<QListWidget>("lstOptions")->setCurrentRow(15); }
    // Opens the about box from the menu and runs whileOpen inside its modal loop.
    void withAboutBox(const std::function<void(frmAbout *)> &whileOpen);

    RecordingPlatform *m_world = nullptr;
    QPointer<frmMain> m_window;
};

void TestFrmMainCommands::init()
{
    m_world = new RecordingPlatform;
    // Closing deletes the window, as it does in the program; the pointer follows.
    m_window = new frmMain;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestFrmMainCommands::cleanup()
{
    delete m_window;
    // Leaving the main window opens the exit screen, which only the end of the program
    // closes: take it down here, and forget the forms of this test.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("frmNagScreen2"))
            delete window;
    }
    loadedForms() = FormList();
    delete m_world;
}

void TestFrmMainCommands::exitEntry_unloadsTheWindow()
{
    QVERIFY(isLoaded(loadedForms(), m_window));

    action("mnuExit")->trigger();

    QVERIFY(!isLoaded(loadedForms(), m_window));
    QTRY_VERIFY(!m_window || !m_window->isVisible());
}

void TestFrmMainCommands::exitEntry_takesTheCloseBoxPath()
{
    CloseCounter counter;
    m_window->installEventFilter(&counter);

    action("mnuExit")->trigger();
    QCOMPARE(counter.closes, 1);
    m_window->windowHandle()->close();
    QCOMPARE(counter.closes, 2);

    QVERIFY(isLoaded(loadedForms(), m_window));
    m_window->removeEventFilter(&counter);
}

void TestFrmMainCommands::menuBar_showsExactlyHelpAndDonate()
{
    QStringList shown;
    for (QAction *entry : m_window->menuBar()->actions())
        if (entry->isVisible())
            shown << entry->text();
    QCOMPARE(shown, (QStringList{QStringLiteral("&Help"), QStringLiteral("&Donate")}));

    QStringList help;
    for (QAction *entry : child<QMenu>("mnuHelp")->actions())
        help << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
    QCOMPARE(help, (QStringList{QStringLiteral("&Online Help"), QStringLiteral("&Visit Us Online"),
                                QStringLiteral("-"), QStringLiteral("Check for Software &Update"),
                                QStringLiteral("-"), QStringLiteral("&About Software")}));
}

void TestFrmMainCommands::donate_runsAtOnceWithoutADropDown()
{
    QMenuBar *bar = m_window->menuBar();
    QAction *donate = action("mnuDonate");
    QVERIFY(!donate->menu());

    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(donate).center());
    QCOMPARE(m_world->opened, QStringList{keyed("donate")});
    QVERIFY(!QApplication::activePopupWidget());

    QTest::keyClick(m_window, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(m_world->opened, (QStringList{keyed("donate"), keyed("donate")}));
    QVERIFY(!QApplication::activePopupWidget());
}

void TestFrmMainCommands::hiddenMenus_existButAreNeverShown()
{
    auto *popUp = child<QMenu>("mnuPopUp");
    QVERIFY(popUp);
    QCOMPARE(popUp->title(), QStringLiteral("PopUp"));
    QStringList entries;
    for (QAction *entry : popUp->actions())
        entries << entry->text();
    QCOMPARE(entries, (QStringList{QStringLiteral("Update"), QStringLiteral("Show"),
                                   QStringLiteral("Exit")}));
    QAction *makeMoney = action("mnuMakeMoney");
    QCOMPARE(makeMoney->text(), QStringLiteral("Make Money &Online"));

    QVERIFY(!m_window->menuBar()->actions().contains(popUp->menuAction()));
    QVERIFY(!m_window->menuBar()->actions().contains(makeMoney));
    QVERIFY(!popUp->isVisible());
    // Its access key leads nowhere while it is hidden.
    QTest::keyClick(m_window, Qt::Key_O, Qt::AltModifier);
    QTest::keyClick(m_window, Qt::Key_Escape);
    QVERIFY(m_world->opened.isEmpty());
}

void TestFrmMainCommands::menuEntry_opensItsPage_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("page");
    QTest::newRow("Online Help") << "mnuOnline" << keyed("help-web-page");
    QTest::newRow("Visit Us Online") << "mnuVisit" << keyed("home-page");
    QTest::newRow("Check for Software Update") << "mnuUpdate" << keyed("download-web-page");
    QTest::newRow("Donate") << "mnuDonate" << keyed("donate");
    QTest::newRow("PopUp Update") << "mnuUpd" << keyed("download-web-page");
    QTest::newRow("Make Money Online") << "mnuMakeMoney" << keyed("fully-branded");
}

void TestFrmMainCommands::menuEntry_opensItsPage()
{
    QFETCH(QString, entry);
    QFETCH(QString, page);
    QAction *item = findControl<QAction>(m_window, entry);
    QVERIFY(item);

    item->trigger();

    QCOMPARE(m_world->opened, QStringList{page});
    QVERIFY(m_window->isVisible());
}

void TestFrmMainCommands::linkLabel_clickOpensItsPageOnce_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("page");
    QTest::newRow("forum band") << "Label61" << keyed("home-page");
    QTest::newRow("co-brand offer") << "lblCobrand" << keyed("co-brand");
    QTest::newRow("fully-branded offer") << "lblFullBrand" << keyed("fully-branded");
    QTest::newRow("forum") << "lblForum" << atRoot("/aquarius_-_january_20_-_february_18");
    QTest::newRow("latest information") << "lblAstrology" << keyed("help-web-page");
    QTest::newRow("daily horoscope") << "lblDaily" << atRoot("/aquarius_-_daily_horoscope");
}

void TestFrmMainCommands::linkLabel_clickOpensItsPageOnce()
{
    QFETCH(QString, label);
    QFETCH(QString, page);
    showUpdatePage();
    auto *link = findControl<LinkLabel>(m_window, label);
    QVERIFY(link);
    link->bringToFront();
    QVERIFY(link->isVisible());
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

    clickThroughWindow(link);

    QCOMPARE(m_world->opened, QStringList{page});
}

void TestFrmMainCommands::sharedPages_openTheSameAddressFromBothPlaces()
{
    showUpdatePage();
    const auto opens = [this](const std::function<void()> &command) {
        m_world->opened.clear();
        command();
        return m_world->opened;
    };
    const auto menu = [this](const char *name) { return [this, name] { action(name)->trigger(); }; };
    const auto label = [this](const char *name) {
        return [this, name] { clickThroughWindow(child<LinkLabel>(name)); };
    };

    QCOMPARE(opens(menu("mnuOnline")), QStringList{keyed("help-web-page")});
    QCOMPARE(opens(label("lblAstrology")), QStringList{keyed("help-web-page")});
    QCOMPARE(opens(menu("mnuUpdate")), QStringList{keyed("download-web-page")});
    QCOMPARE(opens(menu("mnuUpd")), QStringList{keyed("download-web-page")});
    QCOMPARE(opens(menu("mnuVisit")), QStringList{keyed("home-page")});
    QCOMPARE(opens(label("Label61")), QStringList{keyed("home-page")});
}

void TestFrmMainCommands::linkClickedTwice_opensTwice()
{
    showUpdatePage();
    clickThroughWindow(child<LinkLabel>("lblDaily"));
    clickThroughWindow(child<LinkLabel>("lblDaily"));

    const QString page = atRoot("/aquarius_-_daily_horoscope");
    QCOMPARE(m_world->opened, (QStringList{page, page}));
}

void TestFrmMainCommands::linkLabels_lookAsWritten_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("captionStart");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<bool>("boldUnderlined");
    QTest::addColumn<int>("horizontal");

    const QColor blue(0, 0, 255);
    const int centred = Qt::AlignHCenter;
    const int left = Qt::AlignLeft;
    QTest::newRow("Label61") << "Label61"
                             << "Online Lunavale Discussion Board. Best Resource For "
                                "Everything Lunavale. Visit "
                             << QColor(Qt::white) << true << centred;
    QTest::newRow("lblCobrand")
        << "lblCobrand"
        << "Co-brand this software for your site.  Increase loyalty and traffic to your site. "
           "Put your site's name &  link here. See \"Help\" for details.    Click Here for more "
           "info on co-branding."
        << blue << true << centred;
    QTest::newRow("lblFullBrand")
        << "lblFullBrand"
        << "Home Business Opportunity. Start your own Internet business and make money online. "
           "Get this software fully branded for your website. Click here for more details."
        << blue << true << centred;
    QTest::newRow("lblForum") << "lblForum" << "Visit Aquarius Discussion Forum Now" << blue
                              << false << left;
    QTest::newRow("lblAstrology") << "lblAstrology"
                                  << "Visit Latest Updated Information of Aquarius @ " << blue
                                  << false << left;
    QTest::newRow("lblDaily") << "lblDaily" << "Click Here to see Daily Aquarius Horoscope"
                              << blue << false << centred;
}

void TestFrmMainCommands::linkLabels_lookAsWritten()
{
    QFETCH(QString, label);
    QFETCH(QString, captionStart);
    QFETCH(QColor, color);
    QFETCH(bool, boldUnderlined);
    QFETCH(int, horizontal);
    showUpdatePage();
    auto *link = findControl<LinkLabel>(m_window, label);
    QVERIFY(link);

    QVERIFY2(link->text().startsWith(captionStart), qPrintable(link->text()));
    QCOMPARE(link->accessibleName(), link->text());
    QCOMPARE(link->palette().color(QPalette::WindowText), color);
    QCOMPARE(link->font().bold(), boldUnderlined);
    QCOMPARE(link->font().underline(), boldUnderlined);
    QCOMPARE(link->font().pointSizeF(), 8.25);
    QCOMPARE(int(link->alignment() & Qt::AlignHorizontal_Mask), horizontal);
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    // The two display addresses end the captions that carry one.
    if (label == QLatin1String("Label61") || label == QLatin1String("lblAstrology")) {
        const QString address = link->text().mid(captionStart.size());
        QVERIFY2(address.contains(QLatin1Char('.')) && !address.contains(QLatin1Char(' ')),
                 qPrintable(link->text()));
    }
}

void TestFrmMainCommands::updatePage_textsHaveTheirLength()
{
    showUpdatePage();
    const QString info = child<QLabel>("lblUpdateInfo")->text();
    const QString daily = child<QLabel>("lblDailyHoroscope")->text();
    QVERIFY2(info.size() >= 135 && info.size() <= 165, qPrintable(QString::number(info.size())));
    QVERIFY2(daily.size() >= 260 && daily.size() <= 320, qPrintable(QString::number(daily.size())));

    // Both fit their labels without being cut off.
    for (QLabel *text : {child<QLabel>("lblUpdateInfo"), child<QLabel>("lblDailyHoroscope")}) {
        const QRect needed = text->fontMetrics().boundingRect(
            text->contentsRect(), Qt::TextWordWrap | int(text->alignment()), text->text());
        QVERIFY2(needed.height() <= text->contentsRect().height(),
                 qPrintable(text->objectName()));
    }
}

void TestFrmMainCommands::linkLabels_reachedWithTabAndFollowedWithEnterOrSpace()
{
    showUpdatePage();
    QWidget *start = child<QListWidget>("lstOptions");
    start->setFocus(Qt::TabFocusReason);
    QList<QWidget *> visited;
    for (int i = 0; i < 40 && !visited.contains(QApplication::focusWidget()); ++i) {
        visited << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (const char *name : {"Label61", "lblForum", "lblAstrology", "lblDaily", "lblCobrand"})
        QVERIFY2(visited.contains(child<LinkLabel>(name)), name);
    QVERIFY(!visited.contains(child<LinkLabel>("lblFullBrand")));

    auto *forum = child<LinkLabel>("lblForum");
    forum->setFocus(Qt::TabFocusReason);
    QTest::keyClick(forum, Qt::Key_Return);
    QTest::keyClick(forum, Qt::Key_Space);
    QTest::keyClick(forum, Qt::Key_Enter);
    const QString page = atRoot("/aquarius_-_january_20_-_february_18");
    QCOMPARE(m_world->opened, (QStringList{page, page, page}));
}

void TestFrmMainCommands::linkLabels_areLinksToScreenReaders()
{
    showUpdatePage();
    auto *daily = child<LinkLabel>("lblDaily");
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(daily);
    QVERIFY(reader);
    QCOMPARE(reader->role(), QAccessible::Link);
    QCOMPARE(reader->text(QAccessible::Name), daily->text());
    QAccessibleActionInterface *actions = reader->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_world->opened, QStringList{atRoot("/aquarius_-_daily_horoscope")});
}

void TestFrmMainCommands::offerBehind_takesNoClickAndNoFocus()
{
    LinkLabel *coBrand = findControl<LinkLabel>(m_window, "lblCobrand");
    LinkLabel *fullBrand = findControl<LinkLabel>(m_window, "lblFullBrand");
    QCOMPARE(coBrand->geometry(), fullBrand->geometry());

    // The co-brand offer starts in front.
    clickThroughWindow(coBrand);
    QCOMPARE(m_world->opened, QStringList{keyed("co-brand")});
    QCOMPARE(fullBrand->focusPolicy(), Qt::NoFocus);

    coBrand->setFocus(Qt::TabFocusReason);
    fullBrand->bringToFront();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(fullBrand));
    QCOMPARE(coBrand->focusPolicy(), Qt::NoFocus);
    QCOMPARE(fullBrand->focusPolicy(), Qt::TabFocus);
    m_world->opened.clear();
    clickThroughWindow(fullBrand);
    QCOMPARE(m_world->opened, QStringList{keyed("fully-branded")});

    // A plain raise works the same way.
    coBrand->raise();
    m_world->opened.clear();
    clickThroughWindow(fullBrand);
    QCOMPARE(m_world->opened, QStringList{keyed("co-brand")});
    QVERIFY(!fullBrand->isVisible());
    QCOMPARE(fullBrand->focusPolicy(), Qt::NoFocus);
}

void TestFrmMainCommands::focusMark_doesNotMoveTheText()
{
    auto *label61 = child<LinkLabel>("Label61");
    const QRect before = label61->contentsRect();
    const QImage unfocused = label61->grab().toImage();

    label61->setFocus(Qt::TabFocusReason);
    QVERIFY(label61->hasFocus());
    QCOMPARE(label61->contentsRect(), before);
    const QImage focused = label61->grab().toImage();
    QVERIFY(focused != unfocused);

    child<QListWidget>("lstOptions")->setFocus(Qt::TabFocusReason);
    QCOMPARE(label61->grab().toImage(), unfocused);
}

void TestFrmMainCommands::showEntry_showsAndRestoresTheWindow()
{
    m_window->showMinimized();
    action("mnuShow")->trigger();
    QVERIFY(m_window->isVisible());
    QVERIFY(!(m_window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)));

    m_window->setWindowState(Qt::WindowMaximized);
    action("mnuShow")->trigger();
    QVERIFY(!(m_window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)));

    m_window->hide();
    action("mnuShow")->trigger();
    QVERIFY(m_window->isVisible());
    QVERIFY(m_world->opened.isEmpty());
}

void TestFrmMainCommands::withAboutBox(const std::function<void(frmAbout *)> &whileOpen)
{
    bool ran = false;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        if (ran || !about || !about->isVisible())
            return;
        ran = true;
        poll.stop();
        whileOpen(about);
    });
    // Never hang: a box still open after five seconds is closed and the case fails.
    QTimer::singleShot(5000, this, [] {
        if (auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget()))
            about->reject();
    });
    poll.start();
    QElapsedTimer clock;
    clock.start();
    action("mnuAbout")->trigger();
    QVERIFY(ran);
    QVERIFY2(clock.elapsed() < 5000, "the about box did not close");
}

void TestFrmMainCommands::aboutEntry_showsTheAboutBoxModally()
{
    QPointer<frmAbout> first;
    withAboutBox([&](frmAbout *about) {
        first = about;
        QCOMPARE(about->parentWidget(), static_cast<QWidget *>(m_window));
        QVERIFY(about->isModal());
        QVERIFY(namesOf(loadedForms()).contains(QStringLiteral("frmAbout")));
        // The main window takes no input while the box is open.
        clickThroughWindow(child<LinkLabel>("Label61"));
        QVERIFY(m_world->opened.isEmpty());
        QTest::keyClick(about, Qt::Key_Escape);
    });
    QVERIFY(!first);
    QVERIFY(!namesOf(loadedForms()).contains(QStringLiteral("frmAbout")));

    withAboutBox([&](frmAbout *about) {
        QVERIFY(about->isVisible());
        QTest::keyClick(about, Qt::Key_Return);
    });
    QVERIFY(!namesOf(loadedForms()).contains(QStringLiteral("frmAbout")));

    // After it closes the main window works again.
    clickThroughWindow(child<LinkLabel>("Label61"));
    QCOMPARE(m_world->opened, QStringList{keyed("home-page")});
}

void TestFrmMainCommands::window_fixedClientAreaBelowTheMenuBarCentredOnScreen()
{
    QWidget *client = m_window->centralWidget();
    QCOMPARE(client->size(), QSize(571, 453));
    QCOMPARE(client->y(), m_window->menuBar()->geometry().bottom() + 1);
    QCOMPARE(m_window->height(), m_window->menuBar()->height() + 453);
    QCOMPARE(m_window->width(), 571);
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());

    // Centred before the window system adds its frame, so allow for the frame.
    const QPoint off = offCentre(m_window->frameGeometry(), m_window->screen());
    const QSize frame = m_window->frameGeometry().size() - m_window->size();
    QVERIFY2(qAbs(off.x()) <= frame.width() + 1 && qAbs(off.y()) <= frame.height() + 1,
             pointText(off));
}

QTEST_MAIN(TestFrmMainCommands)
#include "tst_frmmain_commands.moc"
