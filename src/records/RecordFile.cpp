// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordFile.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>

namespace veltrix {

namespace {

constexpr QChar Tab = u'\t';

// Windows-1252 bytes 80..9F; 0 marks the five bytes the code page leaves undefined, which
// Windows maps to the C1 control of the same number.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    if (c == GreekMu.unicode())
        return char(0xB5);
    for (size_t i = 0; i < Cp1252High.size(); ++i) {
        const char16_t mapped = Cp1252High[i] ? Cp1252High[i] : char16_t(0x80 + i);
        if (mapped == c)
            return char(0x80 + i);
    }
    return '?';
}

bool isBlank(QChar c)
{
    return c == u' ';
}

} // namespace

QString milliGaussUnit()
{
    return QStringLiteral("mG");
}

QString microTeslaUnit()
{
    return QString(GreekMu) + u'T';
}

QString recordHeaderLine()
{
    return QStringLiteral("No.s") + QStringLiteral("      Date") +
           QStringLiteral("           Time") + QStringLiteral("         Value") +
           QStringLiteral("   Unit") + QStringLiteral("     Hold") + QStringLiteral("    Peak    ");
}

QString recordHeaderText()
{
    return recordHeaderLine().trimmed();
}

bool isRecordHeader(QStringView item)
{
    static const QString header = recordHeaderText();
    return item == header;
}

QString sampleBody(const QDateTime& when, const QString& value, bool gauss, bool hold, bool peak)
{
    QString body = when.toString(QStringLiteral("yy/MM/dd"));
    body += Tab;
    body += when.toString(QStringLiteral("HH:mm:ss"));
    body += Tab;
    body += value;
    body += Tab;
    body += gauss ? milliGaussUnit() : microTeslaUnit();
    body += Tab;
    if (hold)
        body += u'H';
    body += Tab;
    if (peak)
        body += u'P';
    return body;
}

QString recordLine(int number, const QString& body)
{
    return QString::number(number) + Tab + body + Tab + QStringLiteral("\r\n");
}

QString tableLine(QStringView rowText, int columns)
{
    const QStringView cells = leadingCells(rowText, columns);
    const qsizetype parts = cells.count(Tab) + 1;
    return cells.toString() + QString(columns - parts + 1, Tab) + QStringLiteral("\r\n");
}

void appendTableLine(QByteArray& out, QStringView rowText, int columns)
{
    const QStringView cells = leadingCells(rowText, columns);
    const qsizetype parts = cells.count(Tab) + 1;
    appendRecordText(out, cells);
    out.append(columns - parts + 1, '\t');
    out.append("\r\n", 2);
}

QByteArray tableFileBytes(const QStringList& rowTexts, int columns)
{
    QByteArray bytes;
    if (rowTexts.isEmpty())
        return bytes;
    bytes += encodeRecordText(recordHeaderLine() + QStringLiteral("\r\n"));
    for (const QString& row : rowTexts)
        appendTableLine(bytes, row, columns);
    return bytes;
}

QByteArray encodeRecordText(QStringView text)
{
    QByteArray bytes;
    appendRecordText(bytes, text);
    return bytes;
}

void appendRecordText(QByteArray& out, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character outside the code page, one '?'
        out += encodeChar(c.unicode());
    }
}

QString decodeCp1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0 && Cp1252High[u - 0x80])
            *out++ = QChar(Cp1252High[u - 0x80]);
        else
            *out++ = QChar(u);
    }
    return text;
}

QString decodeRecordBytes(const QByteArray& bytes)
{
    const bool ascii = std::all_of(bytes.cbegin(), bytes.cend(),
                                   [](char b) { return static_cast<unsigned char>(b) < 0x80; });
    if (ascii)
        return QString::fromLatin1(bytes);
    QString text =
        QByteArrayView(bytes).isValidUtf8() ? QString::fromUtf8(bytes) : decodeCp1252(bytes);
    text.replace(MicroSign, GreekMu);
    return text;
}

QList<QStringView> splitRecordItemViews(QStringView text)
{
    QList<QStringView> items;
    items.reserve(text.count(u'\n') + 1);
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && isBlank(text[i]))
            ++i;
        const qsizetype start = i;
        while (i < n && text[i] != u'\r' && text[i] != u'\n' && text[i] != u',')
            ++i;
        qsizetype end = i;
        while (end > start && isBlank(text[end - 1]))
            --end;
        items << text.mid(start, end - start);
        if (i < n) {
            if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            ++i;
        }
    }
    return items;
}

QStringList splitRecordItems(QStringView text)
{
    QStringList items;
    const QList<QStringView> views = splitRecordItemViews(text);
    items.reserve(views.size());
    for (QStringView item : views)
        items << item.toString();
    return items;
}

RecordCells recordCells(QStringView row)
{
    // A plain loop: for rows of a few dozen characters it is faster than indexOf() (a quarter of
    // the survey figures' time went there), and every reader of every record comes here.
    RecordCells cells{};
    const qsizetype n = row.size();
    qsizetype start = 0;
    size_t c = 0;
    for (qsizetype i = 0; i <= n && c < cells.size(); ++i) {
        if (i == n || row[i] == Tab) {
            cells[c++] = row.mid(start, i - start);
            start = i + 1;
        }
    }
    return cells;
}

QStringView leadingCells(QStringView row, int columns)
{
    qsizetype pos = -1;
    for (int c = 0; c < columns; ++c) {
        pos = row.indexOf(Tab, pos + 1);
        if (pos < 0)
            return row;
    }
    return row.left(pos);
}

QStringList recordRows(const QByteArray& fileBytes)
{
    QStringList rows = splitRecordItems(decodeRecordBytes(fileBytes));
    rows.removeIf([](const QString& item) { return isRecordHeader(item); });
    return rows;
}

QString listingHeading1()
{
    return QStringLiteral("          Date       Time    Value Unit Hold Peak");
}

QString listingHeading2()
{
    return QStringLiteral("       ----------  -------- ------ ---- ---- ----");
}

QString listingLine(const QStringList& cells)
{
    static constexpr std::array<int, RecordFields> widths = {7, 12, 10, 7, 5, 5, 5};
    QString line;
    line.reserve(51);
    for (int c = 0; c < RecordFields; ++c) {
        const QString cell = c < cells.size() ? cells[c] : QString();
        line += cell;
        if (cell.size() < widths[size_t(c)])
            line += QString(widths[size_t(c)] - cell.size(), u' ');
    }
    return line;
}

QString listingLineFromRow(QStringView rowText)
{
    QStringList cells;
    for (QStringView cell : recordCells(rowText))
        cells << cell.toString();
    return listingLine(cells);
}

} // namespace veltrix
