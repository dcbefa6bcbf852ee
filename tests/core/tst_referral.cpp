// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/recordingplatform.h"
#include "web/pages.h"
#include "web/referral.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using namespace modTellAFriend;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// Entries that pass every check.
Entries valid()
{
    return {s("Ann Smith"), s("ann@example.org"), s("Try this"), s("Bob Jones"),
            s("bob@example.net")};
}

Entries untouched()
{
    return {s(HintYourName), s(HintYourEmail), s(InitialMessage), s(HintFriendName),
            s(HintFriendEmail)};
}

QString referralPage()
{
    return modHelp::ServerBaseAddress() + s("/starfold/ssd.php?page=lbls-refer-a-friend");
}

} // namespace

Q_DECLARE_METATYPE(modTellAFriend::Entries)

class TestReferral : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void submission_reportsFirstFailingCheckOnly_data();
    void submission_reportsFirstFailingCheckOnly();
    void storedEntries_checkedInOrder_data();
    void storedEntries_checkedInOrder();
    void messages_areCriticalWithOk();

    void untouchedMessage_passesAndIsSent();
    void entries_loseEdgeSpacesOnly();
    void awkwardEntries_areEncodedEachInItsOwnField();
    void encodedAddress_survivesHandOverToDesktop();
    void resubmitting_opensPageAgain();
    void tooLongAddress_isNotOpenedAndTheUserIsTold_data();
    void tooLongAddress_isNotOpenedAndTheUserIsTold();

    void spaceKey_refusedInEmailFields();
    void focus_hintComesAndGoes_data();
    void focus_hintComesAndGoes();

private:
    RecordingPlatform m_world;
};

void TestReferral::init()
{
    m_world.messages.clear();
    m_world.opened.clear();
}

void TestReferral::submission_reportsFirstFailingCheckOnly_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QString>("message");

    const QString proper = s("Please Enter Proper Email Address");

    QTest::newRow("both e-mails still hints") << untouched() << proper;

    Entries same = valid();
    same.friendEmail = same.yourEmail;
    QTest::newRow("same address") << same << s("Please Enter Distinct Email Addresses");

    Entries sameAfterTrim = valid();
    sameAfterTrim.friendEmail = s("  ") + sameAfterTrim.yourEmail + s(" ");
    QTest::newRow("same address after trimming")
        << sameAfterTrim << s("Please Enter Distinct Email Addresses");

    Entries sameBothBlank = valid();
    sameBothBlank.yourEmail = s(" ");
    sameBothBlank.friendEmail = QString();
    QTest::newRow("both blank") << sameBothBlank << s("Please Enter Distinct Email Addresses");

    Entries noAt = valid();
    noAt.friendEmail = s("bob.example.net");
    QTest::newRow("friend's address has no @") << noAt << proper;

    Entries noDot = valid();
    noDot.yourEmail = s("ann@localhost");
    QTest::newRow("own address has @ but no dot") << noDot << proper;

    Entries nameHint = valid();
    nameHint.yourName = s(HintYourName);
    QTest::newRow("name still hint") << nameHint << s("Please Enter Your Name");

    Entries nameBlank = valid();
    nameBlank.yourName = s("   ");
    QTest::newRow("name all spaces") << nameBlank << s("Please Enter Your Name");

    Entries messageHint = valid();
    messageHint.yourMessage = s(" Your Message ");
    QTest::newRow("message is bare hint") << messageHint << s("Please Enter Your Message");

    Entries friendHint = valid();
    friendHint.friendName = s(HintFriendName);
    QTest::newRow("friend's name still hint")
        << friendHint << s("Please Enter Your Friend's Name");

    Entries nameAndFriend = valid();
    nameAndFriend.yourName = QString();
    nameAndFriend.friendName = QString();
    QTest::newRow("name wins over friend's name") << nameAndFriend << s("Please Enter Your Name");

    Entries addressAndName = untouched();
    addressAndName.yourEmail = s("x@y.z");
    QTest::newRow("address checks come before the name")
        << addressAndName << proper;
}

void TestReferral::submission_reportsFirstFailingCheckOnly()
{
    QFETCH(Entries, entries);
    QFETCH(QString, message);

    SubmitEntries(entries);

    QCOMPARE(m_world.messages.size(), 1);
    QCOMPARE(m_world.messages.first().text, message);
    QVERIFY(m_world.opened.isEmpty());
}

void TestReferral::storedEntries_checkedInOrder_data()
{
    QTest::addColumn<int>("blank");
    QTest::addColumn<bool>("asHint");
    QTest::addColumn<QString>("message");

    const char *messages[] = {"Please Enter Your Name", "Please Enter Your Email",
                              "Please Enter Your Message", "Please Enter Your Friend's Name",
                              "Please Enter Your Friend's Email"};
    for (int i = 0; i < 5; ++i) {
        QTest::addRow("%d blank", i) << i << false << s(messages[i]);
        QTest::addRow("%d hint", i) << i << true << s(messages[i]);
    }
}

