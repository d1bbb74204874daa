#include "ui/Graph.h"

#include "ui/TimeScale.h"
#include "ui/WindowPicture.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QMouseEvent>
#include <QRubberBand>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace veltrix::ui {

namespace {
// A press that moves less than this is a click, not a drag.
constexpr int DragThreshold = 4;
// Each notch of the wheel zooms by this factor.
constexpr double WheelZoomStep = 1.25;
// Smallest region a dragged zoom takes (smaller ones are taken as clicks).
constexpr int MinZoomPixels = 5;

const QColor CursorColours[2] = {QColor(0xc0, 0x39, 0x2b), QColor(0x21, 0x61, 0xa8)};

// Between the chart's own grid and its trace.
constexpr qreal TimeGridZ = 2.5;
constexpr int MostTimeTicks = 7;

// The smallest round step (in seconds) that puts at most MostTimeTicks ticks on the span.
int timeTickStep(double spanSeconds)
{
    static const int steps[] = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                                600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
    for (int step : steps) {
        if (spanSeconds / step <= MostTimeTicks - 1)
            return step;
    }
    return 86400;
}
} // namespace

Graph::Graph(QWidget* parent)
    : QChartView(parent), m_chart(new QChart), m_series(new QLineSeries),
      m_xAxis(new QDateTimeAxis), m_yAxis(new QValueAxis),
      // x values are drawn as times of day on one fixed day of local time, so the axis labels
      // read as the time of day whatever the time zone.
      m_epochMs(QDate(2000, 1, 1).startOfDay().toMSecsSinceEpoch())
{
    setObjectName(QStringLiteral("CWGraph1"));
    m_chart->legend()->hide();
    // Room below the plot area for the time labels drawn there.
    m_chart->setMargins(QMargins(4, 4, 12, fontMetrics().height() + 6));
    m_chart->addSeries(m_series);
    m_chart->addAxis(m_xAxis, Qt::AlignBottom);
    m_chart->addAxis(m_yAxis, Qt::AlignLeft);
    m_series->attachAxis(m_xAxis);
    m_series->attachAxis(m_yAxis);
    QPen pen(QColor(0x1f, 0x77, 0xb4));
    pen.setWidthF(1.6);
    m_series->setPen(pen);
    m_xAxis->setTickCount(2);
    m_xAxis->setGridLineVisible(false);
    m_xAxis->setLabelsVisible(false);
    m_yAxis->setTickCount(5);
    m_yAxis->setLabelFormat(QStringLiteral("%g"));
    setTimeFormat(QStringLiteral("hh:nn:ss"));
    setAxisRange(XAxis, 0, daysFromSeconds(150));
    setAxisRange(YAxis, 0, 10);
    setChart(m_chart);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setDragMode(QGraphicsView::NoDrag);
    viewport()->setMouseTracking(false);

    for (int i = 0; i < 2; ++i) {
        Cursor& c = m_cursors[i];
        QPen cursorPen(CursorColours[i]);
        cursorPen.setStyle(Qt::DashLine);
        cursorPen.setWidthF(1.2);
        c.vertical = new QGraphicsLineItem(m_chart);
        c.horizontal = new QGraphicsLineItem(m_chart);
        c.mark = new QGraphicsEllipseItem(-4, -4, 8, 8, m_chart);
        c.vertical->setPen(cursorPen);
        c.horizontal->setPen(cursorPen);
        c.mark->setPen(QPen(CursorColours[i], 1.5));
        for (QGraphicsItem* item :
             {static_cast<QGraphicsItem*>(c.vertical), static_cast<QGraphicsItem*>(c.horizontal),
              static_cast<QGraphicsItem*>(c.mark)}) {
            item->setZValue(20);
            item->hide();
        }
    }
    connect(m_chart, &QChart::plotAreaChanged, this, [this] {
        placeTimeTicks();
        placeCursors();
    });
    connect(m_xAxis, &QDateTimeAxis::rangeChanged, this, [this] {
        placeTimeTicks();
        placeCursors();
    });
    connect(m_yAxis, &QValueAxis::rangeChanged, this, [this] { placeCursors(); });
}

Graph::~Graph() = default;

qreal Graph::msOf(double days) const
{
    // Whole milliseconds, so that a whole second on the axis reads back as exactly that second.
    return qreal(m_epochMs) + std::round(secondsFromDays(days) * 1000.0);
}

double Graph::daysOf(qreal ms) const
{
    return daysFromSeconds((ms - qreal(m_epochMs)) / 1000.0);
}

void Graph::setAxisMinimum(int axis, double value)
{
    setAxisRange(axis, value, axisMaximum(axis));
}

