// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot window: a still copy of the record graph's current window, to explore at leisure.
// The cursor reads times and values (two cursors give the difference between two moments), the
// mouse pans and zooms in the chosen track mode, the range fields set the axes by number, and the
// chart can be printed or exported (CSV of the visible samples, or a PNG picture).

#include "views/ChartRules.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace veltrix {

class RecordGraph;

namespace ui {
class Graph;
class NumEdit;
} // namespace ui

// The track modes in the order of the mode list, with their help texts.
struct TrackModeEntry {
    QString name;
    QString help;
};
const QList<TrackModeEntry>& trackModes();

class PlotWindow : public QWidget {
    Q_OBJECT
public:
    explicit PlotWindow(QWidget* parent = nullptr);

    // Replots the record graph's current window (its rows from the window's first to the newest).
    void load(const RecordGraph& graph);
    // The same from a table directly: rows first..newest, y unit as the record graph's y caption.
    void load(const CellReader& cell, int first, int newest, const QString& yCaption);

    // Selects a track mode by its index in the list, as a click in the list does.
    void setMode(int index);

    ui::Graph& chart() const { return *CWGraph1; }
    const QList<PlotSample>& samples() const { return m_samples; }
    QString unit() const { return m_unit; }

    // The x range computed at load (days).
    double CWNumEdit1 = 0;
    double CWNumEdit2 = 0;

public slots:
    // "Reset Scale": x back to the range computed at load, y to the range in the y fields.
    void resetScale();
    // "Print Graph": the system print dialog, then the window's picture on the chosen printer.
    bool print();
    // "Export": the visible samples as CSV, or the chart as PNG, by the chosen file's type.
    bool exportView();
    // Writes the samples in the visible x range as CSV to path.
    bool exportCsv(const QString& path, QString* error = nullptr);

private:
    void applyRanges();
    void showCursorReadout(int cursor, double x, double y);
    void showDelta();

    struct PrintLayout;
    PrintLayout enterPrintLayout();
    void leavePrintLayout(const PrintLayout& saved);

    QList<PlotSample> m_samples;
    QString m_unit;
    double m_loadYMaximum = 0;

    QGroupBox* FrmGraphic = nullptr;
    ui::Graph* CWGraph1 = nullptr;
    ui::NumEdit* XPosition = nullptr;
    QLabel* YPosition = nullptr;
    QLabel* LblCursorDelta = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* txtDescription = nullptr;
    QLabel* LblUnit = nullptr;
    ui::NumEdit* AxisMin1 = nullptr;
    ui::NumEdit* AxisMax1 = nullptr;
    ui::NumEdit* AxisMin2 = nullptr;
    ui::NumEdit* AxisMax2 = nullptr;
    QPushButton* CmdReset = nullptr;
    QPushButton* CmdPrint = nullptr;
    QPushButton* CmdExport = nullptr;
};

} // namespace veltrix
