// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record file: the one text format in which readings leave the program and come back.
//
//   No.s      Date           Time         Value   Unit     Hold    Peak␣␣␣␣      (header, 71 chars)
//   12<TAB>26/12/05<TAB>15:32:39<TAB>123.4<TAB>mG<TAB>H<TAB><TAB><CR><LF>       (one record)
//
// Files are single-byte Windows-1252 text with CR LF line ends; the microtesla unit is the micro
// sign (B5 hex) followed by T. Everything here is plain functions on text and bytes.

#include "link/Unit.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>

namespace veltrix {

inline constexpr int RecordFields = 7;

// Rows 1..n of a table, each as its cells joined by TAB (No. TAB Date TAB Time TAB Value ...).
using RowText = std::function<QStringView(int row)>;

// The seven cells of a row given as its cells joined by TAB: missing cells are empty, cells after
// the seventh are dropped. The one place a row is split; the cells are views into `row`.
using RecordCells = std::array<QStringView, RecordFields>;
RecordCells recordCells(QStringView row);
enum RecordColumn { NumberCell, DateCell, TimeCell, ValueCell, UnitCell, HoldCell, PeakCell };

// The unit texts of a sample. Inside the program microtesla is Greek small mu + T.
QString milliGaussUnit();
QString microTeslaUnit();

// Line 1 of a record file, with its four trailing blanks (71 characters, no line end).
QString recordHeaderLine();
// The header as the reader sees it, trailing blanks dropped (67 characters).
QString recordHeaderText();
bool isRecordHeader(QStringView item);

// Date TAB Time TAB Value TAB Unit TAB Hold TAB Peak: what a sample adds to the file, the live
// table and the record graph (the No. field is added by each of them).
QString sampleBody(const QDateTime& when, const QString& value, bool gauss, bool hold, bool peak);
// A recorded line: number TAB body TAB CR LF.
QString recordLine(int number, const QString& body);
// One saved table row: every cell followed by TAB, then CR LF. rowText holds the row's cells
// joined by TAB, possibly fewer than `columns` of them (missing cells are empty).
QString tableLine(QStringView rowText, int columns = RecordFields);
// A whole table as saved: the header line (with CR LF) before the first row; no rows, no bytes.
QByteArray tableFileBytes(const QStringList& rowTexts, int columns = RecordFields);

// Windows-1252. Characters the code page lacks become '?'; Greek mu becomes the micro sign.
QByteArray encodeRecordText(QStringView text);
void appendRecordText(QByteArray& out, QStringView text);
// tableLine() encoded straight onto `out`.
void appendTableLine(QByteArray& out, QStringView rowText, int columns = RecordFields);
QString decodeCp1252(const QByteArray& bytes);
// A file's bytes as text: UTF-8 when they are valid UTF-8 with non-ASCII in them (a file edited
// on another system), Windows-1252 otherwise. Micro signs come back as Greek mu.
QString decodeRecordBytes(const QByteArray& bytes);

// Splits file text into items: leading blanks skipped, an item ends at a line end (CR LF, LF or
// CR) or a comma, trailing blanks dropped. An empty line is an empty item. Header items included.
QStringList splitRecordItems(QStringView text);
// The same items as views into `text` (for readers that copy each item once).
QList<QStringView> splitRecordItemViews(QStringView text);
// The first `columns` TAB-separated cells of a row (what a table of that width keeps of it).
QStringView leadingCells(QStringView row, int columns = RecordFields);
// The rows a file gives: its items without the header lines.
QStringList recordRows(const QByteArray& fileBytes);

// The printed listing: two heading lines, then one fixed-width line per row.
QString listingHeading1();
QString listingHeading2();
// Cells padded to 7, 12, 10, 7, 5, 5, 5 characters; a longer cell is printed whole and the rest
// of the line follows it.
QString listingLine(const QStringList& cells);
// The listing line of a row given as TAB-joined cells.
QString listingLineFromRow(QStringView rowText);

} // namespace veltrix
