// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's side of the record graph: the toolbar command that opens it, the sample feed, the
// sampling time it compares steps with, and its closing when the link is lost.

#include "panel/Panel.h"
#include "records/RealTimeList.h"
#include "views/RecordGraph.h"

#include <QPushButton>

namespace veltrix {

RecordGraph* Panel::recordGraph() const
{
    return m_recordGraph;
}

void Panel::registerGraphs()
{
    setCommand(QStringLiteral("Graph2"), [this] { openRecordGraph(); });

    setFeeder(FeedStage::RecordGraph, [this](const QString& body) {
        RecordGraph* graph = m_recordGraph;
        if (!m_state.GraphViewOpen || !graph)
            return true;
        ++m_state.GraphRowCount;
        graph->appendRow(QString::number(m_state.GraphRowCount) + u'\t' + body);
        if (m_state.GraphRowCount >= graph->rowLimit()) {
            // A full graph: it stays open and takes no further rows.
            m_state.GraphRowCount = 0;
            m_state.GraphViewOpen = false;
        }
        const bool gauss = m_state.Flags.GaussFlag;
        if (m_state.GraphRowCount == 1)
            m_state.TempFlag = gauss;
        else if (gauss != m_state.TempFlag)
            graph->close(); // the meter's unit changed under the chart
        return true;
    });

    // A new sampling time: the graph compares its next steps with it.
    connect(this, &Panel::samplingTimeChanged, this, [this](int seconds) {
        if (RecordGraph* graph = m_recordGraph)
            graph->logic().SecTime1 = seconds;
    });

    addLiveViewCloser([this] {
        if (m_state.GraphViewOpen && m_recordGraph)
            m_recordGraph->close();
    });
}

void Panel::openRecordGraph()
{
    if (m_recordGraph && m_recordGraph->isVisible()) {
        m_recordGraph->raise();
        return;
    }
    if (!m_recordGraph) {
        m_recordGraph = new RecordGraph([this] { return m_state.SecText1; }, this);
        connect(m_recordGraph, &RecordGraph::closed, this, [this] {
            m_state.GraphRowCount = 0;
            m_state.GraphViewOpen = false;
            m_state.iPCsecTimetotal = false; // the sample clock restarts
            applyUnitKeyRule();
        });
        m_recordGraph->placeBeside(frameGeometry());
    }
    RecordGraph* graph = m_recordGraph;
    m_state.iPCsecTimetotal = false; // the sample clock restarts
    m_state.GraphViewOpen = true;
    graph->show();
    graph->logic().SecTime1 = samplingSeconds();
    CmdTesla->setEnabled(false);
}

} // namespace veltrix
