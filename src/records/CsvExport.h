// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records as CSV for spreadsheets and scripts: UTF-8 without a byte-order mark, CR LF line ends,
// a header row, fields quoted the usual way (RFC 4180) only where they need it.
//
//   No,DateTime,Value,Unit,Hold,Peak
//   12,2026-12-05T15:32:39,123.4,mG,H,
//   3,2026-12-05T15:32:39.4,OL,µT,,P          (a downloaded record keeps its tenth of a second)
//
// The date and time become ISO 8601 local date-time (the meter's two-digit year is 20yy); a date
// or time the program cannot read is kept as it was. The value stays as the meter showed it (a
// number or "OL"); microtesla is written "µT" with the micro sign. Plain functions, no window.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace veltrix {

QString csvHeaderLine(); // without the line end

// A field as written: quoted (inner quotes doubled) when it holds a comma, a quote or a line end.
QString csvField(QStringView text);
// "yy/MM/dd" and "HH:mm:ss" (or "HH:mm:ss.d") as "20yy-MM-ddTHH:mm:ss[.d]"; text it cannot read
// comes back as "date time", trimmed.
QString isoDateTime(QStringView date, QStringView time);
// The numbers of date and time cells of the form isoDateTime() reads, without building text (for
// readers that go through every record); nothing for any other form. Not checked against the
// calendar.
struct RecordDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    QStringView fraction; // the digits after the seconds' point
};
std::optional<RecordDateTime> recordDateTime(QStringView date, QStringView time);
// The unit text with Greek mu replaced by the micro sign, and a downloaded set's "uT" as "µT".
QString csvUnit(QStringView unit);

// One record row (No TAB Date TAB Time TAB Value TAB Unit TAB Hold TAB Peak, as the tables and
// the record file hold it) as a CSV line with its CR LF, appended to `out`.
void appendCsvRow(QString& out, QStringView rowText);
// The cells of a record row in CSV order: No, DateTime, Value, Unit, Hold, Peak.
QStringList csvCells(QStringView rowText);
// The whole CSV text (header and rows) in UTF-8. Empty rows are left out.
QByteArray csvBytes(const QList<QStringView>& rowTexts);

// The CSV of a record file (read the way the file table reads it, header lines and empty lines
// left out); nothing, with the reason in *error, when it cannot be read.
std::optional<QByteArray> recordFileCsv(const QString& recordPath, qsizetype* records = nullptr,
                                        QString* error = nullptr);
// Converts a record file to CSV, replacing `csvPath` only once everything is written. Returns the
// number of records written, or -1 with the reason in *error.
qsizetype convertRecordFileToCsv(const QString& recordPath, const QString& csvPath,
                                 QString* error = nullptr);
// Writes CSV bytes to `path` the same safe way. False with the reason in *error.
bool writeCsvFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Reads CSV text (quoted fields, doubled quotes, line ends inside quotes; CR LF, LF or CR between
// records) into rows of fields. Our own reader, for checking what we write and for scripts.
QList<QStringList> parseCsv(QStringView text);

} // namespace veltrix
