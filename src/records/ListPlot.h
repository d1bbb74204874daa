// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list plot: the records of a record table (a file read back, or the meter's downloaded
// data) as a line chart of value against record number, between two value limits, over a chosen
// span of records. Its range dialog chooses the span and the limits and draws anew.

#include "records/ChartGeometry.h"
#include "records/ChartWindow.h"

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QPushButton;

namespace veltrix {

// What the list plot keeps: the size and full scale of the table it plots, and the span and
// limits it shows.
struct ListPlotSettings {
    int PlotTotalRecords = 0;
    double PlotFullScale = 0;
    chart::PlotRange range;
};

namespace ui {
class Grid;
}

class ListPlot1 : public ChartWindow {
    Q_OBJECT
public:
    explicit ListPlot1(QWidget* parent = nullptr);

private:
    friend bool DrawListPlot(ListPlot1& window, const ui::Grid& table,
                             const chart::PlotRange& range);
};

// Draws the span and limits of `range` of `table` in the window. A span that does not lie within
// the table, or limits without height, close the window and give false.
bool DrawListPlot(ListPlot1& window, const ui::Grid& table, const chart::PlotRange& range);

class Plot1Range : public QDialog {
    Q_OBJECT
public:
    explicit Plot1Range(const chart::PlotRange& range, QWidget* parent = nullptr);

    QLineEdit* TxtT1; // from
    QLineEdit* TxtT2; // to
    QLineEdit* TxtR1; // min
    QLineEdit* TxtR2; // max
    QPushButton* CmdOK;

protected:
    void showEvent(QShowEvent* event) override;

private:
    const chart::PlotRange& m_range;
};

// Owns the plot window and its range dialog; windows are made on first use. Every table with a
// Plot button calls plotTable() with its own grid.
class ListPlot : public QObject {
    Q_OBJECT
public:
    explicit ListPlot(QWidget* windowParent = nullptr);
    ~ListPlot() override;

    // A table's "Plot": the whole table between 0 and the full scale of its unit. A table
    // without records is left alone.
    void plotTable(ui::Grid& table);

    // "Limit": the range dialog, just below the plot.
    void showRange();
    // Its OK: a valid entry draws the table the plot was opened from anew.
    void acceptRange();

    const ListPlotSettings& settings() const { return m_state; }
    ListPlot1* window() const { return m_window; }
    Plot1Range* rangeDialog() const { return m_dialog; }
    void setPrinterFactory(ChartWindow::PrinterFactory factory);

private:
    ListPlot1* ensureWindow();
    void drawFrom(ui::Grid& table);

    ListPlotSettings m_state;
    QPointer<QWidget> m_windowParent;
    QPointer<ListPlot1> m_window;
    QPointer<Plot1Range> m_dialog;
    QPointer<ui::Grid> m_table; // the table of the last Plot; gone when that table closed
    ChartWindow::PrinterFactory m_printerFactory;
};

} // namespace veltrix
