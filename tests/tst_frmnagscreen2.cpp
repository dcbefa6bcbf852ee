// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/forms.h"
#include "base/random.h"
#include "support/caption.h"
#include "support/everyuser.h"
#include "support/findcontrol.h"
#include "ui/artwork.h"
#include "support/recordingplatform.h"
#include "support/windowchecks.h"
#include "web/cobrand.h"
#include "web/frmnagscreen2.h"
#include "ui/linklabel.h"
#include "web/pages.h"
#include "web/referral.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}


} // namespace

class TestFrmNagScreen2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void load_showsTitleAndStartUpIcon();
    void load_picksSupportCaptionFromFreshSeed_data();
    void load_picksSupportCaptionFromFreshSeed();
    void captions_eachNameTheForumSite();
    void screen_staysOnTopWithoutOwner();

    void tab_visitsFieldsInFormOrder();
    void message_hiddenButReachableAndKeepsInitialText();
    void focus_hintLeavesAndReturns();
    void focus_leavingTheWindowIsNotLeavingTheField();
    void spaceKey_refusedInEmailFieldsOnly();
    void submit_untouchedForm_reportsAndLeavesFormAsItWas();
    void submit_typedEntries_opensEncodedAddress();
    void message_pasteCutAtItsBound();
    void field_announcedBeforeItsHintGoesAndTakenBackToByItsMessage_data();
    void field_announcedBeforeItsHintGoesAndTakenBackToByItsMessage();

    void check1_opensHomePageOncePerTickAndNeverStaysTicked();
    void goToHome_opensSoftwaresPage();

    void screen_clientAreaCentredOnTheScreen();
    void everyUser_namedWhateverShownReachableAndReadableOnDark();
    void everyPixelRatio_noTextCutShort();

private:
    template <typename T>
    T *control(const char *name) const
    {
        // Stops here rather than at the first use of a missing control.
        T *widget = findControl<T>(m_screen.get(), name);
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QString focusName() const
    {
        QWidget *focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    void focusBy(QWidget *widget);

    RecordingPlatform m_world;
    std::unique_ptr<frmNagScreen2> m_screen;
};

void TestFrmNagScreen2::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestFrmNagScreen2::init()
{
    m_world.messages.clear();
    m_world.opened.clear();
    m_screen = std::make_unique<frmNagScreen2>();
    m_screen->show();
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
}

void TestFrmNagScreen2::cleanup()
{
    // Deleted, not closed: closing ends the program, which is the exit sequence's test.
    m_screen.reset();
}

void TestFrmNagScreen2::cleanupTestCase()
{
    loadedForms() = FormList();
}

void TestFrmNagScreen2::focusBy(QWidget *widget)
{
    widget->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), widget);
    // The hint goes a turn of the event loop later.
    QCoreApplication::sendPostedEvents(m_screen.get());
}

void TestFrmNagScreen2::load_showsTitleAndStartUpIcon()
{
    QCOMPARE(m_screen->windowTitle(), programCaption());
    QCOMPARE(control<QLabel>("lblNagScreen2Caption")->text(), programCaption());
    // The start-up form's image list holds the same icon.
    const QIcon programIcon = artwork::programIcon();
    QCOMPARE(m_screen->windowIcon().cacheKey(), programIcon.cacheKey());
    QVERIFY(!control<QLabel>("picNagscreen2Icon")->pixmap().isNull());
    QCOMPARE(m_screen->size(), QSize(741, 315));
    QCOMPARE(m_screen->palette().color(QPalette::Window), QColor(Qt::white));
}

void TestFrmNagScreen2::load_picksSupportCaptionFromFreshSeed_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("index");

    // A seed for each caption: the screen seeds anew, then draws once.
    for (int wanted = 0; wanted < cobrand::SupportCaptionCount; ++wanted) {
        RandomSequence probe;
        for (quint32 seed = 1;; ++seed) {
            probe.seed(seed);
            if (cobrand::SupportCaptionIndex(probe.next()) == wanted) {
                QTest::addRow("caption %d", wanted) << seed << wanted;
                break;
            }
        }
    }
}

void TestFrmNagScreen2::load_picksSupportCaptionFromFreshSeed()
{
    QFETCH(quint32, seed);
    QFETCH(int, index);

    m_world.seed = seed;
    // Whatever the sequence held before, the screen starts it again from the clock.
    programRandom().seed(seed + 977);
    frmNagScreen2 screen;

    QCOMPARE(findControl<QLabel>(&screen, "Label2")->text(),
             frmNagScreen2::SupportCaptions().at(index));
}