void Graph::setAxisMaximum(int axis, double value)
{
    setAxisRange(axis, axisMinimum(axis), value);
}

void Graph::setAxisRange(int axis, double minimum, double maximum)
{
    if (!std::isfinite(minimum) || !std::isfinite(maximum) || !(minimum < maximum))
        return;
    if (axis == XAxis) {
        m_xAxis->setRange(QDateTime::fromMSecsSinceEpoch(qint64(msOf(minimum))),
                          QDateTime::fromMSecsSinceEpoch(qint64(msOf(maximum))));
    } else if (axis == YAxis) {
        m_yAxis->setRange(minimum, maximum);
    }
}

double Graph::axisMinimum(int axis) const
{
    if (axis == XAxis)
        return daysOf(qreal(m_xAxis->min().toMSecsSinceEpoch()));
    return m_yAxis->min();
}

double Graph::axisMaximum(int axis) const
{
    if (axis == XAxis)
        return daysOf(qreal(m_xAxis->max().toMSecsSinceEpoch()));
    return m_yAxis->max();
}

void Graph::setAxisCaption(int axis, const QString& caption)
{
    if (axis == XAxis)
        m_xAxis->setTitleText(caption);
    else if (axis == YAxis)
        m_yAxis->setTitleText(caption);
}

QString Graph::axisCaption(int axis) const
{
    return axis == XAxis ? m_xAxis->titleText() : m_yAxis->titleText();
}

void Graph::setTimeFormat(const QString& format)
{
    m_timeFormat = format;
    QString qtFormat = format;
    qtFormat.replace(QStringLiteral("nn"), QStringLiteral("mm"));
    m_xAxis->setFormat(qtFormat);
    placeTimeTicks();
}

void Graph::placeTimeTicks()
{
    const QRectF area = m_chart->plotArea();
    const double lo = secondsFromDays(axisMinimum(XAxis));
    const double hi = secondsFromDays(axisMaximum(XAxis));
    QList<double> ticks;
    if (area.width() > 0 && hi > lo) {
        const int step = timeTickStep(hi - lo);
        const double first = std::ceil(lo / step - 1e-9) * step;
        // Counted, not stepped by adding: a span of many days at the largest step would
        // otherwise make a grid line per day, and far from zero an added step is lost.
        for (int k = 0; k < MostTimeTicks + 1; ++k) {
            const double t = first + k * double(step);
            if (t > hi + 1e-6)
                break;
            ticks << t;
        }
    }
    QString qtFormat = m_timeFormat;
    qtFormat.replace(QStringLiteral("nn"), QStringLiteral("mm"));
    const QPen gridPen(QColor(0xd8, 0xdc, 0xe0), 1);
    while (m_tickLines.size() < ticks.size()) {
        auto* line = new QGraphicsLineItem(m_chart);
        line->setPen(gridPen);
        line->setZValue(TimeGridZ);
        auto* label = new QGraphicsSimpleTextItem(m_chart);
        label->setFont(m_xAxis->labelsFont());
        label->setBrush(m_xAxis->labelsBrush());
        label->setZValue(TimeGridZ);
        m_tickLines << line;
        m_tickLabels << label;
    }
    for (qsizetype i = 0; i < m_tickLines.size(); ++i) {
        const bool used = i < ticks.size();
        m_tickLines[i]->setVisible(used);
        m_tickLabels[i]->setVisible(used);
        if (!used)
            continue;
        const QPointF p =
            m_chart->mapToPosition(QPointF(msOf(daysFromSeconds(ticks[i])), 0), m_series);
        m_tickLines[i]->setLine(p.x(), area.top(), p.x(), area.bottom());
        const QTime time = QTime(0, 0).addSecs(int(std::llround(ticks[i])) % SecondsPerDay);
        m_tickLabels[i]->setText(time.toString(qtFormat));
        const QRectF box = m_tickLabels[i]->boundingRect();
        m_tickLabels[i]->setPos(p.x() - box.width() / 2, area.bottom() + 4);
    }
}

void Graph::ClearGraph()
{
    m_points.clear();
    m_series->clear();
    m_lastX = 0;
}

void Graph::ResetTrace(double xStep)
{
    ClearGraph();
    m_defaultStep = xStep;
}

void Graph::AppendPoint(double y, double xStep)
{
    m_lastX += xStep;
    m_points.append(QPointF(m_lastX, y));
    m_series->append(msOf(m_lastX), y);
}

