// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/RecordGraph.h"

#include "records/RecordLimit.h"
#include "ui/Access.h"
#include "ui/Graph.h"
#include "ui/Grid.h"
#include "ui/Placement.h"
#include "views/PlotWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace veltrix {

namespace {
// Once the newest row would fall below the 18 rows in view, scroll by one row per append.
constexpr int ScrollFromRow = 18;
constexpr int ChartTimerMs = 100;

class GraphTarget : public ChartTarget {
public:
    explicit GraphTarget(ui::Graph& graph) : m_graph(graph) {}
    void setXRange(double minimum, double maximum) override
    {
        m_graph.setAxisRange(ui::Graph::XAxis, minimum, maximum);
    }
    void setYAxis(double minimum, double maximum, const QString& caption) override
    {
        m_graph.setAxisRange(ui::Graph::YAxis, minimum, maximum);
        if (m_graph.axisCaption(ui::Graph::YAxis) != caption)
            m_graph.setAxisCaption(ui::Graph::YAxis, caption);
    }
    void clearGraph() override { m_graph.ClearGraph(); }
    void resetTrace(double xStep) override { m_graph.ResetTrace(xStep); }
    void appendPoint(double y, double xStep) override { m_graph.AppendPoint(y, xStep); }

private:
    ui::Graph& m_graph;
};
} // namespace

RecordGraph::RecordGraph(SamplingSource sampling, QWidget* parent)
    : QWidget(parent, Qt::Window), m_sampling(std::move(sampling)), m_rowLimit(MaxRecords)
{
    setObjectName(QStringLiteral("Graph2"));
    setWindowTitle(tr("Record Real Time Graph"));
    setAttribute(Qt::WA_DeleteOnClose);

    CWGraph1 = new ui::Graph(this);
    CWGraph1->setTimeFormat(QStringLiteral("hh:nn:ss"));
    CWGraph1->setMinimumSize(420, 260);
    CWGraph1->setToolTip(tr("Click to explore this window in the plot window"));
    ui::makeReadout(CWGraph1, tr("Record graph"));
    m_target = std::make_unique<GraphTarget>(*CWGraph1);

    GraphGrid1 = new ui::Grid(5, this);
    GraphGrid1->setObjectName(QStringLiteral("GraphGrid1"));
    const QString headers[] = {QStringLiteral(" No.s "), QStringLiteral("   Date"),
                               QStringLiteral(" Time "), QStringLiteral("Value"),
                               QStringLiteral("Unit")};
    const QString widths[] = {QStringLiteral("  No.s  "), QStringLiteral(" 00/00/00 "),
                              QStringLiteral("00:00:0000"), QStringLiteral(" Value "),
                              QStringLiteral(" Unit ")};
    GraphGrid1->setRow(0);
    for (int c = 0; c < 5; ++c) {
        GraphGrid1->setCol(c);
        GraphGrid1->setText(headers[c]);
        GraphGrid1->setColWidthFromSample(c, widths[c]);
    }
    int gridWidth = 0;
    for (int c = 0; c < 5; ++c)
        gridWidth += GraphGrid1->colWidth(c);
    GraphGrid1->setFixedWidth(gridWidth + 40);

    Plot = new QPushButton(tr("Plot"), this);
    Plot->setObjectName(QStringLiteral("Plot"));
    Plot->setToolTip(tr("Click the chart to open the plot window"));

    auto* side = new QVBoxLayout;
    side->addWidget(GraphGrid1, 1);
    side->addWidget(Plot);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(CWGraph1, 1);
    layout->addLayout(side);
    resize(820, 380);
    ui::closeOnEscape(this);

    connect(CWGraph1, &ui::Graph::clicked, this, [this] { openPlot(); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(ChartTimerMs);
    connect(Timer1, &QTimer::timeout, this, &RecordGraph::updateChart);
    Timer1->start();
}

RecordGraph::~RecordGraph() = default;

void RecordGraph::placeBeside(const QRect& panelFrame)
{
    ui::placeBeside(*this, panelFrame);
}

QString RecordGraph::cell(int row, int col) const
{
    return GraphGrid1->cell(row, col);
}

void RecordGraph::appendRow(const QString& text)
{
    ui::Grid& table = *GraphGrid1;
    table.setRow(table.rows() - 1);
    const bool scroll = table.row() >= ScrollFromRow;
    table.addItem(text);
    const int added = table.rows() - 1;
    ui::announceReading(CWGraph1, ui::readingText(table.cell(added, 3), table.cell(added, 4)));
    if (scroll) // after the append, so the view can reach the new row
        table.setTopRow(table.rows() - ScrollFromRow);
    ++m_logic.TextGrid;
}

void RecordGraph::updateChart()
{
    // The newest row alone is read, so a tick costs the same at row 10 and at row 50000.
    m_logic.update(
        *m_target, [this](int row, int col) { return GraphGrid1->cell(row, col); }, m_sampling());
}

PlotWindow* RecordGraph::plotWindow() const
{
    return m_plot;
}

PlotWindow* RecordGraph::openPlot()
{
    if (m_plot) {
        if (m_plot->isMinimized())
            m_plot->showNormal();
        m_plot->show();
        m_plot->raise();
        m_plot->activateWindow();
        return m_plot;
    }
    // The plot window outlives this one: it belongs to the panel, when there is one.
    auto* plot = new PlotWindow(parentWidget());
    m_plot = plot;
    plot->load(*this);
    plot->show();
    plot->raise();
    return plot;
}

void RecordGraph::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace veltrix
