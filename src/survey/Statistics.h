#pragma once
// Survey figures of a record table: what a report or `veltrix-cli stats` says about a
// measurement. Plain code on the table's rows (No. TAB Date TAB Time TAB Value TAB Unit ...),
// no window.
//
// Every figure is in one unit; rows in the other unit are converted (1 µT = 10 mG). An overload
// ("OL", the field was beyond the meter's range) is counted and listed apart and never averaged;
// it does count as above every level. A row whose value, unit, date or time cannot be read is
// counted as invalid and left out. The sampling time is the typical step between records; each
// reading stands for one sampling time, so a step longer than two sampling times is a gap: it
// adds nothing to the time above a level and ends a stretch above it. A step backwards (the
// clock was set back) is listed too and counts as no time.

#include "link/Unit.h"
#include "records/RecordFile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace veltrix::stats {

// What a record's Value cell holds.
enum class ValueKind { Number, Overload, Invalid };
struct CellValue {
    ValueKind kind = ValueKind::Invalid;
    double number = 0;
};
CellValue valueOf(QStringView cell);

// Times are kept as milliseconds on the meter's own clock (local time of day, no zone), counted
// from 2000-01-01 00:00:00; clockTime() turns one back into a date and time to show.
using ClockMs = qint64;
std::optional<ClockMs> clockMsOf(QStringView date, QStringView time);
std::optional<ClockMs> clockMsOf(const QDateTime& when);
// The time of a record row (its Date and Time cells), when it can be read.
std::optional<ClockMs> rowClock(QStringView row);
QDateTime clockTime(ClockMs ms);
// "2026-12-05 15:32:39" (and ".4" when the record had tenths).
QString clockText(ClockMs ms);
// "2 h 05 min", "1 min 30 s", "4.5 s", "0 s".
QString durationText(qint64 ms);
// A value in `unit` at the meter's resolution and a little more: "12.35 mG", "1.235 µT".
QString valueText(double value, Unit unit);

// A level to compare the readings with, in milligauss.
struct Level {
    QString name;
    double milliGauss = 0;
};

// "5", "5mG", "0.5uT", "0.5 µT": a level of zero or more; a bare number is in `bareUnit`.
std::optional<Level> parseLevel(QStringView text, Unit bareUnit);

struct Options {
    std::optional<Unit> unit;        // default: the unit of the first reading
    std::optional<ClockMs> from, to; // only records inside [from, to]
    double samplingSeconds = 0;      // known sampling time; 0: taken from the records
    QList<Level> levels;
};

// One reading of the series, in the order of the table.
struct Sample {
    ClockMs clock = 0;
    qint64 elapsed = 0; // survey time since the first reading (steps backwards add nothing)
    double value = 0;   // in the statistics' unit; 0 for an overload
    bool overload = false;
    int row = 0; // table row, 1-based
};

struct Moment {
    ClockMs clock = 0;
    int row = 0;
};

struct Break {
    enum Kind { Gap, ClockBack };
    Kind kind = Gap;
    Moment before, after; // the readings on either side
};

struct LevelFigures {
    Level level;
    int samplesAbove = 0;
    int overloadsAbove = 0; // of which overloads
    qint64 timeAbove = 0;   // ms
    qint64 longest = 0;     // ms, the longest unbroken stretch above
    Moment longestStart;
};

struct Statistics {
    Unit unit = Unit::MilliGauss;
    int rows = 0;     // rows considered (inside the range; empty rows are not rows)
    int readings = 0; // numeric readings
    int overloads = 0;
    int invalid = 0;
    int converted = 0; // readings taken from the other unit
    QList<Moment> overloadMoments;
    QList<Sample> series; // readings and overloads in table order

    ClockMs first = 0, last = 0;
    qint64 duration = 0; // ms of survey time from the first to the last reading
    qint64 sampling = 0; // ms; 0 when not known (a single reading and no sampling time given)
    bool samplingGiven = false;

    // Of the numeric readings (meaningful when readings > 0).
    double minimum = 0, maximum = 0;
    Moment minimumAt, maximumAt;
    double mean = 0, median = 0, percentile95 = 0, standardDeviation = 0;

    QList<LevelFigures> levels;
    QList<Break> breaks;
};

// The unit of the first row whose Unit cell can be read (the statistics' unit by default).
std::optional<Unit> tableUnit(const RowText& rowText, int rowCount);

// The statistics of the rows, or nothing with the reason in *error: no rows, or none inside the
// range, or no row that could be read (every one invalid).
std::optional<Statistics> compute(const RowText& rowText, int rowCount, const Options& options,
                                  QString* error = nullptr);

// The p-th percentile (0..100) of the values, interpolated between the two nearest ranks (as a
// spreadsheet's PERCENTILE does). Reorders the values.
double percentile(QList<double>& values, double p);

} // namespace veltrix::stats