void Graph::setTrackMode(TrackMode mode)
{
    m_mode = mode;
    m_pressed = false;
    if (m_band)
        m_band->hide();
    switch (mode) {
    case TrackMode::DragCursor:
        viewport()->setCursor(Qt::CrossCursor);
        break;
    case TrackMode::PanXY:
    case TrackMode::PanX:
    case TrackMode::PanY:
        viewport()->setCursor(Qt::OpenHandCursor);
        break;
    case TrackMode::ZoomXY:
    case TrackMode::ZoomX:
    case TrackMode::ZoomY:
        viewport()->setCursor(Qt::CrossCursor);
        break;
    case TrackMode::None:
        viewport()->unsetCursor();
        break;
    }
}

void Graph::showCursor(int cursor, bool visible)
{
    if (cursor < 1 || cursor > 2)
        return;
    m_cursors[cursor - 1].visible = visible;
    placeCursors();
}

bool Graph::cursorVisible(int cursor) const
{
    return cursor >= 1 && cursor <= 2 && m_cursors[cursor - 1].visible;
}

void Graph::setCursorPosition(int cursor, double x, double y)
{
    if (cursor < 1 || cursor > 2)
        return;
    m_cursors[cursor - 1].value = QPointF(x, y);
    placeCursors();
}

QPointF Graph::cursorPosition(int cursor) const
{
    if (cursor < 1 || cursor > 2)
        return {};
    return m_cursors[cursor - 1].value;
}

void Graph::setColour(const QColor& colour)
{
    m_chart->setBackgroundBrush(colour);
}

QColor Graph::colour() const
{
    return m_chart->backgroundBrush().color();
}

QImage Graph::picture()
{
    return grab().toImage();
}

bool Graph::print(PicturePrinter& printer)
{
    return printer.print(picture(), this);
}

bool Graph::saveAs()
{
    return savePictureAs(this, picture());
}

QPointF Graph::seriesPoint(const QPointF& value) const
{
    return QPointF(msOf(value.x()), value.y());
}

QPointF Graph::valueAt(const QPoint& viewportPos) const
{
    const QPointF inChart = m_chart->mapFromScene(mapToScene(viewportPos));
    const QPointF v = m_chart->mapToValue(inChart, m_series);
    return QPointF(daysOf(v.x()), v.y());
}

QRect Graph::plotRect() const
{
    const QRectF area = m_chart->mapRectToScene(m_chart->plotArea());
    return mapFromScene(area).boundingRect();
}

void Graph::placeCursors()
{
    const QRectF area = m_chart->plotArea();
    for (Cursor& c : m_cursors) {
        const QPointF p = m_chart->mapToPosition(seriesPoint(c.value), m_series);
        const bool inside = c.visible && area.adjusted(-0.5, -0.5, 0.5, 0.5).contains(p);
        c.vertical->setVisible(inside);
        c.horizontal->setVisible(inside);
        c.mark->setVisible(inside);
        if (!inside)
            continue;
        c.vertical->setLine(p.x(), area.top(), p.x(), area.bottom());
        c.horizontal->setLine(area.left(), p.y(), area.right(), p.y());
        c.mark->setPos(p);
    }
}

QPointF Graph::snapped(const QPointF& value) const
{
    // The cursor reads the trace: it takes the point nearest in time, when there is one in view.
    if (m_points.isEmpty())
        return value;
    const auto it = std::lower_bound(m_points.cbegin(), m_points.cend(), value.x(),
                                     [](const QPointF& p, double x) { return p.x() < x; });
    auto best = it == m_points.cend() ? it - 1 : it;
    if (it != m_points.cbegin() && it != m_points.cend() &&
        value.x() - (it - 1)->x() < it->x() - value.x())
        best = it - 1;
    if (best->x() < axisMinimum(XAxis) || best->x() > axisMaximum(XAxis))
        return value;
    return *best;
}

void Graph::moveCursorTo(int cursor, const QPoint& viewportPos)
{
    const QPointF v = snapped(valueAt(viewportPos));
    m_cursors[cursor - 1].value = v;
    placeCursors();
    emit cursorMoved(cursor, v.x(), v.y());
}

int Graph::nearestCursor(const QPoint& viewportPos) const
{
    int best = 0;
    double bestDistance = 0;
    for (int i = 0; i < 2; ++i) {
        if (!m_cursors[i].visible)
            continue;
        const QPointF p = m_chart->mapToPosition(seriesPoint(m_cursors[i].value), m_series);
        const double d = std::abs(mapFromScene(m_chart->mapToScene(p)).x() - viewportPos.x());
        if (best == 0 || d < bestDistance) {
            best = i + 1;
            bestDistance = d;
        }
    }
    return best;
}

bool Graph::pansX() const
{
    return m_mode == TrackMode::PanX || m_mode == TrackMode::PanXY;
}

bool Graph::pansY() const
{
    return m_mode == TrackMode::PanY || m_mode == TrackMode::PanXY;
}

