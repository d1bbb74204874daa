// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The live strip chart: the reading as a line that sweeps from left to right, one point per
// sample, a fixed number of points across between a lower and an upper limit. When a sweep is
// full the chart starts over on a clean window. Its range dialog sets the limits and the number
// of points.

#include "link/Unit.h"
#include "records/ChartGeometry.h"
#include "records/ChartWindow.h"

#include <QDialog>
#include <QPointer>
#include <QTime>

class QLineEdit;
class QPushButton;

namespace veltrix {

// What the strip chart keeps: its limits, the unit they are in, and its sweep.
struct StripSettings {
    double StripMin = 0;
    double StripMax = 0;
    std::optional<Unit> StripScaleUnit; // none: the limits follow no unit yet
    chart::Sweep sweep;
};

class RealTime1 : public ChartWindow {
    Q_OBJECT
public:
    explicit RealTime1(StripSettings& state, QWidget* parent = nullptr);

    // One sample: the panel's value and unit texts and the time of day. False when the reading
    // took the first point of a sweep (nothing drawn yet; the sample's feeding ends here).
    bool DrawStripPoint(const QString& valueText, const QString& unitText, const QTime& now);

    // Empties the chart for a new sweep and shows the current limits.
    void restart();

protected:
    void closing() override;
    void showEvent(QShowEvent* event) override;

private:
    void showLimits();

    StripSettings& m_state;
};

class Real1Range : public QDialog {
    Q_OBJECT
public:
    explicit Real1Range(const StripSettings& state, QWidget* parent = nullptr);

    QLineEdit* TxtReal1Max;
    QLineEdit* TxtReal1Min;
    QLineEdit* TxtReal1Rec;
    QPushButton* CmdOK;

protected:
    void showEvent(QShowEvent* event) override;

private:
    const StripSettings& m_state;
};

// Owns the chart window and its range dialog for the panel; windows are made on first use.
class StripChart : public QObject {
    Q_OBJECT
public:
    // The windows are made with `windowParent` (the main panel) so that they go with it.
    explicit StripChart(QWidget* windowParent = nullptr);
    ~StripChart() override;

    // The "Graph" key: 300 points across from 0 to `max`, in `unit`; then open().
    void start(double max, std::optional<Unit> unit);
    // Shows the chart with the current settings and a fresh sweep.
    void open();
    // Closes the chart (its closing step runs) when it is open.
    void close();
    // The feeding step of the sample clock; false when the sweep's first point was taken.
    bool DrawStripPoint(const QString& valueText, const QString& unitText, const QTime& now);

    // "Limit": the range dialog, just below the chart.
    void showRange();
    // Its OK: checks every field first; a refused entry changes no setting.
    void acceptRange();

    const StripSettings& settings() const { return m_state; }
    RealTime1* window() const { return m_window; }
    Real1Range* rangeDialog() const { return m_dialog; }
    void setPrinterFactory(ChartWindow::PrinterFactory factory);
    // Where the chart goes when it is first shown (beside the main panel).
    void setPlacement(std::function<QRect()> panelFrame) { m_panelFrame = std::move(panelFrame); }

signals:
    // The chart was shown (the panel feeds it from now on).
    void opened();
    // The chart was shown by the range dialog (the unit key must be locked).
    void reopened();
    // The chart was closed.
    void closed();

private:
    RealTime1* ensureWindow();

    StripSettings m_state;
    QPointer<QWidget> m_windowParent;
    QPointer<RealTime1> m_window;
    QPointer<Real1Range> m_dialog;
    ChartWindow::PrinterFactory m_printerFactory;
    std::function<QRect()> m_panelFrame;
};

} // namespace veltrix
