// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace links {

// Where a web address lies in a piece of text.
struct WebAddress {
    qsizetype start = 0;
    qsizetype length = 0;

    bool operator==(const WebAddress &) const = default;
};

// The longest link text that is ever opened, in characters.
inline constexpr qsizetype MaxLinkLength = 1024;

// The web addresses in one line of text, in order: runs that begin with http://, https://,
// ftp://, mailto: or www. at the start of a word and end before white space, quotes or
// angle brackets, without trailing punctuation. Linear in the length of the text, whatever
// it holds.
QList<WebAddress> FindWebAddresses(QStringView text);

// What a link's text may open: itself when it names one of the web schemes, http:// in
// front of a www. name; clipped to MaxLinkLength first. Anything else (file:,
// javascript:, a custom scheme) is never opened, since the desktop could start a program
// named in it. A mailto: address loses the fields that would make a mail program attach
// a file.
std::optional<QString> OpenableAddress(QStringView linkText);

} // namespace links
