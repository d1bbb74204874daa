// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The time chart of the record graph and the plot window: one trace of values over times of day.
//
// Axis 1 is x and holds times of day in days (see TimeScale.h); axis 2 is y. The trace is built
// the way the meter's samples arrive: ResetTrace starts it anew and AppendPoint adds a point one
// step to the right of the previous one. Two crosshair cursors can be shown and dragged; the
// mouse pans or zooms the chart in the chosen track mode, the wheel zooms and a double click asks
// for the view to be reset.

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QPointer>

class QDateTimeAxis;
class QGraphicsLineItem;
class QGraphicsEllipseItem;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QRubberBand;
class QValueAxis;

namespace veltrix::ui {

enum class TrackMode { None, DragCursor, PanXY, PanX, PanY, ZoomXY, ZoomX, ZoomY };

class Graph : public QChartView {
    Q_OBJECT
public:
    enum Axis { XAxis = 1, YAxis = 2 };

    explicit Graph(QWidget* parent = nullptr);
    ~Graph() override;

    // Axis ranges: x in days, y in the measured unit. An empty or inverted range is ignored.
    void setAxisRange(int axis, double minimum, double maximum);
    double axisMinimum(int axis) const;
    double axisMaximum(int axis) const;
    void setAxisCaption(int axis, const QString& caption);
    QString axisCaption(int axis) const;
    // The x axis's label format, written as "hh:nn:ss" (nn for minutes).
    void setTimeFormat(const QString& format);
    QString timeFormat() const { return m_timeFormat; }

    // Removes every point.
    void ClearGraph();
    // The trace becomes the single anchor point (0, 0), which is not drawn; xStep becomes the
    // default spacing.
    void ResetTrace(double xStep);
    // A point at the previous point's x plus xStep, joined to the previous drawn point by a line.
    void AppendPoint(double y, double xStep);
    // The same at the default spacing.
    void AppendPoint(double y) { AppendPoint(y, m_defaultStep); }
    // The drawn points, x in days.
    const QList<QPointF>& points() const { return m_points; }
    int pointCount() const { return int(m_points.size()); }

    void setTrackMode(TrackMode mode);
    TrackMode trackMode() const { return m_mode; }

    // Cursors 1 and 2.
    void showCursor(int cursor, bool visible);
    bool cursorVisible(int cursor) const;
    void setCursorPosition(int cursor, double x, double y);
    QPointF cursorPosition(int cursor) const;

    // The one colour setting: the chart's background.
    void setColour(const QColor& colour);
    QColor colour() const;

    // The chart as it looks now.
    QImage picture();

    // The x and y values at a point of the widget (viewport coordinates).
    QPointF valueAt(const QPoint& viewportPos) const;
    // The plot area in viewport coordinates.
    QRect plotRect() const;

signals:
    // A cursor was moved by the mouse (cursor number, x in days, y).
    void cursorMoved(int cursor, double x, double y);
    // The chart was clicked without dragging.
    void clicked();
    void doubleClicked();
    // The mouse panned or zoomed the chart.
    void viewChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Graph.cpp: axes, time ticks and trace. GraphCursors.cpp: cursors and the mouse.
    struct Cursor {
        bool visible = false;
        QPointF value;
        QGraphicsLineItem* vertical = nullptr;
        QGraphicsLineItem* horizontal = nullptr;
        QGraphicsEllipseItem* mark = nullptr;
    };
    qreal msOf(double days) const;
    double daysOf(qreal ms) const;
    QPointF seriesPoint(const QPointF& value) const;
    QPointF snapped(const QPointF& value) const;
    void setUpCursors();
    void placeCursors();
    void placeTimeTicks();
    void moveCursorTo(int cursor, const QPoint& viewportPos);
    int nearestCursor(const QPoint& viewportPos) const;
    QRect zoomRect(const QPoint& from, const QPoint& to) const;
    bool pansX() const;
    bool pansY() const;

    QChart* m_chart;
    QLineSeries* m_series;
    QDateTimeAxis* m_xAxis;
    QValueAxis* m_yAxis;
    qint64 m_epochMs;
    QString m_timeFormat;
    QList<QPointF> m_points;
    double m_lastX = 0;
    double m_defaultStep = 0;
    TrackMode m_mode = TrackMode::None;
    Cursor m_cursors[2];
    // Time grid lines and labels at whole, round times (the axis's own ticks divide the range
    // evenly and would fall on odd seconds).
    QList<QGraphicsLineItem*> m_tickLines;
    QList<QGraphicsSimpleTextItem*> m_tickLabels;

    // Mouse state of one press
    bool m_pressed = false;
    bool m_dragged = false;
    QPoint m_pressPos;
    QPoint m_lastPos;
    int m_dragCursor = 0;
    QRubberBand* m_band = nullptr;
};

} // namespace veltrix::ui
