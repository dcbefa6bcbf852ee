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

// The longest address that can be handed to the desktop: Linux passes no argument longer
// than 128 KiB (MAX_ARG_STRLEN, its closing NUL included) on to a program.
inline constexpr qsizetype MaxReferralAddressLength = 128 * 1024 - 1;
// The most a one-line field holds, Qt's own limit for a line edit. A paste beyond it is
// cut, so a field this full may hold less than the user gave it.
inline constexpr int MaxEntryLength = 32767;
// What the user hears when the entries make an address too long to open, or may have
// been cut short by their fields.
inline constexpr char EntriesTooLong[] = "Please Shorten Your Entries";

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
// submits. Each failed check shows its message and stops. A one-line entry as long as
// its field holds fails before all others: the field may have cut it short, and the
// other checks would judge the cut text (two cut addresses look the same).
void SubmitEntries(const Entries &entries);
// Checks the stored entries, builds strReferralUrl and opens it, unless it is longer
// than MaxReferralAddressLength.
void SubmitReferral();
void OpenReferralPage();

} // namespace modTellAFriend
