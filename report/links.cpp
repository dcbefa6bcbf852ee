// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/links.h"

#include <QUrl>

#include <array>
#include <cctype>

namespace links {
namespace {

constexpr std::array<QLatin1StringView, 4> Schemes{
    QLatin1StringView("http://"), QLatin1StringView("https://"), QLatin1StringView("ftp://"),
    QLatin1StringView("mailto:")};
constexpr QLatin1StringView WwwPrefix("www.");
constexpr QLatin1StringView MailtoScheme("mailto:");

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

// One candidate address: where it ends and where its first opening bracket lies, found in
// one pass, so that trimming it never looks back over it.
struct Candidate {
    qsizetype end = 0;
    qsizetype firstOpening = -1;
};

Candidate scanAddress(QStringView text, qsizetype from)
{
    Candidate c{from, -1};
    while (c.end < text.size() && !endsAddress(text[c.end])) {
        if (c.firstOpening < 0 && text[c.end] == QLatin1Char('('))
            c.firstOpening = c.end;
        ++c.end;
    }
    return c;
}

// Punctuation that closes the sentence around an address rather than the address; a
// closing bracket belongs to the address only when an opening one comes before it.
qsizetype withoutTrailingPunctuation(QStringView text, qsizetype start, const Candidate &c)
{
    qsizetype end = c.end;
    while (end > start) {
        const QChar ch = text[end - 1];
        const bool opened = c.firstOpening >= 0 && c.firstOpening < end;
        if (QStringView(u".,;:!?'").contains(ch) || (ch == QLatin1Char(')') && !opened))
            --end;
        else
            break;
    }
    return end;
}

// Mail programs honour fields that RFC 6068 leaves open ("attach", "attachment", "insert"
// and the like name files to send away), so only the fields of a plain message pass.
constexpr std::array<QLatin1StringView, 5> MailFields{
    QLatin1StringView("to"), QLatin1StringView("cc"), QLatin1StringView("bcc"),
    QLatin1StringView("subject"), QLatin1StringView("body")};

// Every "%" starts an escape of two hex digits; decoders read any other "%" each their own way
// (Qt's turns "%" and any two characters into a byte).
bool wellFormed(const QByteArray &bytes)
{
    for (qsizetype at = bytes.indexOf('%'); at >= 0; at = bytes.indexOf('%', at + 1)) {
        if (at + 2 >= bytes.size() || !std::isxdigit(uchar(bytes[at + 1]))
            || !std::isxdigit(uchar(bytes[at + 2])))
            return false;
    }
    return true;
}

// What a mail program may make of the text after it decodes it once more, and again; nothing
// when that is not clear.
std::optional<QString> fullyDecoded(QStringView text)
{
    QByteArray bytes = text.toUtf8();
    for (int round = 0; round < 8 && bytes.contains('%'); ++round) {
        if (!wellFormed(bytes))
            return std::nullopt;
        bytes = QByteArray::fromPercentEncoding(bytes);
    }
    return bytes.contains('%') ? std::nullopt : std::optional(QString::fromUtf8(bytes));
}

bool isMailField(QStringView name)
{
    const std::optional<QString> decoded = fullyDecoded(name);
    for (QLatin1StringView field : MailFields) {
        if (decoded && decoded->trimmed().compare(field, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// A value that, decoded, holds a "&" or ";", where some mail programs start another field.
bool hidesAField(QStringView value)
{
    const std::optional<QString> decoded = fullyDecoded(value);
    return !decoded || decoded->contains(u'&') || decoded->contains(u';');
}

QString withMailFieldsOnly(QStringView mailto)
{
    const qsizetype query = mailto.indexOf(QLatin1Char('?'));
    if (query < 0)
        return mailto.toString();
    QString kept = mailto.first(query).toString();
    QChar separator = QLatin1Char('?');
    for (QStringView field : mailto.sliced(query + 1).tokenize(QLatin1Char('&'))) {
        const qsizetype equals = field.indexOf(QLatin1Char('='));
        if (equals < 0 || !isMailField(field.first(equals))
            || hidesAField(field.sliced(equals + 1)))
            continue;
        kept += separator;
        kept += field;
        separator = QLatin1Char('&');
    }
    return kept;
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
        const Candidate candidate = scanAddress(text, at + prefix);
        const qsizetype length = withoutTrailingPunctuation(text, at, candidate) - at;
        // A bare prefix is not an address.
        if (length > prefix)
            found.append({at, length});
        at = candidate.end;
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
        if (!text.startsWith(scheme, Qt::CaseInsensitive) || text.size() <= scheme.size())
            continue;
        if (scheme == MailtoScheme)
            return withMailFieldsOnly(text);
        return text.toString();
    }
    if (text.startsWith(WwwPrefix, Qt::CaseInsensitive) && text.size() > WwwPrefix.size())
        return QStringLiteral("http://") + text.toString();
    return std::nullopt;
}

} // namespace links
