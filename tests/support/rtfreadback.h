// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

#include <optional>
#include <type_traits>

// What independent readers make of a saved report, character by character.
namespace readback {

// One character as a reader shows it.
struct Shown {
    QChar character;
    bool bold = false;
    QString colour; // #rrggbb

    bool operator==(const Shown &) const = default;
};

inline char *toString(const Shown &shown)
{
    return QTest::toString(QStringLiteral("U+%1 %2%3")
                               .arg(shown.character.unicode(), 4, 16, QLatin1Char('0'))
                               .arg(shown.colour, QLatin1String(shown.bold ? " bold" : "")));
}

// A document read back: per paragraph, each character as shown. A line break inside a
// paragraph is U+2028.
using Paragraphs = QList<QList<Shown>>;

inline QString describe(const Paragraphs &paragraphs)
{
    QStringList lines;
    for (const QList<Shown> &paragraph : paragraphs) {
        QString line;
        for (const Shown &c : paragraph)
            line += QStringLiteral("%1%2%3 ").arg(c.character.unicode(), 0, 16)
                        .arg(c.bold ? QStringLiteral("b") : QString(), c.colour);
        lines << line;
    }
    return lines.join(QLatin1String("\n"));
}

// The character look of the styles in a flat ODF file, by style name.
struct OdfLook {
    std::optional<bool> bold;
    std::optional<QString> colour;
    QString parent;
};

// Walks LibreOffice's flat ODF: text:p for paragraphs, text:span for runs, with the
// weight and colour of their automatic styles (or the paragraph's).
inline Paragraphs readFlatOdt(const QByteArray &xml)
{
    QHash<QString, OdfLook> looks;
    Paragraphs paragraphs;
    QXmlStreamReader reader(xml);
    QString currentStyle;
    QStringList spans;
    bool inParagraph = false;
    // The innermost span that says, else its parent styles, else the paragraph's.
    auto lookOf = [&](auto member) {
        for (qsizetype i = spans.size() - 1; i >= 0; --i) {
            for (QString name = spans[i]; looks.contains(name); name = looks[name].parent) {
                if ((looks[name].*member).has_value())
                    return *(looks[name].*member);
            }
        }
        return std::remove_cvref_t<decltype(*(looks[QString()].*member))>();
    };
    auto add = [&](QChar c) {
        paragraphs.last().append({c, lookOf(&OdfLook::bold), lookOf(&OdfLook::colour)});
    };
    while (!reader.atEnd()) {
        reader.readNext();
        const QStringView name = reader.qualifiedName();
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.isStartElement()) {
            if (name == u"style:style") {
                currentStyle = attributes.value(QLatin1String("style:name")).toString();
                looks[currentStyle].parent =
                    attributes.value(QLatin1String("style:parent-style-name")).toString();
            } else if (name == u"style:text-properties" && !currentStyle.isEmpty()) {
                OdfLook &look = looks[currentStyle];
                if (attributes.hasAttribute(QLatin1String("fo:font-weight"))) {
                    const QStringView weight = attributes.value(QLatin1String("fo:font-weight"));
                    look.bold = weight == u"bold" || weight.toInt() >= 600;
                }
                if (attributes.hasAttribute(QLatin1String("fo:color")))
                    look.colour = attributes.value(QLatin1String("fo:color")).toString().toLower();
            } else if (name == u"text:p" || name == u"text:h") {
                paragraphs.append(QList<Shown>());
                spans = QStringList{attributes.value(QLatin1String("text:style-name")).toString()};
                inParagraph = true;
            } else if (inParagraph && name == u"text:span") {
                spans.append(attributes.value(QLatin1String("text:style-name")).toString());
            } else if (inParagraph && name == u"text:s") {
                const int count = qMax(1, attributes.value(QLatin1String("text:c")).toInt());
                for (int i = 0; i < count; ++i)
                    add(QLatin1Char(' '));
            } else if (inParagraph && name == u"text:tab") {
                add(QLatin1Char('\t'));
            } else if (inParagraph && name == u"text:line-break") {
                add(QChar(0x2028));
            }
        } else if (reader.isEndElement()) {
            if (name == u"style:style")
                currentStyle.clear();
            else if (name == u"text:p" || name == u"text:h")
                inParagraph = false;
            else if (inParagraph && name == u"text:span")
                spans.removeLast();
        } else if (reader.isCharacters() && inParagraph) {
            for (const QChar c : reader.text())
                add(c);
        }
    }
    if (reader.hasError())
        return {};
    return paragraphs;
}

// The LibreOffice program, empty when it is not installed.
inline QString libreOffice()
{
    for (const char *name : {"soffice", "libreoffice"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

// Converts the files to flat ODF in outDir with one run of LibreOffice (starting it costs
// seconds, reading a file little), with a profile of its own in profileDir. Nothing on
// success, else what LibreOffice said.
inline std::optional<QString> convertToFlatOdt(const QStringList &files, const QString &outDir,
                                               const QString &profileDir)
{
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.start(libreOffice(),
                  QStringList{QStringLiteral("-env:UserInstallation=")
                                  + QUrl::fromLocalFile(profileDir).toString(),
                              QStringLiteral("--headless"), QStringLiteral("--norestore"),
                              QStringLiteral("--convert-to"), QStringLiteral("fodt"),
                              QStringLiteral("--outdir"), outDir}
                      + files);
    if (!soffice.waitForFinished(240000))
        return QStringLiteral("LibreOffice did not finish");
    if (soffice.exitStatus() != QProcess::NormalExit || soffice.exitCode() != 0)
        return QString::fromLocal8Bit(soffice.readAll());
    return std::nullopt;
}

} // namespace readback
