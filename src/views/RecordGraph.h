// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record graph: the live readings as a time chart over a moving 150-second window, with the
// samples listed beside it. The panel's sample clock appends one row per sample; the window's own
// 100 ms timer turns new rows into chart points. A click on the chart opens the plot window on
// the current window's rows.

#include "views/RecordGraphLogic.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QPushButton;

namespace veltrix {

class PlotWindow;

namespace ui {
class Graph;
class Grid;
} // namespace ui

class RecordGraph : public QWidget {
    Q_OBJECT
public:
    // Where the graph reads the panel's sampling time (s), which its steps are compared with.
    using SamplingSource = std::function<int()>;

    explicit RecordGraph(SamplingSource sampling, QWidget* parent = nullptr);
    ~RecordGraph() override;

    // Places the window beside the main panel, at the top of the screen.
    void placeBeside(const QRect& panelFrame);

    // Appends a sample row ("number TAB body"), keeping the newest rows in view, and counts it.
    void appendRow(const QString& text);

    // Rows the graph takes before the panel stops feeding it (MaxRecords; tests lower it).
    void setRowLimit(int limit) { m_rowLimit = limit; }
    int rowLimit() const { return m_rowLimit; }

    // The Timer1 tick: charts the newest row.
    void updateChart();

    // Opens the plot window on the current window's rows, or brings an open one to the front.
    PlotWindow* openPlot();
    PlotWindow* plotWindow() const;

    RecordGraphLogic& logic() { return m_logic; }
    const RecordGraphLogic& logic() const { return m_logic; }
    ui::Graph& chart() const { return *CWGraph1; }
    ui::Grid& table() const { return *GraphGrid1; }
    QString cell(int row, int col) const;

signals:
    // The window is closing (the panel stops feeding it).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    SamplingSource m_sampling;
    RecordGraphLogic m_logic;
    std::unique_ptr<ChartTarget> m_target;
    int m_rowLimit;
    QPointer<PlotWindow> m_plot;

    ui::Graph* CWGraph1 = nullptr;
    ui::Grid* GraphGrid1 = nullptr;
    QTimer* Timer1 = nullptr;
    QPushButton* Plot = nullptr;
};

} // namespace veltrix
