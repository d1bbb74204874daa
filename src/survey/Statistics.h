// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Survey figures of a record table: what a report or `veltrix-cli stats` says about a
// measurement. Plain code on the table's rows (No. TAB Date TAB Time TAB Value TAB Unit ...),
// no window. The rows come from a feed, so that a year of daily files streams through without
// being held: the figures keep counts, never a list of every reading.
//
// Every figure is in one unit; rows in the other unit are converted (1 µT = 10 mG). An overload
// ("OL") only says that the field was at or beyond the top of the range it was read in; the
// records do not say the range, so the meter's smallest range's top is taken (199.9 mG): an
// overload counts above a level at or below that top and is otherwise left out of the time above
// it. Overloads are counted and listed apart and never averaged. A row whose value, unit, date or
// time cannot be read is counted as invalid and left out. The sampling time is the typical step
// between records; each reading stands for one sampling time, so a step longer than two sampling
// times is a gap: it adds nothing to the time above a level and ends a stretch above it. A step
// backwards (the clock was set back) is listed too and counts as no time.

#include "link/Unit.h"
#include "records/RecordFile.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace veltrix::stats {

// What a record's Value cell holds; a number with the digits after its decimal point (the
// meter writes its readings at the resolution of the range).
enum class ValueKind { Number, Overload, Invalid };
struct CellValue {
    ValueKind kind = ValueKind::Invalid;
    double number = 0;
    int decimals = 0;
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
// "2026-12-05 15:32:39" (and ".4" when the record had tenths); the locale's forms ("05.12.2026
// 15:32:39,4") with a display locale (ui::displayLocale()). The C locale default is for files.
QString clockText(ClockMs ms, const QLocale& locale = QLocale::c());
// A duration as a reader takes it in: to the second below ten minutes ("4.5 s", "9 min 59 s"),
// from there on to the nearest minute ("10 min", "4 h 59 min", "2 d 03 h 00 min").
QString durationText(qint64 ms, const QLocale& locale = QLocale::c());
// A share of `whole` in percent with one decimal: "12.5 %"; "0 %" and "100 %" only when it is
// none or all, "< 0.1 %" and "> 99.9 %" near them. Empty when `whole` is not positive.
QString shareText(qint64 part, qint64 whole, const QLocale& locale = QLocale::c());

// The units a figure can be shown in: 1 mG = 0.1 µT = 100 nT.
enum class FigureUnit { NanoTesla, MicroTesla, MilliGauss };
FigureUnit figureUnitOf(Unit unit);
QString figureUnitText(FigureUnit unit);
double figureValue(double milliGauss, FigureUnit unit);
// A value given in milligauss, shown in `unit` with the digits the meter's resolution (in
// milligauss) gives and no more: at 0.1 mG steps "0.3 mG", "30 nT", "0.03 µT". A resolution of
// 0 (not known) shows hundredths of a milligauss.
QString figureText(double milliGauss, FigureUnit unit, double resolutionMg,
                   const QLocale& locale = QLocale::c());

// A level to compare the readings with, in milligauss.
struct Level {
    QString name;
    double milliGauss = 0;
};

// "5", "5mG", "0.5uT", "0.5 µT": a level of zero or more; a bare number is in `bareUnit`.
std::optional<Level> parseLevel(QStringView text, Unit bareUnit);

// The top of the meter's smallest range, 199.9 mG (19.99 µT): what an overload at least was.
inline constexpr double SmallestRangeTopMg = 199.9;

struct Options {
    std::optional<Unit> unit;        // default: the unit of the first reading
    std::optional<ClockMs> from, to; // only records inside [from, to]
    double samplingSeconds = 0;      // known sampling time; 0: taken from the records
    QList<Level> levels;
    int chartColumns = 0; // columns of the chart envelope over the survey time; 0: none
    double overloadTopMg = SmallestRangeTopMg; // an overload counts above levels up to this
};

// Hands the rows to `row` in order, numbered from 1 across the whole input; false with the reason
// when the input cannot be read. Called once, or twice when the sampling time must first be taken
// from the records or a chart is asked for (its columns need the survey's length).
using RowVisitor = std::function<void(int number, QStringView row)>;
using RowFeed = std::function<bool(const RowVisitor& row, QString* error)>;
// The rows 1..rowCount of a table.
RowFeed tableFeed(const RowText& rowText, int rowCount);

// Lists of moments keep this many; the counts go on.
inline constexpr int MaxListed = 10000;

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
    int overloadsAbove = 0; // of which overloads (only when the level is at most overloadTopMg)
    qint64 timeAbove = 0;   // ms
    qint64 longest = 0;     // ms, the longest unbroken stretch above
    Moment longestStart;
};

// One column of the chart envelope: a slice of the survey time. Values in the statistics' unit.
struct ChartColumn {
    double low = 0, high = 0;   // the lowest and highest reading in it
    double first = 0, last = 0; // its first and last reading, to join the trace to its neighbours
    ClockMs clock = 0;          // the time of its first reading or overload
    bool readings = false;      // it holds a reading (else the values mean nothing)
    bool overload = false;      // it holds an overload
    bool gapBefore = false;     // a gap or a clock set back lies before its first reading
};

// How often each distinct reading was seen. The key counts ValueSteps of milligauss, so readings
// in either unit and at any of the meter's resolutions are exact.
inline constexpr double ValueStepsPerMilliGauss = 1e6;
struct ValueCount {
    qint64 key = 0;
    qint64 count = 0;
};

struct Statistics {
    Unit unit = Unit::MilliGauss;
    int rows = 0;     // rows considered (inside the range; empty rows are not rows)
    int readings = 0; // numeric readings
    int overloads = 0;
    int invalid = 0;
    int converted = 0;             // readings taken from the other unit
    QList<Moment> overloadMoments; // the first MaxListed of them
    double overloadTopMg = SmallestRangeTopMg;

    ClockMs first = 0, last = 0;
    qint64 duration = 0; // ms of survey time from the first to the last reading
    qint64 sampling = 0; // ms; 0 when not known (a single reading and no sampling time given)
    bool samplingGiven = false;
    qint64 measured = 0; // ms: (readings + overloads) x sampling time, the base of the shares

    // Of the numeric readings (meaningful when readings > 0).
    double minimum = 0, maximum = 0;
    Moment minimumAt, maximumAt;
    double mean = 0, median = 0, percentile95 = 0, standardDeviation = 0;
    double resolution = 0;    // the finest step the readings were written with
    QList<ValueCount> values; // by key, ascending

    QList<LevelFigures> levels;
    QList<Break> breaks; // the first MaxListed of them
    int breakCount = 0;
    QList<ChartColumn> chart; // Options::chartColumns of them

    // The p-th percentile (0..100) of the readings, interpolated between the two nearest ranks
    // (as a spreadsheet's PERCENTILE does); exact, from the counts.
    double percentileOf(double p) const;
};

// The unit of the first row whose Unit cell can be read (the statistics' unit by default).
std::optional<Unit> tableUnit(const RowText& rowText, int rowCount);

// The statistics of the rows, or nothing with the reason in *error: the feed failed, no rows,
// or none inside the range, or no row that could be read (every one invalid).
std::optional<Statistics> compute(const RowFeed& feed, const Options& options,
                                  QString* error = nullptr);
std::optional<Statistics> compute(const RowText& rowText, int rowCount, const Options& options,
                                  QString* error = nullptr);

} // namespace veltrix::stats