QRect Graph::zoomRect(const QPoint& from, const QPoint& to) const
{
    QRect r = QRect(from, to).normalized();
    const QRect area = plotRect();
    if (m_mode == TrackMode::ZoomX) {
        r.setTop(area.top());
        r.setBottom(area.bottom());
    } else if (m_mode == TrackMode::ZoomY) {
        r.setLeft(area.left());
        r.setRight(area.right());
    }
    return r.intersected(area);
}

void Graph::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_pressed = true;
    m_dragged = false;
    m_pressPos = m_lastPos = event->position().toPoint();
    m_dragCursor = 0;
    switch (m_mode) {
    case TrackMode::DragCursor:
        m_dragCursor = nearestCursor(m_pressPos);
        if (m_dragCursor)
            moveCursorTo(m_dragCursor, m_pressPos);
        break;
    case TrackMode::PanXY:
    case TrackMode::PanX:
    case TrackMode::PanY:
        viewport()->setCursor(Qt::ClosedHandCursor);
        break;
    case TrackMode::ZoomXY:
    case TrackMode::ZoomX:
    case TrackMode::ZoomY:
        if (!m_band)
            m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
        m_band->setGeometry(zoomRect(m_pressPos, m_pressPos));
        m_band->show();
        break;
    case TrackMode::None:
        break;
    }
    event->accept();
}

void Graph::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    if ((pos - m_pressPos).manhattanLength() >= DragThreshold)
        m_dragged = true;
    if (m_mode == TrackMode::DragCursor && m_dragCursor) {
        moveCursorTo(m_dragCursor, pos);
    } else if (pansX() || pansY()) {
        const QPoint delta = pos - m_lastPos;
        const qreal dx = pansX() ? -delta.x() : 0;
        const qreal dy = pansY() ? delta.y() : 0;
        if (dx != 0 || dy != 0) {
            m_chart->scroll(dx, dy);
            emit viewChanged();
        }
    } else if (m_band && m_band->isVisible()) {
        m_band->setGeometry(zoomRect(m_pressPos, pos));
    }
    m_lastPos = pos;
    event->accept();
}

void Graph::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        event->ignore();
        return;
    }
    m_pressed = false;
    const QPoint pos = event->position().toPoint();
    if ((pos - m_pressPos).manhattanLength() >= DragThreshold)
        m_dragged = true;
    if (m_band && m_band->isVisible()) {
        m_band->hide();
        const QRect r = zoomRect(m_pressPos, pos);
        if (m_dragged && r.width() >= MinZoomPixels && r.height() >= MinZoomPixels) {
            const QPointF a = valueAt(r.topLeft());
            const QPointF b = valueAt(r.bottomRight());
            if (m_mode != TrackMode::ZoomY)
                setAxisRange(XAxis, std::min(a.x(), b.x()), std::max(a.x(), b.x()));
            if (m_mode != TrackMode::ZoomX)
                setAxisRange(YAxis, std::min(a.y(), b.y()), std::max(a.y(), b.y()));
            emit viewChanged();
        }
    }
    if (pansX() || pansY())
        viewport()->setCursor(Qt::OpenHandCursor);
    if (!m_dragged)
        emit clicked();
    event->accept();
}

void Graph::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
        event->accept();
        return;
    }
    event->ignore();
}

void Graph::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        event->ignore();
        return;
    }
    // Zooms about the point under the mouse, which stays where it is. The y axis zooms in the
    // modes that work on y only, both axes in the modes that work on both, x otherwise.
    const double factor = std::pow(WheelZoomStep, -notches);
    const QPointF at = valueAt(event->position().toPoint());
    const bool zoomY = m_mode == TrackMode::PanY || m_mode == TrackMode::ZoomY ||
                       m_mode == TrackMode::PanXY || m_mode == TrackMode::ZoomXY;
    const bool zoomX = m_mode != TrackMode::PanY && m_mode != TrackMode::ZoomY;
    if (zoomX) {
        const double lo = axisMinimum(XAxis), hi = axisMaximum(XAxis);
        // Not closer than one second across the chart.
        if (factor > 1 || (hi - lo) * factor >= daysFromSeconds(1))
            setAxisRange(XAxis, at.x() - (at.x() - lo) * factor, at.x() + (hi - at.x()) * factor);
    }
    if (zoomY) {
        const double lo = axisMinimum(YAxis), hi = axisMaximum(YAxis);
        setAxisRange(YAxis, at.y() - (at.y() - lo) * factor, at.y() + (hi - at.y()) * factor);
    }
    emit viewChanged();
    event->accept();
}

void Graph::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    placeCursors();
}

} // namespace veltrix::ui
