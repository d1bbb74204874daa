// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/RecordGraphLogic.h"

#include "ui/TimeScale.h"

namespace veltrix {

using ui::daysFromSeconds;

void RecordGraphLogic::update(ChartTarget& chart, const CellReader& cell, int panelSamplingSeconds)
{
    const int n = TextGrid;
    if (n < 1)
        return;
    const QString unit = cell(n, GraphUnit);
    const QString valueText = cell(n, GraphValue);
    if (const auto y = recordGraphYAxis(unit, valueText))
        chart.setYAxis(0, y->maximum, y->caption);

    const QString timeText = cell(n, GraphTime);
    const auto seconds = ui::secondsOfTimeText(timeText);
    if (!seconds)
        return; // not a sample of ours; nothing to place on the time axis
    const double y = plottedValue(valueText, unit);

    if (n == 1 || !m_started) {
        // The first sample opens the first window; later ticks before the second sample change
        // nothing.
        if (!m_started) {
            CWGraphmod1 = *seconds;
            CWGraphmod3 = *seconds;
            start(chart, *seconds, y);
            m_started = true;
        }
        return;
    }

    const int previous = CWGraphmod1;
    CWGraphmod3 = *seconds;
    const int d = CWGraphmod3 - previous;
    if (d == 0)
        return; // no new sample yet
    if (d == SecTime1) {
        chart.appendPoint(y, daysFromSeconds(SecTime1));
        CWGraphmod1 = CWGraphmod3;
        SecTime1 = panelSamplingSeconds;
    } else {
        // A missed sample, a new sampling time, midnight or a clock set back: a line to this
        // sample would mislead, so the chart starts again here.
        GridsTimebox = TextGrid;
        restart(chart, *seconds, y);
        CWGraphmod1 = CWGraphmod3;
    }
    if (CWGraphTextName1 + ChartWindowSeconds <= CWGraphmod3) {
        restart(chart, *seconds, y);
        GridsTimebox = TextGrid;
    }
}

void RecordGraphLogic::restart(ChartTarget& chart, int seconds, double y)
{
    chart.clearGraph();
    start(chart, seconds, y);
}

void RecordGraphLogic::start(ChartTarget& chart, int t, double y)
{
    chart.setXRange(daysFromSeconds(t), daysFromSeconds(t + ChartWindowSeconds));
    CWGraphTextName1 = t;
    // The trace restarts from its anchor; the first point sits at the sample's time and a second
    // one with the same value one second later, so the window shows a line from the start.
    chart.resetTrace(daysFromSeconds(t));
    chart.appendPoint(y, daysFromSeconds(t));
    chart.appendPoint(y, daysFromSeconds(1));
    ++restarts;
}

} // namespace veltrix
