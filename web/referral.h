// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Refer-a-friend: checks what the user typed and opens the maker's referral page with it.
// Nothing is sent by the program; the page does the rest.
namespace modTellAFriend {

// What each field shows while it is empty.
inline constexpr char HintYourName[] = "Your Name";
inline constexpr char HintYourEmail[] = "Your Email Address";
inline constexpr char HintYourMessage[] = "Your Message";
inline constexpr char HintFriendName[] = "Friend's Name";
inline constexpr char HintFriendEmail[] = "Friend's Email Address";
// The message field starts with its hint plus a line break, so an untouched message
// passes the checks and is sent as it stands.
inline constexpr char InitialMessage[] = "Your Message\r\n";

// The longest referral address handed to the desktop. Windows starts the browser with the
// address on its command line, which holds 32,767 characters with its closing NUL; about a
// quarter of that is left for the browser's own path and switches. (Linux takes one
// argument of up to 128 KiB, so the bound holds there too.)
inline constexpr qsizetype MaxReferralAddressLength = 24 * 1024;
// The most each of the five fields holds: enough for any e-mail address (254) and a few
// sentences. A typed character takes at most nine in the address (three UTF-8 bytes, each
// percent-encoded; a line break's CR LF takes six), so five full fields and the fixed
// part, even with a long server address, never pass MaxReferralAddressLength.
inline constexpr int MaxEntryLength = 500;
inline constexpr int MaxAddressCharsPerEntryChar = 9;

// The last submission, written by SubmitEntries and SubmitReferral.
extern QString strYourName;
extern QString strYourEmail;
extern QString strYourMessage;
extern QString strFriendName;
extern QString strFriendEmail;
extern QString strReferralUrl;

// The five texts as the form holds them, line breaks as CR LF.
struct Entries {
    QString yourName;
    QString yourEmail;
    QString yourMessage;
    QString friendName;
    QString friendEmail;
};

// The field a failed check is about, so the user can be taken straight to it.
enum class Field { None, YourName, YourEmail, YourMessage, FriendName, FriendEmail };

// The text without its leading and trailing spaces; tabs and line breaks stay.
QString TrimSpaces(const QString &text);

// What a field holds once it gains the focus: empty where it showed its hint.
QString TextOnGotFocus(const QString &text, const QString &hint);
// What a field holds once it loses the focus: its hint where it was left blank.
QString TextOnLostFocus(const QString &text, const QString &hint);

// A key typed into an e-mail field: a space is refused with a message. Returns true
// when the key is to be discarded.
bool RefuseEmailKey(QChar key);

// The Refer button: stores the trimmed entries, checks the two addresses, then
// submits. Each failed check shows its message and stops; the answer is the field it is
// about, Field::None once the entries passed.
Field SubmitEntries(const Entries &entries);
// Checks the stored entries, builds strReferralUrl and opens it. An address longer than
// MaxReferralAddressLength is dropped without a word, as a browser that will not start.
Field SubmitReferral();
void OpenReferralPage();

} // namespace modTellAFriend
