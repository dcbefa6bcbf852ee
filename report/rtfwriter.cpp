// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/rtfwriter.h"

#include <cmath>

namespace rtf {
namespace {

// Windows-1252 bytes 0x80 to 0x9F, by the Unicode character each one stands for.
// The bytes 0xA0 to 0xFF are the Latin-1 characters of the same value.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int windows1252Byte(char16_t c)
{
    if (c >= 0xA0 && c <= 0xFF)
        return c;
    for (int i = 0; i < 32; ++i) {
        if (Cp1252High[i] != 0 && Cp1252High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

void appendHexByte(QByteArray &out, int byte)
{
    static constexpr char Hex[] = "0123456789abcdef";
    out += "\\'";
    out += Hex[(byte >> 4) & 0xF];
    out += Hex[byte & 0xF];
}

// \uN takes a signed 16-bit value; \uc1 makes readers skip one character after it. That
// character is written as \'3f rather than a plain "?": unrtf skips a whole word after a
// literal one, and \'3f reads the same in every reader.
void appendUnicode(QByteArray &out, char16_t c)
{
    out += "\\u";
    out += QByteArray::number(qint16(c));
    out += "\\'3f";
}

// Appends the text escaped. afterSpace says whether the text written last ended in a
// space, and is kept up to date.
void appendText(QByteArray &out, const QString &text, bool &afterSpace)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype written = out.size();
        const char16_t c = text[i].unicode();
        const bool space = c == u' ';
        if (space && afterSpace) {
            // LibreOffice reads two spaces in a row, plain or as \'20, as four characters
            // (each a six-per-em space and a space); a space of its own does not run on.
            appendUnicode(out, c);
        } else if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else if (c == u'\t') {
            out += "\\tab ";
        } else if (c == u'\n' || c == 0x2028) {
            out += "\\line ";
        } else if (c < 0x20 || c == 0x7F || c == 0xFFFC) {
            // Control characters and object placeholders have no text to show.
        } else if (const int byte = windows1252Byte(c); byte >= 0) {
            appendHexByte(out, byte);
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size()
                   && text[i + 1].isLowSurrogate()) {
            // Beyond the BMP: both halves of the pair, as UTF-16 has them.
            appendUnicode(out, c);
            appendUnicode(out, text[++i].unicode());
        } else if (QChar::isSurrogate(c)) {
            // Half a pair, as a paste can bring, is no character; readers lose the text
            // after it.
            appendUnicode(out, QChar::ReplacementCharacter);
        } else {
            appendUnicode(out, c);
        }
        // What writes nothing leaves the spaces either side of it in a row.
        if (out.size() != written)
            afterSpace = space;
    }
}

template<typename T>
int indexIn(QList<T> &table, const T &value)
{
    qsizetype i = table.indexOf(value);
    if (i < 0) {
        table.append(value);
        i = table.size() - 1;
    }
    return int(i);
}

class Writer
{
public:
    explicit Writer(const Document &document)
        : m_document(document)
    {
        for (const Paragraph &paragraph : document.paragraphs) {
            for (const Run &run : paragraph.runs) {
                indexIn(m_fonts, run.family);
                indexIn(m_colours, run.colour);
            }
        }
        if (m_fonts.isEmpty())
            m_fonts.append(QString());
    }

    QByteArray write()
    {
        m_out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
        writeFontTable();
        writeColourTable();
        m_out += "\r\n\\pard\\plain";
        const auto &paragraphs = m_document.paragraphs;
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            m_afterSpace = false;
            for (const Run &run : paragraphs[i].runs)
                writeRun(run);
            // One \par per line break: the last paragraph, empty or not, ends the document.
            if (i + 1 < paragraphs.size())
                m_out += "\\par\r\n";
        }
        // unrtf holds a \'hh back until the next control word, and without one before the
        // closing brace it shows the document's last character outside its formatting.
        m_out += "\\plain}\r\n";
        return std::move(m_out);
    }

private:
    void writeFontTable()
    {
        m_out += "{\\fonttbl";
        for (qsizetype i = 0; i < m_fonts.size(); ++i) {
            m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
            bool afterSpace = false;
            appendText(m_out, m_fonts[i], afterSpace);
            m_out += ";}";
        }
        m_out += '}';
    }

    void writeColourTable()
    {
        // Entry 0 is the reader's automatic colour; runs use the entries after it.
        m_out += "{\\colortbl ;";
        for (const Colour &c : std::as_const(m_colours)) {
            m_out += "\\red" + QByteArray::number(c.red) + "\\green" + QByteArray::number(c.green)
                     + "\\blue" + QByteArray::number(c.blue) + ';';
        }
        m_out += '}';
    }

    void writeRun(const Run &run)
    {
        if (run.text.isEmpty())
            return;
        const int font = int(m_fonts.indexOf(run.family));
        const int colour = int(m_colours.indexOf(run.colour)) + 1;
        const int halfPoints = int(std::lround(run.pointSize * 2));
        const qsizetype before = m_out.size();
        if (font != m_font)
            m_out += "\\f" + QByteArray::number(font);
        if (halfPoints != m_halfPoints)
            m_out += "\\fs" + QByteArray::number(halfPoints);
        if (run.bold != m_bold)
            m_out += run.bold ? "\\b" : "\\b0";
        if (colour != m_colour)
            m_out += "\\cf" + QByteArray::number(colour);
        // The space ends the last control word; the reader drops it.
        if (m_out.size() != before)
            m_out += ' ';
        m_font = font;
        m_halfPoints = halfPoints;
        m_bold = run.bold;
        m_colour = colour;
        appendText(m_out, run.text, m_afterSpace);
    }

    const Document &m_document;
    QList<QString> m_fonts;
    QList<Colour> m_colours;
    QByteArray m_out;
    // What is in force; \plain leaves font 0 at the reader's default size, regular, auto.
    int m_font = -1;
    int m_halfPoints = -1;
    bool m_bold = false;
    int m_colour = 0;
    // Whether the paragraph's text so far ends in a space.
    bool m_afterSpace = false;
};

} // namespace

QByteArray Write(const Document &document)
{
    return Writer(document).write();
}

} // namespace rtf
