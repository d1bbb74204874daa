// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's charts: the live strip chart behind "Graph" and the list plot behind the tables'
// Plot buttons.

#include "logger/DataList.h"
#include "panel/Panel.h"
#include "records/FileList.h"
#include "records/ListPlot.h"
#include "records/StripChart.h"

#include <QLabel>
#include <QPushButton>

namespace veltrix {

void Panel::registerCharts()
{
    m_stripChart = new StripChart(this);
    m_stripChart->setPlacement([this] { return frameGeometry(); });
    connect(m_stripChart, &StripChart::opened, this, [this] { m_state.StripChartOpen = true; });
    m_listPlot = new ListPlot(this);
    // The downloaded-data lists plot through the same list plot.
    setDataListPlotHandler([this](DataList& list) {
        if (m_listPlot)
            m_listPlot->plotTable(list.grid());
    });

    setCommand(QStringLiteral("Graph"), [this] {
        // The chart remembers the unit of its limits itself; the gauge's record is the gauge's.
        m_stripChart->start(m_state.GaugeFullScale / 1000.0, unitOf(LblUnit->text()));
        CmdTesla->setEnabled(false);
    });
    connect(m_stripChart, &StripChart::reopened, this, [this] { CmdTesla->setEnabled(false); });
    connect(m_stripChart, &StripChart::closed, this, [this] {
        m_state.StripChartOpen = false;
        applyUnitKeyRule();
    });

    setFeeder(FeedStage::StripChart, [this](const QString&) {
        if (!m_state.StripChartOpen || !m_stripChart)
            return true;
        // The sweep's first reading ends this sample's feeding.
        return m_stripChart->DrawStripPoint(shownValue(), LblUnit->text(), now().time());
    });
    addLiveViewCloser([this] {
        if (m_stripChart)
            m_stripChart->close();
    });
}

void Panel::wireFileList(FileList* list)
{
    QPointer<FileList> table(list);
    connect(list, &FileList::plotRequested, this, [this, table] {
        if (table && m_listPlot)
            m_listPlot->plotTable(table->grid());
    });
}

StripChart* Panel::stripChart() const
{
    return m_stripChart;
}

ListPlot* Panel::listPlot() const
{
    return m_listPlot;
}

} // namespace veltrix
