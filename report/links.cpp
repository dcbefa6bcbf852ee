// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/links.h"

#include <array>

namespace links {
namespace {

constexpr std::array<QLatin1StringView, 4> Schemes{
    QLatin1StringView("http://"), QLatin1StringView("https://"), QLatin1StringView("ftp://"),
    QLatin1StringView("mailto:")};
constexpr QLatin1StringView WwwPrefix("www.");

// The prefix that starts an address at this point of the text, if any.
qsizetype prefixAt(QStringView text, qsizetype at)
{
    const QStringView rest = text.mid(at);
    for (QLatin1StringView scheme : Schemes) {
        if (rest.startsWith(scheme, Qt::CaseInsensitive))
            return scheme.size();
    }
    return rest.startsWith(WwwPrefix, Qt::CaseInsensitive) ? WwwPrefix.size() : 0;
}

bool startsWord(QStringView text, qsizetype at)
{
    if (at == 0)
        return true;
    const QChar before = text[at - 1];
    return !before.isLetterOrNumber() && before != QLatin1Char('.')
           && before != QLatin1Char('@') && before != QLatin1Char('_');
}

bool endsAddress(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control || c == QLatin1Char('"')
           || c == QLatin1Char('<') || c == QLatin1Char('>');
}

// Punctuation that closes the sentence around an address rather than the address.
qsizetype withoutTrailingPunctuation(QStringView address)
{
    qsizetype end = address.size();
    while (end > 0) {
        const QChar c = address[end - 1];
        if (QStringView(u".,;:!?'").contains(c)) {
            --end;
        } else if (c == QLatin1Char(')') && !address.first(end).contains(QLatin1Char('('))) {
            --end;
        } else {
            break;
        }
    }
    return end;
}

} // namespace

QList<WebAddress> FindWebAddresses(QStringView text)
{
    QList<WebAddress> found;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype prefix = startsWord(text, at) ? prefixAt(text, at) : 0;
        if (prefix == 0) {
            ++at;
            continue;
        }
        qsizetype end = at + prefix;
        while (end < text.size() && !endsAddress(text[end]))
            ++end;
        const qsizetype length = withoutTrailingPunctuation(text.sliced(at, end - at));
        // A bare prefix is not an address.
        if (length > prefix)
            found.append({at, length});
        at = end;
    }
    return found;
}

std::optional<QString> OpenableAddress(QStringView linkText)
{
    QStringView text = linkText.first(qMin(linkText.size(), MaxLinkLength));
    // Never leave half of a character behind.
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    for (QLatin1StringView scheme : Schemes) {
        if (text.startsWith(scheme, Qt::CaseInsensitive) && text.size() > scheme.size())
            return text.toString();
    }
    if (text.startsWith(WwwPrefix, Qt::CaseInsensitive) && text.size() > WwwPrefix.size())
        return QStringLiteral("http://") + text.toString();
    return std::nullopt;
}

} // namespace links
