// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

// What a reader gets out of a printed PDF, to compare with what the report says.
namespace printcheck {

inline bool havePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text of the PDF in the order it was drawn; empty when pdftotext fails. (Raw order,
// since the default one joins a word broken after a hyphen and drops the hyphen.)
inline QString pdfText(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-enc"),
                                                  QStringLiteral("UTF-8"), path,
                                                  QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
        return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// The visible characters in order: line and page breaks depend on the paper, and the
// typesetter's ligatures (fi, ff) are read back as one character each.
inline QString inkOf(const QString &text)
{
    QString ink;
    for (const QChar c : text.normalized(QString::NormalizationForm_KC)) {
        if (!c.isSpace())
            ink += c;
    }
    return ink;
}

// Empty when the two are the same, else where they part.
inline QString difference(const QString &printed, const QString &expected)
{
    qsizetype at = 0;
    while (at < printed.size() && at < expected.size() && printed[at] == expected[at])
        ++at;
    if (at == printed.size() && at == expected.size())
        return {};
    return QStringLiteral("at %1 of %2/%3: printed \"%4\", expected \"%5\"")
        .arg(at)
        .arg(printed.size())
        .arg(expected.size())
        .arg(printed.mid(qMax<qsizetype>(0, at - 30), 60),
             expected.mid(qMax<qsizetype>(0, at - 30), 60));
}

} // namespace printcheck
