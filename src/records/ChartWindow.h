// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the live strip chart and the list plot have in common: a window with the menus "Limit",
// "Print" and "Save picture" over a chart drawn in chart coordinates (see ChartGeometry.h) and
// stretched onto the window's current size. The chart's line is kept as points and painted
// anew whenever the window needs it, so covering or resizing the window loses nothing.

#include <QImage>
#include <QList>
#include <QMainWindow>
#include <QPointF>

#include <functional>
#include <memory>

class QLabel;

namespace veltrix {

namespace ui {
class PicturePrinter;
}

class ChartCanvas;

class ChartWindow : public QMainWindow {
    Q_OBJECT
public:
    using PrinterFactory = std::function<std::unique_ptr<ui::PicturePrinter>()>;

    // Where "Print" goes; the system's default printer unless set (tests print to PDF).
    void setPrinterFactory(PrinterFactory factory) { m_printerFactory = std::move(factory); }

    // The chart as shown, labels included, without the menu bar.
    QImage picture() const;
    QWidget* canvas() const;
    // The chart's line, in chart coordinates.
    const QList<QPointF>& points() const { return m_points; }

    // The window stands at the top of the screen, beside the main panel.
    void placeBeside(const QRect& panelFrame);

public slots:
    // "Print": the window's picture on one page. A device that cannot be used is reported.
    bool print();
    // "Save picture": a PNG file chosen by the user.
    bool savePicture();

signals:
    // "Limit": the owner shows the range dialog.
    void limitRequested();
    // The window was closed (by the user or by the program).
    void closed();

protected:
    ChartWindow(const QString& name, const QString& caption, bool withValueLabel, QWidget* parent);

    // The three value labels: top, middle and bottom line.
    void showValueLabels(double min, double max);
    // Sets a label's text and keeps it at its place on the chart.
    void setLabel(QLabel* label, const QString& text);
    // An empty chart: no line, no times, no latest value.
    void clearChart();
    void setLine(QList<QPointF> points);
    // Adds a segment that continues the line (its start is taken when the line is empty).
    void addSegment(const QPointF& from, const QPointF& to);

    // The closing step of the window; runs before the chart is emptied.
    virtual void closing() {}
    void closeEvent(QCloseEvent* event) override;

    QLabel* LblValTop = nullptr;
    QLabel* LblValMid = nullptr;
    QLabel* Lbl0 = nullptr;
    QLabel* LblT1 = nullptr;
    QLabel* LblT2 = nullptr;
    QLabel* LblT3 = nullptr;
    QLabel* LblUnit = nullptr;
    QLabel* LblValue = nullptr; // the strip chart only
    QLabel* Label1 = nullptr;

private:
    friend class ChartCanvas;
    void placeLabels();
    void placeLabel(QLabel* label);

    ChartCanvas* m_canvas;
    QList<QPointF> m_points;
    PrinterFactory m_printerFactory;
};

} // namespace veltrix
