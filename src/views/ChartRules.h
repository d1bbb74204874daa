// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the record graph and the plot window that need no window: the y ranges, the
// 150-second moving window of the record graph and the replot of its rows.

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace veltrix {

// Width of the record graph's moving window.
inline constexpr int ChartWindowSeconds = 150;

// A cell of a record graph table (row 1 is the first sample; columns No., Date, Time, Value,
// Unit).
using CellReader = std::function<QString(int row, int col)>;
enum GraphColumn { GraphNo = 0, GraphDate = 1, GraphTime = 2, GraphValue = 3, GraphUnit = 4 };

QString milliGaussText();
QString microTeslaText();

// The value a sample is plotted at. An overload ("OL") is drawn at the top of the unit's range
// (2000 mG, 200 μT), off the scale, rather than at zero.
double plottedValue(QStringView valueText, QStringView unit);

struct YAxis {
    double maximum;
    QString caption;
};
// The record graph's y axis for its newest row: 0-2000 mG from 100 mG up, else 0-200 mG; 0-200 μT
// from 10 μT up, else 0-20 μT. Nothing for any other unit (the axis is left as it is).
std::optional<YAxis> recordGraphYAxis(QStringView unit, QStringView valueText);

// The plot window's y maximum for the newest value: 20 up to 10, 200 up to 100, 2000 up to 1000;
// above that, the next thousand up, so the trace is never off the scale.
double plotYMaximum(double newestValue);

// One row replotted in the plot window.
struct PlotSample {
    QString date;      // "yy/mm/dd"
    QString time;      // "hh:mm:ss"
    int seconds = 0;   // time of day
    double x = 0;      // days
    double y = 0;      // plotted value
    QString valueText; // as sampled ("12.3", "OL")
};

struct Replot {
    QList<PlotSample> samples;
    double xMinimum = 0; // days
    double xMaximum = 0;
};

// Rows first..last of a record graph table as the plot window draws them: x from the first row's
// time, each further point one time step (the difference of the rows' times) to the right. The x
// range spans the first to the newest row's time (a single row gets one window's width). Rows
// whose time is not a time of day are skipped.
Replot replotRows(const CellReader& cell, int first, int last);

// The samples inside [xMinimum, xMaximum] as CSV: a header row, then one line per sample with its
// ISO 8601 date-time, its value and the unit. UTF-8, CR LF line ends.
QByteArray plotCsv(const QList<PlotSample>& samples, double xMinimum, double xMaximum,
                   const QString& unit);

} // namespace veltrix
