// SPDX-License-Identifier: GPL-3.0-or-later
// The record graph's and plot window's rules on any table content: plotted values, the y axis,
// the replot of a span of rows and its CSV export. Input: rows on lines, cells separated by TAB.

#include "FuzzCheck.h"

#include "views/ChartRules.h"

#include <cmath>

using namespace veltrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int choice = data[0];
    QList<QStringList> table;
    for (const QString& line : fuzz::fieldsOf(data + 1, size - 1, 32)) {
        if (line.isEmpty() && !table.isEmpty())
            break;
        table << line.split(u'\t');
    }
    const auto cell = [&table](int row, int col) -> QString {
        if (row < 1 || row > table.size() || col < 0 || col >= table[row - 1].size())
            return {};
        return table[row - 1][col];
    };

    for (int r = 1; r <= table.size(); ++r) {
        const QString value = cell(r, GraphValue);
        const QString unit = cell(r, GraphUnit);
        const double y = plottedValue(value, unit);
        FUZZ_CHECK(!std::isnan(y));
        if (const auto axis = recordGraphYAxis(unit, value))
            FUZZ_CHECK(axis->maximum > 0 && !axis->caption.isEmpty());
        if (std::isfinite(y) && y >= 0 && y < 1e12)
            FUZZ_CHECK(plotYMaximum(y) >= y);
    }

    const int first = 1 + choice % 4;
    const int last = first + (choice >> 2) % 32;
    const Replot replot = replotRows(cell, first, last);
    FUZZ_CHECK(replot.samples.size() <= qMax(0, qMin(last, int(table.size())) - first + 1));
    FUZZ_CHECK(!(replot.xMinimum > replot.xMaximum));
    for (const PlotSample& p : replot.samples) {
        FUZZ_CHECK(p.seconds >= 0 && p.seconds < 86400);
        FUZZ_CHECK(std::isfinite(p.x) && !std::isnan(p.y));
    }
    const QByteArray csv =
        plotCsv(replot.samples, replot.xMinimum, replot.xMaximum, cell(1, GraphUnit));
    FUZZ_CHECK(csv.isEmpty() || csv.endsWith("\r\n"));
    FUZZ_CHECK(csv.count("\r\n") <= replot.samples.size() + 1);
    return 0;
}
