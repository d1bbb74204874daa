// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Figures, dates and times as a person reads them: in German "0,34", "1.234,5", "08.12.2026" and
// "22:15:03"; in English exactly as the panel always showed them ("0.34", "1234.5", "2026-12-08").
// Only for the screen and the report: record files, CSV, JSON and the feeds keep the C locale.

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

namespace veltrix::ui {

// The locale of the display: the C locale (English keeps a '.' and no grouping) until the language
// start-up sets the one that goes with the translation it installed.
QLocale displayLocale();
void setDisplayLocale(const QLocale& locale);

// `value` with `decimals` digits after the decimal separator.
QString numberText(double value, int decimals, const QLocale& locale = displayLocale());
// A number as the meter or a record file writes it ("12.3", " 0.34", "OL") as the display shows
// it: "12,3" in German, the same digits and spaces; text that is no number stays as it is.
QString decimalText(const QString& cText, const QLocale& locale = displayLocale());
// What a person typed into a number field back in the C form the range checks read: "0,5" and
// "1.234,5" in German give "0.5" and "1234.5"; a '.' typed in German without a ',' ("0.5") is
// taken as the decimal point, as the field always took it.
QString cDecimalText(const QString& typed, const QLocale& locale = displayLocale());
// A number as short as it is exact (six digits at most): a level, a scale's top: "0,4" / "0.4".
QString shortNumberText(double value, const QLocale& locale = displayLocale());
// "08.12.2026" / "2026-12-08".
QString dateText(QDate date, const QLocale& locale = displayLocale());
// "22:15:03" (and ",4" or ".4" with tenths when `tenths` and the time has them).
QString timeText(QTime time, bool tenths, const QLocale& locale = displayLocale());
// The date and the time to the minute: "08.12.2026 22:15" / "2026-12-08 22:15".
QString dateTimeText(const QDateTime& when, const QLocale& locale = displayLocale());
// The format strings behind them, for widgets that take one (date edits, chart axes).
QString dateFormat(const QLocale& locale = displayLocale());
// The date format without the day: "MM.yyyy" / "yyyy-MM".
QString monthFormat(const QLocale& locale = displayLocale());

} // namespace veltrix::ui