void TestFrmNagScreen2::captions_eachNameTheForumSite()
{
    const QStringList &captions = frmNagScreen2::SupportCaptions();
    QCOMPARE(captions.size(), 4);
    for (const QString &caption : captions)
        QVERIFY2(caption.contains(modHelp::ForumSite()), qPrintable(caption));
    QCOMPARE(QSet<QString>(captions.begin(), captions.end()).size(), 4);
    QVERIFY(control<QCheckBox>("Check1")->text().contains(modHelp::ForumSite()));
    QCOMPARE(control<LinkLabel>("lblGoToHome")->text(),
             s("Click Here To Visit Lunavale Softwares"));
    // The second paragraph is pushed onto a line of its own by a run of spaces.
    QVERIFY(control<QLabel>("Label3")->text().contains(QString(61, QLatin1Char(' '))));
}

void TestFrmNagScreen2::screen_staysOnTopWithoutOwner()
{
    QVERIFY(!m_screen->parentWidget());
    QVERIFY(m_screen->isWindow());
    QVERIFY(m_screen->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!m_screen->isModal());
}

void TestFrmNagScreen2::tab_visitsFieldsInFormOrder()
{
    QCOMPARE(focusName(), s("cmdClose"));
    QStringList visited{focusName()};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, (QStringList{s("cmdClose"), s("txtName"), s("cmdSubmit"), s("txtEmail"),
                                   s("txtFriendEmail"), s("txtFriendName"), s("txtMessage")}));
    // Passing through leaves every untouched field showing its hint again.
    QCOMPARE(control<QLineEdit>("txtName")->text(), s("Your Name"));
    QCOMPARE(control<QLineEdit>("txtEmail")->text(), s("Your Email Address"));
    QCOMPARE(control<QLineEdit>("txtFriendEmail")->text(), s("Friend's Email Address"));
}

void TestFrmNagScreen2::message_hiddenButReachableAndKeepsInitialText()
{
    auto *frame = control<QGroupBox>("Frame2");
    auto *message = control<QPlainTextEdit>("txtMessage");
    QCOMPARE(message->parentWidget(), frame);
    QVERIFY(!frame->rect().intersects(message->geometry()));
    QCOMPARE(message->toPlainText(), s("Your Message\n"));

    focusBy(message);
    QCOMPARE(message->toPlainText(), s("Your Message\n"));
    focusBy(control<QLineEdit>("txtName"));
    QCOMPARE(message->toPlainText(), s("Your Message\n"));

    // Only the bare hint counts as untouched.
    message->setPlainText(s("Your Message"));
    focusBy(message);
    QCOMPARE(message->toPlainText(), QString());
    focusBy(control<QLineEdit>("txtName"));
    QCOMPARE(message->toPlainText(), s("Your Message"));
}

void TestFrmNagScreen2::focus_hintLeavesAndReturns()
{
    auto *name = control<QLineEdit>("txtName");
    auto *friendName = control<QLineEdit>("txtFriendName");

    focusBy(name);
    QCOMPARE(name->text(), QString());
    QTest::keyClicks(name, s("  "));
    focusBy(friendName);
    QCOMPARE(name->text(), s("Your Name"));
    QCOMPARE(friendName->text(), QString());

    focusBy(name);
    QTest::keyClicks(name, s("Ann"));
    focusBy(friendName);
    QCOMPARE(name->text(), s("Ann"));
    focusBy(name);
    QCOMPARE(name->text(), s("Ann"));
    QCOMPARE(friendName->text(), s("Friend's Name"));
}

void TestFrmNagScreen2::focus_leavingTheWindowIsNotLeavingTheField()
{
    auto *email = control<QLineEdit>("txtEmail");
    focusBy(email);
    QCOMPARE(email->text(), QString());

    // Another window (a browser, a message box) comes to the front and goes again.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(email->text(), QString());
    other.close();
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));

    QCOMPARE(QApplication::focusWidget(), email);
    QCOMPARE(email->text(), QString());
}

