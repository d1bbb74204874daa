// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/CsvExport.h"

#include "records/RecordFile.h"
#include "records/RecordReader.h"
#include "ui/SaveFile.h"

#include <QObject>
#include <QSaveFile>

namespace veltrix {

namespace {

bool needsQuotes(QStringView text)
{
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

void appendField(QString& out, QStringView text)
{
    if (!needsQuotes(text)) {
        out += text;
        return;
    }
    out += u'"';
    for (const QChar c : text) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

bool twoDigits(QStringView s, qsizetype at)
{
    return at + 1 < s.size() && s[at].isDigit() && s[at + 1].isDigit() && s[at].unicode() < 128 &&
           s[at + 1].unicode() < 128;
}

bool recordDate(QStringView d)
{
    return d.size() == 8 && twoDigits(d, 0) && d[2] == u'/' && twoDigits(d, 3) && d[5] == u'/' &&
           twoDigits(d, 6);
}

// "yy/MM/dd" → "20yy-MM-dd"
bool isoDate(QStringView d, QString& out)
{
    if (!recordDate(d))
        return false;
    out += u"20";
    out += d.mid(0, 2);
    out += u'-';
    out += d.mid(3, 2);
    out += u'-';
    out += d.mid(6, 2);
    return true;
}

// "HH:mm:ss" or "HH:mm:ss.d..." → itself
bool isoTime(QStringView t)
{
    if (t.size() < 8 || !twoDigits(t, 0) || t[2] != u':' || !twoDigits(t, 3) || t[5] != u':' ||
        !twoDigits(t, 6))
        return false;
    if (t.size() == 8)
        return true;
    if (t[8] != u'.' || t.size() == 9)
        return false;
    for (qsizetype i = 9; i < t.size(); ++i) {
        if (!t[i].isDigit() || t[i].unicode() >= 128)
            return false;
    }
    return true;
}

void appendDateTime(QString& out, QStringView date, QStringView time)
{
    appendField(out, isoDateTime(date, time));
}

void appendUnit(QString& out, QStringView unit)
{
    appendField(out, csvUnit(unit));
}

// Why a record file cannot be converted.
QString refusalText(const RecordFileRead& file, const QString& path)
{
    switch (file.error) {
    case RecordFileRead::NotRegular:
        return QObject::tr("%1 is not a record file.").arg(path);
    case RecordFileRead::TooLarge:
        return QObject::tr("%1 is too large to be a record file.").arg(path);
    default:
        return QObject::tr("The record file %1 cannot be read: %2").arg(path, file.reason);
    }
}

} // namespace

QString csvHeaderLine()
{
    return QStringLiteral("No,DateTime,Value,Unit,Hold,Peak");
}

QString csvField(QStringView text)
{
    QString out;
    appendField(out, text);
    return out;
}

QString isoDateTime(QStringView date, QStringView time)
{
    date = date.trimmed();
    time = time.trimmed();
    QString out;
    out.reserve(24);
    if (isoTime(time) && isoDate(date, out)) {
        out += u'T';
        out += time;
        return out;
    }
    out = date.toString();
    if (!date.isEmpty() && !time.isEmpty())
        out += u' ';
    out += time;
    return out;
}

std::optional<RecordDateTime> recordDateTime(QStringView date, QStringView time)
{
    date = date.trimmed();
    time = time.trimmed();
    if (!isoTime(time) || !recordDate(date))
        return std::nullopt;
    const auto number = [](QStringView s, qsizetype at) {
        return (s[at].unicode() - u'0') * 10 + (s[at + 1].unicode() - u'0');
    };
    return RecordDateTime{2000 + number(date, 0),
                          number(date, 3),
                          number(date, 6),
                          number(time, 0),
                          number(time, 3),
                          number(time, 6),
                          time.mid(qMin<qsizetype>(9, time.size()))};
}

QString csvUnit(QStringView unit)
{
    // The live readings write microtesla with Greek mu, the downloaded sets as "uT".
    if (unit == u"uT")
        return QString(MicroSign) + u'T';
    QString out = unit.toString();
    out.replace(GreekMu, MicroSign);
    return out;
}

void appendCsvRow(QString& out, QStringView rowText)
{
    const RecordCells cells = recordCells(rowText);
    appendField(out, cells[0].trimmed());
    out += u',';
    appendDateTime(out, cells[1], cells[2]);
    out += u',';
    appendField(out, cells[3].trimmed());
    out += u',';
    appendUnit(out, cells[4].trimmed());
    out += u',';
    appendField(out, cells[5].trimmed());
    out += u',';
    appendField(out, cells[6].trimmed());
    out += QLatin1String("\r\n");
}

QStringList csvCells(QStringView rowText)
{
    QString line;
    appendCsvRow(line, rowText);
    return parseCsv(line).value(0);
}

QByteArray csvBytes(const QList<QStringView>& rowTexts)
{
    QString text;
    text.reserve(40 * (rowTexts.size() + 1));
    text += csvHeaderLine();
    text += QLatin1String("\r\n");
    for (QStringView row : rowTexts) {
        if (!row.trimmed().isEmpty())
            appendCsvRow(text, row);
    }
    return text.toUtf8();
}

bool writeCsvFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !ui::commitWhole(file)) {
        if (error)
            *error = QObject::tr("The CSV file %1 could not be written: %2")
                         .arg(path, file.errorString());
        return false;
    }
    return true;
}

std::optional<QByteArray> recordFileCsv(const QString& recordPath, qsizetype* records,
                                        QString* error)
{
    const RecordFileRead file = readRecordFile(recordPath);
    if (file.error != RecordFileRead::None) {
        if (error)
            *error = refusalText(file, recordPath);
        return std::nullopt;
    }
    const QString text = decodeRecordBytes(file.bytes);
    QList<QStringView> rows = splitRecordItemViews(text);
    rows.removeIf([](QStringView item) { return item.isEmpty() || isRecordHeader(item); });
    if (records)
        *records = rows.size();
    return csvBytes(rows);
}

qsizetype convertRecordFileToCsv(const QString& recordPath, const QString& csvPath, QString* error)
{
    qsizetype records = 0;
    const auto bytes = recordFileCsv(recordPath, &records, error);
    if (!bytes || !writeCsvFile(csvPath, *bytes, error))
        return -1;
    return records;
}

QList<QStringList> parseCsv(QStringView text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false; // something of the current record was read
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"') {
            quoted = true;
            any = true;
        } else if (c == u',') {
            row << field;
            field.clear();
            any = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            row << field;
            field.clear();
            rows << row;
            row.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any) {
        row << field;
        rows << row;
    }
    return rows;
}

} // namespace veltrix
