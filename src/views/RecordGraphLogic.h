// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record graph's chart update, run every 100 ms: it turns the newest row of the graph's table
// into a chart point, keeps the y range fitting the newest value and moves the 150-second window.
// It needs no window: the chart is reached through ChartTarget and the table through a
// CellReader, so tests drive it with plain calls.

#include "views/ChartRules.h"

#include <QString>

namespace veltrix {

// What the update does to the chart (the graph component's operations it uses).
class ChartTarget {
public:
    virtual ~ChartTarget() = default;
    virtual void setXRange(double minimum, double maximum) = 0; // days
    virtual void setYAxis(double minimum, double maximum, const QString& caption) = 0;
    virtual void clearGraph() = 0;
    virtual void resetTrace(double xStep) = 0;
    virtual void appendPoint(double y, double xStep) = 0;
};

class RecordGraphLogic {
public:
    // The window's state. Nothing outside the graph reads it as text, so it is kept typed.
    int TextGrid = 0;         // data rows in the table, so the newest row's index
    int GridsTimebox = 1;     // the row at which the current chart window started
    int CWGraphmod1 = -1;     // time of day (s) of the previous charted sample; -1 before the first
    int CWGraphmod3 = 0;      // the newest row's time of day (s)
    int SecTime1 = 0;         // the sampling time (s) the next step is compared with
    int CWGraphTextName1 = 0; // time of day (s) at which the current chart window starts
    int restarts = 0;         // windows started since the graph opened (the first one included)

    // One tick. panelSamplingSeconds is the panel's sampling time now.
    void update(ChartTarget& chart, const CellReader& cell, int panelSamplingSeconds);

private:
    void start(ChartTarget& chart, int seconds, double y);
    void restart(ChartTarget& chart, int seconds, double y);
    bool m_started = false;
};

} // namespace veltrix
