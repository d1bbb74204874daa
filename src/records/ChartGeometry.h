// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Geometry and rules of the two line charts (the live strip chart and the list plot of a record
// table), kept apart from their windows so that they can be checked without one.
//
// Both charts draw in chart coordinates: the plot area runs from x = 1000 (left) to x = 5000
// (right) and from y = 1000 (top, the upper limit) down to y = 4000 (bottom, the lower limit);
// y grows downwards. Values above the range (and overloads) are drawn at y = 900, 100 units above
// the top line, so they stand out from a value exactly at the limit. The whole chart space,
// labels included, is 6000 x 5000 units and is stretched onto the window's current size.

#include "records/RecordFile.h"

#include <QColor>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringView>
#include <QTransform>

#include <optional>

namespace veltrix::chart {

inline constexpr double Left = 1000;
inline constexpr double Right = 5000;
inline constexpr double Top = 1000;
inline constexpr double Bottom = 4000;
inline constexpr double AboveTop = 900;
inline constexpr double Middle = 2500; // the middle value line
inline constexpr double Centre = 3000; // the middle time line
inline constexpr double Width = 6000;  // the whole chart space
inline constexpr double Height = 5000;

// The five fixed lines of the chart frame and how each looks.
enum class LineLook { Axis, Limit, Middle };
struct FrameLine {
    const char* name;
    QLineF line;
    LineLook look;
};
const QList<FrameLine>& frameLines();

// Chart coordinates onto a window (or picture) of the given size.
QTransform toWindow(const QSizeF& size);

// The value labels' text: at most 15 significant digits, no trailing zeros.
QString numberText(double value);

// Height of a value between the bottom (min) and top (max) limits: clamped to the bottom line
// below the range, drawn at AboveTop above it. A range without height puts every value on the
// bottom line.
double heightOf(double value, double min, double max);
// Height of a reading as the panel shows it ("OL" is an overload).
double stripHeight(const QString& valueText, double min, double max);

// A strip chart limit after the meter changed its unit: ten times larger in milligauss, ten
// times smaller otherwise. Both limits are rescaled, so they stay in order.
double rescaledLimit(double limit, const QString& newUnit);

// The strip chart's sweep: how many readings it takes and the step between them, and where it
// has got to.
struct Sweep {
    int records = 0;
    double step = 0;
    bool started = false;
    int pointIndex = 0;
    double lastX = 0;
    double lastY = 0;
};

// One reading of the strip chart's sweep, applied to the sweep.
struct StripPoint {
    enum Kind {
        First,   // the sweep's first reading: nothing drawn, the start time is shown
        Segment, // a segment from the previous reading to this one
        Cleared  // the reading after the sweep's last one: the chart starts over, empty
    };
    Kind kind = First;
    QLineF segment;          // for Segment
    bool middleTime = false; // the middle time label shows this reading's time
    bool endTime = false;    // the end time label shows this reading's time
};
StripPoint advanceSweep(Sweep& sweep, double y);

// What the strip chart's range dialog accepts: 10 to 10000 points per sweep (more would draw
// segments narrower than a pixel and cost a redraw each), a lower limit of 0 or more and an
// upper limit above it. Every field is checked before anything is taken, so a
// refused entry changes nothing.
struct StripRange {
    int records = 0;
    double min = 0;
    double max = 0;
};
inline constexpr int MinStripRecords = 10;
inline constexpr int MaxStripRecords = 10000;
enum class StripRangeError { None, Records, TooManyRecords, Limits };
StripRangeError checkStripRange(const QString& maxText, const QString& minText,
                                const QString& recordsText, StripRange* range);
const QString& stripRecordsRefusal();
const QString& stripLimitsRefusal();
const QString& stripTooManyRefusal();
// The refusal text for an error of checkStripRange.
const QString& stripRangeRefusal(StripRangeError error);

// ---- List plot ----

// The Unit cell of row 1 decides the plot's unit and its largest top value.
double plotFullScale(QStringView plotUnit);
// A row's value in the plot's unit: in a milligauss plot "OL" counts as 2000 and rows in "uT"
// (as the meter's logger reports them) are multiplied by 10; in any other plot "OL" counts as
// 200 and rows in "mG" are divided by 10. Any other unit text (the micro sign of recorded files
// among them) is taken as it reads.
double plotValue(QStringView valueCell, QStringView unitCell, QStringView plotUnit);
// Cell `col` of a row given as its cells joined by TAB.
QStringView cellOf(QStringView rowText, int col);

// The range dialog of the list plot: from and to are table rows (1 = the first record), both
// within the table; the limits satisfy 0 <= min < max <= full scale.
struct PlotRange {
    int first = 0;
    int last = 0;
    double min = 0;
    double max = 0;
};
std::optional<PlotRange> checkPlotRange(const QString& fromText, const QString& toText,
                                        const QString& minText, const QString& maxText,
                                        int totalRecords, double fullScale);
const QString& plotRangeRefusal();

// Everything the list plot shows for one span of a table.
struct ListPlotDrawing {
    QString top, middle, bottom; // value labels
    QString t1, t2, t3, unit;    // time labels and the plot's unit (empty for a span below 2)
    double step = 0;             // horizontal distance between records
    QList<QPointF> points;       // one per record of the span, in chart coordinates
    QString caption;             // "<span>Records Completed" once drawn
};
// The rows first..last of the table, drawn between the limits min and max. The table is read
// through `rowText` with `rows` data rows. Nothing when the span does not lie within the table or
// the range has no height: the plot window then closes.
std::optional<ListPlotDrawing> drawListPlot(const PlotRange& range, const RowText& rowText,
                                            int rows);

} // namespace veltrix::chart
