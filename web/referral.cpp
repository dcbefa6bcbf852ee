// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/referral.h"

#include "base/buildconfig.h"
#include "base/platform.h"
#include "web/pages.h"

#include <QUrl>

#include <iterator>
#include <utility>

namespace modTellAFriend {

QString strYourName;
QString strYourEmail;
QString strYourMessage;
QString strFriendName;
QString strFriendEmail;
QString strReferralUrl;

namespace {

void complain(const char *message)
{
    platform().showMessage(QString::fromLatin1(message), Platform::Icon::Critical);
}

// Checks of the two addresses, in the order the user hears about them. Each is put to the
// user's own address first, then to the friend's; the first that fails is the one to mend.
struct AddressCheck {
    bool (*fails)(const QString &address, const QString &other);
    const char *message;
};

const AddressCheck AddressChecks[] = {
    {[](const QString &address, const QString &other) { return address == other; },
     "Please Enter Distinct Email Addresses"},
    {[](const QString &address, const QString &) { return !address.contains(QLatin1Char('@')); },
     "Please Enter Proper Email Address"},
    {[](const QString &address, const QString &) { return !address.contains(QLatin1Char('.')); },
     "Please Enter Proper Email Address"},
};

// Each stored entry must be neither blank nor its field's hint.
struct EntryCheck {
    const QString *value;
    const char *hint;
    const char *message;
    Field field;
};

const EntryCheck EntryChecks[] = {
    {&strYourName, HintYourName, "Please Enter Your Name", Field::YourName},
    {&strYourEmail, HintYourEmail, "Please Enter Your Email", Field::YourEmail},
    {&strYourMessage, HintYourMessage, "Please Enter Your Message", Field::YourMessage},
    {&strFriendName, HintFriendName, "Please Enter Your Friend's Name", Field::FriendName},
    {&strFriendEmail, HintFriendEmail, "Please Enter Your Friend's Email", Field::FriendEmail},
};

// The query fields of the referral page, in the order the page expects them.
const std::pair<const char *, const QString *> QueryFields[] = {
    {"&taf1=", &strYourName},   {"&taf2=", &strYourEmail},  {"&taf3=", &strYourMessage},
    {"&taf4=", &strFriendName}, {"&taf5=", &strFriendEmail},
};

// Inserted raw, a value holding "&", "=", "#", a space or a line break would cut the
// address short or forge the fields after it.
QString encoded(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

// Six query fields, the page key and the product's path take fewer than 100 characters
// besides the server address, which is there twice.
constexpr qsizetype LongestEntries =
    qsizetype(std::size(QueryFields)) * MaxAddressCharsPerEntryChar * MaxEntryLength;
static_assert(2 * qsizetype(sizeof STARFOLD_SERVER_BASE_ADDRESS) + 100 + LongestEntries
                  <= MaxReferralAddressLength,
              "full fields must make an address the desktop can open");

} // namespace

QString TrimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString TextOnGotFocus(const QString &text, const QString &hint)
{
    return TrimSpaces(text) == hint ? QString() : text;
}

QString TextOnLostFocus(const QString &text, const QString &hint)
{
    return TrimSpaces(text).isEmpty() ? hint : text;
}

bool RefuseEmailKey(QChar key)
{
    if (key != QLatin1Char(' '))
        return false;
    complain("Email Address Cannot Contain Space");
    return true;
}

Field SubmitEntries(const Entries &entries)
{
    strYourName = TrimSpaces(entries.yourName);
    strYourEmail = TrimSpaces(entries.yourEmail);
    strYourMessage = TrimSpaces(entries.yourMessage);
    strFriendName = TrimSpaces(entries.friendName);
    strFriendEmail = TrimSpaces(entries.friendEmail);

    for (const AddressCheck &check : AddressChecks) {
        const Field field = check.fails(strYourEmail, strFriendEmail)   ? Field::YourEmail
                            : check.fails(strFriendEmail, strYourEmail) ? Field::FriendEmail
                                                                        : Field::None;
        if (field != Field::None) {
            complain(check.message);
            return field;
        }
    }
    return SubmitReferral();
}

Field SubmitReferral()
{
    for (const EntryCheck &check : EntryChecks) {
        const QString value = TrimSpaces(*check.value);
        if (value.isEmpty() || value == QLatin1String(check.hint)) {
            complain(check.message);
            return check.field;
        }
    }

    strReferralUrl = modHelp::PageAddress(QStringLiteral("lbls-refer-a-friend"));
    for (const auto &[name, value] : QueryFields)
        strReferralUrl += QLatin1String(name) + encoded(*value);
    // Our own address, with nothing in it that a query must escape: it goes as it is.
    strReferralUrl += QLatin1String("&taf6=") + modHelp::ProductHomeAddress();

    // The fields keep it shorter; should it pass anyway, the desktop could not start the
    // browser with it, a failure the user is not told of.
    if (strReferralUrl.size() <= MaxReferralAddressLength)
        OpenReferralPage();
    return Field::None;
}

void OpenReferralPage()
{
    modHelp::OpenWebPage(strReferralUrl);
}

} // namespace modTellAFriend
