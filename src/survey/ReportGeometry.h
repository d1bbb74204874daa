// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey report's layout rules, as plain functions on numbers: the chart's value and time
// axes, where the level labels and the legend go, how wide the table columns are. The report
// draws with them; the tests check them without a page.

#include <QList>
#include <QString>
#include <QtGlobal>

namespace veltrix::report {

// 1, 2, 2.5 or 5 times a power of ten, at least v (1 for nothing positive).
double niceCeiling(double v);

// The value axis runs from 0 to `top` with a grid line every `step`.
struct ValueAxis {
    double top = 1;
    double step = 0.2;
};
// A level up to this many times the bulk of the readings goes on the chart (and may raise its
// top); one further up would squeeze the readings into the bottom, and is named under it.
inline constexpr double LevelReach = 4;
// The axis for readings whose bulk reaches `bulk` and for `levels` (same unit): the top holds the
// bulk and the levels within reach, with a little room, on the third to fifth grid line (steps of
// 1, 2, 2.5 or 5 times a power of ten; 0 to 1 when there is nothing). `onChart[i]` says whether
// level i is on the chart.
ValueAxis valueAxis(double bulk, const QList<double>& levels, QList<bool>* onChart = nullptr);

// The spikes a value axis clips: runs of adjacent chart columns whose highest value lies above
// `top` (a column without readings, NaN, ends a run), each by the column of its highest value,
// the highest spike first.
QList<qsizetype> clippedPeaks(const QList<double>& highs, double top);

// Ticks of the time axis: round times of the clock (ms, as stats::ClockMs) from `first` to
// `last`, at most `most` of them. Steps go 1, 2, 5, 10, 15, 30 s, 1, 2, 5, 10, 15, 30 min, 1, 2,
// 3, 6, 12 h, 1, 2, 4, 7, 14 days, each tick on a multiple of its step counted from a midnight;
// then the first days of every 1, 2, 3, 6 or 12 months, and of every 2, 4, 8 ... years.
struct TimeTicks {
    qint64 step = 0; // ms; 0 when counted in months
    int months = 0;
    QList<qint64> at;
};
TimeTicks timeTicks(qint64 first, qint64 last, int most);
// The clock format of the ticks' labels: "HH:mm:ss", "HH:mm" (the date goes
// under the first one of each day), or the reader's date ("yyyy-MM-dd", "dd.MM.yyyy") or month
// ("yyyy-MM", "MM.yyyy").
QString tickFormat(const TimeTicks& ticks);

// Labels that want to sit at `wanted` (ys, any order) moved apart to be at least `gap` from each
// other, each as near its place as it can be, within [top, bottom] where they fit; their order
// from top to bottom is kept.
QList<double> spreadLabels(const QList<double>& wanted, double gap, double top, double bottom);

// Items `widths` wide laid out left to right in rows `width` wide, `gap` between two items: the
// x of each and its row (an item wider than a row has a row of its own).
struct FlowPlace {
    double x = 0;
    int row = 0;
    bool operator==(const FlowPlace&) const = default;
};
QList<FlowPlace> flowRows(const QList<double>& widths, double width, double gap);

// Column widths of a table `available` wide, `gap` between two columns: every column as wide as
// its widest cell (`natural`), except column `flexible`, which takes what is left and wraps.
// When the others do not leave it `flexibleAtLeast`, they are narrowed alike to give it that.
QList<double> columnWidths(const QList<double>& natural, double available, double gap,
                           qsizetype flexible, double flexibleAtLeast);

} // namespace veltrix::report