// The e-mail hints can never reach these checks through the button (they fail the
// address checks first), so the stored values are set directly.
void TestReferral::storedEntries_checkedInOrder()
{
    QFETCH(int, blank);
    QFETCH(bool, asHint);
    QFETCH(QString, message);

    QString *values[] = {&strYourName, &strYourEmail, &strYourMessage, &strFriendName,
                         &strFriendEmail};
    const char *hints[] = {HintYourName, HintYourEmail, HintYourMessage, HintFriendName,
                           HintFriendEmail};
    const Entries ok = valid();
    const QString fill[] = {ok.yourName, ok.yourEmail, ok.yourMessage, ok.friendName,
                            ok.friendEmail};
    for (int i = 0; i < 5; ++i)
        *values[i] = fill[i];
    // Later fields are blank too: the earliest failing one must be the one reported.
    for (int i = blank; i < 5; ++i)
        *values[i] = asHint ? s(hints[i]) : QString();

    SubmitReferral();

    QCOMPARE(m_world.messages.size(), 1);
    QCOMPARE(m_world.messages.first().text, message);
    QVERIFY(m_world.opened.isEmpty());
}

void TestReferral::messages_areCriticalWithOk()
{
    SubmitEntries(untouched());
    RefuseEmailKey(QLatin1Char(' '));

    QCOMPARE(m_world.messages.size(), 2);
    for (const auto &message : std::as_const(m_world.messages)) {
        QCOMPARE(message.icon, Platform::Icon::Critical);
        QCOMPARE(message.buttons, Platform::Buttons::Ok);
    }
}

void TestReferral::untouchedMessage_passesAndIsSent()
{
    Entries entries = valid();
    entries.yourMessage = s(InitialMessage);

    SubmitEntries(entries);

    QVERIFY(m_world.messages.isEmpty());
    QCOMPARE(m_world.opened.size(), 1);
    QVERIFY2(m_world.opened.first().contains(s("&taf3=Your%20Message%0D%0A&taf4=")),
             qPrintable(m_world.opened.first()));
    QCOMPARE(strYourMessage, s("Your Message\r\n"));
}

void TestReferral::entries_loseEdgeSpacesOnly()
{
    Entries entries = valid();
    entries.yourName = s("   Ann  Smith  ");
    entries.friendName = s("\tBob ");
    entries.yourEmail = s(" ann@example.org  ");

    SubmitEntries(entries);

    QCOMPARE(strYourName, s("Ann  Smith"));
    QCOMPARE(strFriendName, s("\tBob"));
    QCOMPARE(strYourEmail, s("ann@example.org"));
    QCOMPARE(m_world.opened.size(), 1);
    const QUrlQuery query(QUrl(m_world.opened.first()));
    QCOMPARE(query.queryItemValue(s("taf1"), QUrl::FullyDecoded), s("Ann  Smith"));
    QCOMPARE(query.queryItemValue(s("taf4"), QUrl::FullyDecoded), s("\tBob"));
}

void TestReferral::awkwardEntries_areEncodedEachInItsOwnField()
{
    const Entries entries{s("Tom & Jerry=Friends #1"), s("tom+cat@example.org"),
                          s("Hello,\r\nsee 100% of it?&taf5=evil@x.y"), s("Zoë Ødegård"),
                          s("zoe@example.net")};

    SubmitEntries(entries);

    QVERIFY(m_world.messages.isEmpty());
    QCOMPARE(m_world.opened.size(), 1);
    const QString expected =
        referralPage() + s("&taf1=Tom%20%26%20Jerry%3DFriends%20%231")
        + s("&taf2=tom%2Bcat%40example.org")
        + s("&taf3=Hello%2C%0D%0Asee%20100%25%20of%20it%3F%26taf5%3Devil%40x.y")
        + s("&taf4=Zo%C3%AB%20%C3%98deg%C3%A5rd") + s("&taf5=zoe%40example.net")
        + s("&taf6=") + modHelp::ProductHomeAddress();
    QCOMPARE(m_world.opened.first(), expected);
    QCOMPARE(strReferralUrl, expected);

    // What the server reads back is exactly what was typed, each in its own field.
    const QUrl url(m_world.opened.first());
    QVERIFY(!url.hasFragment());
    const QUrlQuery query(url);
    const auto items = query.queryItems(QUrl::FullyDecoded);
    QCOMPARE(items.size(), 7);
    const QStringList names{s("page"), s("taf1"), s("taf2"), s("taf3"),
                            s("taf4"), s("taf5"), s("taf6")};
    const QStringList values{s("lbls-refer-a-friend"), entries.yourName, entries.yourEmail,
                             entries.yourMessage, entries.friendName, entries.friendEmail,
                             modHelp::ProductHomeAddress()};
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items.at(i).first, names.at(i));
        QCOMPARE(items.at(i).second, values.at(i));
    }
}

