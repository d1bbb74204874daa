// SPDX-License-Identifier: GPL-3.0-or-later
// The graph control's axes, time ticks and trace; the cursors and the mouse are in
// GraphCursors.cpp.

#include "ui/Graph.h"

#include "ui/LocaleText.h"
#include "ui/TimeScale.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QValueAxis>

#include <cmath>

namespace veltrix::ui {

namespace {
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
    // "0,5" on the value axis in German; the C locale leaves English as it was.
    m_chart->setLocale(displayLocale());
    m_chart->setLocalizeNumbers(true);
    setTimeFormat(QStringLiteral("hh:nn:ss"));
    setAxisRange(XAxis, 0, daysFromSeconds(150));
    setAxisRange(YAxis, 0, 10);
    setChart(m_chart);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setDragMode(QGraphicsView::NoDrag);
    viewport()->setMouseTracking(false);

    setUpCursors();
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

} // namespace veltrix::ui