void TestFrmNagScreen2::spaceKey_refusedInEmailFieldsOnly()
{
    for (const char *field : {"txtEmail", "txtFriendEmail"}) {
        m_world.messages.clear();
        auto *box = control<QLineEdit>(field);
        focusBy(box);
        QTest::keyClicks(box, s("a b"));

        QCOMPARE(box->text(), s("ab"));
        QCOMPARE(m_world.messages.size(), 1);
        QCOMPARE(m_world.messages.first().text, s("Email Address Cannot Contain Space"));
        QCOMPARE(m_world.messages.first().icon, Platform::Icon::Critical);
        QCOMPARE(QApplication::focusWidget(), box);
    }

    m_world.messages.clear();
    auto *name = control<QLineEdit>("txtName");
    focusBy(name);
    QTest::keyClicks(name, s("Ann Smith"));
    QCOMPARE(name->text(), s("Ann Smith"));
    QVERIFY(m_world.messages.isEmpty());
}

void TestFrmNagScreen2::submit_untouchedForm_reportsAndLeavesFormAsItWas()
{
    const char *fields[] = {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail"};
    QStringList before;
    for (const char *field : fields)
        before << control<QLineEdit>(field)->text();

    QTest::mouseClick(control<QPushButton>("cmdSubmit"), Qt::LeftButton);

    QCOMPARE(m_world.messages.size(), 1);
    QCOMPARE(m_world.messages.first().text, s("Please Enter Proper Email Address"));
    QVERIFY(m_world.opened.isEmpty());
    QStringList after;
    for (const char *field : fields)
        after << control<QLineEdit>(field)->text();
    QCOMPARE(after, before);
    QCOMPARE(control<QPlainTextEdit>("txtMessage")->toPlainText(), s("Your Message\n"));
    QVERIFY(m_screen->isVisible());
}

void TestFrmNagScreen2::submit_typedEntries_opensEncodedAddress()
{
    const std::pair<const char *, const char *> typing[] = {
        {"txtName", " Tom & Jerry "},
        {"txtEmail", "tom@example.org"},
        {"txtFriendName", "Zoë #2"},
        {"txtFriendEmail", "zoe@example.net"},
    };
    for (const auto &[field, text] : typing) {
        auto *box = control<QLineEdit>(field);
        focusBy(box);
        // Typed key by key, letters beyond ASCII included.
        for (const QChar c : s(text))
            QTest::sendKeyEvent(QTest::Click, box, c == QLatin1Char(' ') ? Qt::Key_Space
                                                                         : Qt::Key_unknown,
                                QString(c), Qt::NoModifier);
    }
    // Spaces cannot be typed into the e-mail fields, but a name may hold them.
    QCOMPARE(control<QLineEdit>("txtName")->text(), s(" Tom & Jerry "));

    QTest::mouseClick(control<QPushButton>("cmdSubmit"), Qt::LeftButton);

    QVERIFY(m_world.messages.isEmpty());
    QCOMPARE(m_world.opened.size(), 1);
    const QString expected = modHelp::PageAddress(s("lbls-refer-a-friend"))
                             + s("&taf1=Tom%20%26%20Jerry&taf2=tom%40example.org")
                             + s("&taf3=Your%20Message%0D%0A&taf4=Zo%C3%AB%20%232")
                             + s("&taf5=zoe%40example.net&taf6=")
                             + modHelp::ProductHomeAddress();
    QCOMPARE(m_world.opened.first(), expected);
    // The screen stays, entries and all, for another go.
    QVERIFY(m_screen->isVisible());
    QCOMPARE(control<QLineEdit>("txtFriendName")->text(), s("Zoë #2"));
}

void TestFrmNagScreen2::message_pasteCutAtItsBound()
{
    auto *message = control<QPlainTextEdit>("txtMessage");
    focusBy(message);
    QApplication::clipboard()->setText(QString(2 * modTellAFriend::MaxEntryLength, u'x'));
    message->paste();
    QCOMPARE(message->toPlainText().size(), modTellAFriend::MaxEntryLength);
}

void TestFrmNagScreen2::field_announcedBeforeItsHintGoesAndTakenBackToByItsMessage_data()
{
    using namespace modTellAFriend;
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("entries"); // name, e-mail, message, friend's name and e-mail
    const QStringList fine{s("Ann"), s("ann@example.org"), s("Hi"), s("Zoe"), s("zoe@example.net")};
    auto with = [&](int i, const char *text) { QStringList e = fine; e[i] = s(text); return e; };
    QTest::newRow("name") << s("txtName") << with(0, HintYourName);
    QTest::newRow("e-mail") << s("txtEmail") << with(1, "ann.example.org");
    QTest::newRow("same e-mail") << s("txtEmail") << with(4, "ann@example.org");
    QTest::newRow("message") << s("txtMessage") << with(2, HintYourMessage);
    QTest::newRow("friend's name") << s("txtFriendName") << with(3, HintFriendName);
    QTest::newRow("friend's e-mail") << s("txtFriendEmail") << with(4, "zoe@localhost");
}

void TestFrmNagScreen2::field_announcedBeforeItsHintGoesAndTakenBackToByItsMessage()
{
    QFETCH(QString, field);
    QFETCH(QStringList, entries);
    QWidget *box = control<QWidget>(qPrintable(field));

    // Qt tells screen readers of the focus as the focus arrives; told of a text or caret
    // change first, Orca takes the field for focused already and never names it.
    QWidget *before = box->previousInFocusChain();
    while (!(before->focusPolicy() & Qt::TabFocus))
        before = before->previousInFocusChain();
    focusBy(before);
    const char *textProperty = box->inherits("QLineEdit") ? "text" : "plainText";
    const QVariant shown = box->property(textProperty);
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(box->property(textProperty), shown);

    // The user is taken to the field the message is about, its text selected to be typed over.
    const char *fields[] = {"txtName", "txtEmail", "txtMessage", "txtFriendName", "txtFriendEmail"};
    for (int i = 0; i < 5; ++i) {
        QWidget *entry = control<QWidget>(fields[i]);
        entry->setProperty(entry->inherits("QLineEdit") ? "text" : "plainText", entries[i]);
    }
    focusBy(control<QPushButton>("cmdClose"));
    control<QPushButton>("cmdSubmit")->click();
    QCOMPARE(m_world.messages.size(), 1);
    QCOMPARE(focusName(), field);
    if (auto *line = qobject_cast<QLineEdit *>(box))
        QCOMPARE(line->selectedText(), line->text());
    else
        QCOMPARE(control<QPlainTextEdit>("txtMessage")->textCursor().selectedText(), entries[2]);
}

void TestFrmNagScreen2::check1_opensHomePageOncePerTickAndNeverStaysTicked()
{
    auto *check = control<QCheckBox>("Check1");
    QCOMPARE(check->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(QAccessible::queryAccessibleInterface(check)->role(), QAccessible::Link);
    const QString home = modHelp::PageAddress(s("home-page"));

    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(10, check->height() / 2));
    QCOMPARE(m_world.opened, QStringList{home});
    QCOMPARE(check->checkState(), Qt::Unchecked);

    focusBy(check);
    QTest::keyClick(check, Qt::Key_Space);
    QCOMPARE(m_world.opened, (QStringList{home, home}));
    QCOMPARE(check->checkState(), Qt::Unchecked);

    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(10, check->height() / 2));
    QCOMPARE(m_world.opened.size(), 3);
    QCOMPARE(check->checkState(), Qt::Unchecked);
}

