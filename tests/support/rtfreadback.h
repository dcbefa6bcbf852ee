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

// Per paragraph, each character as shown; a line break inside a paragraph is U+2028.
using Paragraphs = QList<QList<Shown>>;

// Walks LibreOffice's flat ODF: text:p for paragraphs, text:span for runs, each character
// taking its look from the innermost span (or the paragraph) whose style chain sets it.
inline Paragraphs readFlatOdt(const QByteArray &xml)
{
    struct Style {
        QString parent;
        QHash<QString, QString> text; // text properties by attribute name
    };
    QHash<QString, Style> styles;
    Paragraphs paragraphs;
    QStringList spans; // empty outside a paragraph
    QString style;
    auto look = [&](const QString &attribute) {
        for (qsizetype i = spans.size() - 1; i >= 0; --i) {
            for (QString name = spans[i]; styles.contains(name); name = styles[name].parent) {
                if (styles[name].text.contains(attribute))
                    return styles[name].text[attribute];
            }
        }
        return QString();
    };
    auto add = [&](QChar c) {
        const QString weight = look(QStringLiteral("fo:font-weight"));
        paragraphs.last().append({c, weight == u"bold" || weight.toInt() >= 600,
                                  look(QStringLiteral("fo:color")).toLower()});
    };
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        const QStringView name = reader.qualifiedName();
        const QXmlStreamAttributes attributes = reader.attributes();
        const QString styleName = attributes.value(QLatin1String("text:style-name")).toString();
        if (reader.isStartElement() && name == u"style:style") {
            style = attributes.value(QLatin1String("style:name")).toString();
            styles[style].parent =
                attributes.value(QLatin1String("style:parent-style-name")).toString();
        } else if (reader.isEndElement() && name == u"style:style") {
            style.clear();
        } else if (reader.isStartElement() && name == u"style:text-properties"
                   && !style.isEmpty()) {
            for (const QXmlStreamAttribute &a : attributes)
                styles[style].text[a.qualifiedName().toString()] = a.value().toString();
        } else if (reader.isStartElement() && (name == u"text:p" || name == u"text:h")) {
            paragraphs.append(QList<Shown>());
            spans = QStringList{styleName};
        } else if (spans.isEmpty()) {
            continue;
        } else if (reader.isStartElement() && name == u"text:span") {
            spans.append(styleName);
        } else if (reader.isStartElement() && name == u"text:s") {
            for (int i = qMax(1, attributes.value(QLatin1String("text:c")).toInt()); i > 0; --i)
                add(QLatin1Char(' '));
        } else if (reader.isStartElement() && name == u"text:tab") {
            add(QLatin1Char('\t'));
        } else if (reader.isStartElement() && name == u"text:line-break") {
            add(QChar(0x2028));
        } else if (reader.isEndElement() && (name == u"text:p" || name == u"text:h")) {
            spans.clear();
        } else if (reader.isEndElement() && name == u"text:span") {
            spans.removeLast();
        } else if (reader.isCharacters()) {
            for (const QChar c : reader.text())
                add(c);
        }
    }
    return reader.hasError() ? Paragraphs() : paragraphs;
}

// The LibreOffice program, empty when it is not installed.
inline QString libreOffice()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    return soffice.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("libreoffice"))
                             : soffice;
}

// Converts the files to flat ODF in outDir with one run of LibreOffice (starting it costs
// seconds, reading a file little), with a profile of its own in profileDir. Empty on
// success, else what LibreOffice said.
inline QString convertToFlatOdt(const QStringList &files, const QString &outDir,
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
    const bool ok = soffice.exitStatus() == QProcess::NormalExit && soffice.exitCode() == 0;
    return ok ? QString() : QString::fromLocal8Bit(soffice.readAll());
}

} // namespace readback
