// SPDX-License-Identifier: GPL-3.0-or-later
// The graph control's cursors and mouse: the two crosshair cursors that read the trace, and the
// track modes in which a drag moves a cursor, pans or zooms (the wheel zooms too). The axes and
// the trace are in Graph.cpp.

#include "ui/Graph.h"

#include "ui/TimeScale.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
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
} // namespace

void Graph::setUpCursors()
{
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