void TestReferral::encodedAddress_survivesHandOverToDesktop()
{
    Entries entries = valid();
    entries.yourName = s("A & B = #1 ü");
    SubmitEntries(entries);

    QCOMPARE(m_world.opened.size(), 1);
    const QString address = m_world.opened.first();
    // The desktop receives the address through QUrl in tolerant mode.
    const QUrl url(address, QUrl::TolerantMode);
    QCOMPARE(url.toString(QUrl::FullyEncoded), address);
}

void TestReferral::resubmitting_opensPageAgain()
{
    SubmitEntries(valid());
    SubmitEntries(valid());

    QCOMPARE(m_world.opened.size(), 2);
    QCOMPARE(m_world.opened.at(0), m_world.opened.at(1));
}

void TestReferral::tooLongAddress_isNotOpenedAndTheUserIsTold_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<bool>("opened");

    // The message that makes the address exactly as long as can be opened.
    SubmitEntries(valid());
    const qsizetype room = MaxReferralAddressLength - strReferralUrl.size();
    Entries longest = valid();
    longest.yourMessage += QString(room, QLatin1Char('x'));
    QTest::newRow("as long as can be opened") << longest << true;
    Entries oneMore = longest;
    oneMore.yourMessage += QLatin1Char('x');
    QTest::newRow("one character more") << oneMore << false;

    // Each of these characters takes nine in the address.
    Entries wide = valid();
    wide.friendName = QString(MaxReferralAddressLength / 8, QChar(0x4e2d));
    QTest::newRow("short entry, long address") << wide << false;

    // A field cuts a paste at its limit: two cut addresses must not pass for the same one.
    Entries cut = valid();
    cut.yourEmail = QString(MaxEntryLength - 6, QLatin1Char('a')) + s("@x.org");
    cut.friendEmail = cut.yourEmail;
    QTest::newRow("entry as long as its field holds") << cut << false;
}

void TestReferral::tooLongAddress_isNotOpenedAndTheUserIsTold()
{
    QFETCH(Entries, entries);
    QFETCH(bool, opened);

    SubmitEntries(entries);

    QCOMPARE(m_world.opened.size(), opened ? 1 : 0);
    QCOMPARE(m_world.messages.size(), opened ? 0 : 1);
    if (opened) {
        QCOMPARE(m_world.opened.first().size(), MaxReferralAddressLength);
    } else {
        QCOMPARE(m_world.messages.first().text, s("Please Shorten Your Entries"));
        QCOMPARE(m_world.messages.first().icon, Platform::Icon::Critical);
    }
}

void TestReferral::spaceKey_refusedInEmailFields()
{
    QVERIFY(!RefuseEmailKey(QLatin1Char('a')));
    QVERIFY(!RefuseEmailKey(QLatin1Char('@')));
    QVERIFY(m_world.messages.isEmpty());

    QVERIFY(RefuseEmailKey(QLatin1Char(' ')));
    QCOMPARE(m_world.messages.size(), 1);
    QCOMPARE(m_world.messages.first().text, s("Email Address Cannot Contain Space"));
}

void TestReferral::focus_hintComesAndGoes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("onGotFocus");
    QTest::addColumn<QString>("onLostFocus");

    const QString name = s(HintYourName);
    const QString message = s(HintYourMessage);
    QTest::newRow("hint") << name << name << QString() << name;
    QTest::newRow("hint with edge spaces") << s("  Your Name ") << name << QString()
                                           << s("  Your Name ");
    QTest::newRow("hint in other case") << s("your name") << name << s("your name")
                                        << s("your name");
    QTest::newRow("blank") << QString() << name << QString() << name;
    QTest::newRow("all spaces") << s("    ") << name << s("    ") << name;
    QTest::newRow("tab is not blank") << s("\t") << name << s("\t") << s("\t");
    QTest::newRow("other text") << s(" Ann ") << name << s(" Ann ") << s(" Ann ");
    QTest::newRow("initial message") << s(InitialMessage) << message << s(InitialMessage)
                                     << s(InitialMessage);
    QTest::newRow("bare message hint") << message << message << QString() << message;
}

void TestReferral::focus_hintComesAndGoes()
{
    QFETCH(QString, text);
    QFETCH(QString, hint);
    QFETCH(QString, onGotFocus);
    QFETCH(QString, onLostFocus);

    QCOMPARE(TextOnGotFocus(text, hint), onGotFocus);
    QCOMPARE(TextOnLostFocus(text, hint), onLostFocus);
}

QTEST_GUILESS_MAIN(TestReferral)
#include "tst_referral.moc"