void TestFrmNagScreen2::goToHome_opensSoftwaresPage()
{
    auto *link = control<LinkLabel>("lblGoToHome");
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_world.opened, QStringList{modHelp::PageAddress(s("lunavalesoftwares"))});
    QVERIFY(m_screen->isVisible());
}

void TestFrmNagScreen2::screen_clientAreaCentredOnTheScreen()
{
    const QPoint off = offCentre(m_screen->geometry(), m_screen->screen());
    QVERIFY2(off.manhattanLength() <= 2, pointText(off));
}

void TestFrmNagScreen2::everyUser_namedWhateverShownReachableAndReadableOnDark()
{
    VERIFY_NO_FAULTS(everyuser::unnamedControls(m_screen.get()));
    QVERIFY(!everyuser::accessibleText(control<QLabel>("picNagscreen2Icon")).isEmpty());
    VERIFY_NO_FAULTS(everyuser::keyboardFaults(m_screen.get()));
    // The hint goes away on entry, the name stays.
    auto *friendEmail = control<QLineEdit>("txtFriendEmail");
    QCOMPARE(everyuser::accessibleText(friendEmail), s("Friend's e-mail address"));
    focusBy(friendEmail);
    QCOMPARE(friendEmail->text(), QString());
    QCOMPARE(everyuser::accessibleText(friendEmail), s("Friend's e-mail address"));

    const auto dark = everyuser::darkDesktop();
    VERIFY_NO_FAULTS(everyuser::unreadableTexts(m_screen.get()));
}

void TestFrmNagScreen2::everyPixelRatio_noTextCutShort()
{
    // Run at the pixel ratio of the screen; CTest runs this again at 1.5 and 2.
    VERIFY_NO_FAULTS(everyuser::clippedTexts(m_screen.get(), m_screen.get()->devicePixelRatioF()));
}

QTEST_MAIN(TestFrmNagScreen2)
#include "tst_frmnagscreen2.moc"
