#include "records/RealTimeList.h"

#include "panel/SharedState.h"
#include "records/BusyPointer.h"
#include "records/RecordIcons.h"
#include "records/ReportDialog.h"
#include "records/TableServices.h"
#include "ui/Grid.h"
#include "ui/Placement.h"

#include <QAction>
#include <QCloseEvent>

namespace veltrix {

namespace {
// Once the newest row would fall below the 18 rows in view, scroll by one row per append.
constexpr int ScrollFromRow = 18;
} // namespace

RealTimeList::RealTimeList(SharedState& state, PollControl* poll, QWidget* parent)
    : RecordTableWindow(QStringLiteral("RealTimeList"), tr("Real Time List"), QString(), poll,
                        parent),
      m_state(state), m_rowLimit(MaxRecords)
{
    connect(addToolButton(QStringLiteral("Save"), tr("Save File"), RecordIcon::Save),
            &QAction::triggered, this, &RealTimeList::save);
    connect(addToolButton(QStringLiteral("Print"), tr("Print"), RecordIcon::Print),
            &QAction::triggered, this, &RealTimeList::print);
    addExportCsvButton();
    addReportButton();
}

void RealTimeList::describeReport(ReportSource& source) const
{
    source.takeFrom(m_state);
    source.samplingSeconds = m_state.SecText1;
}

void RealTimeList::placeBeside(const QRect& panelFrame)
{
    ui::placeBeside(*this, panelFrame);
}

void RealTimeList::AppendLiveRow(const QString& body)
{
    ui::Grid& table = grid();
    ++m_state.ListRowCount;
    table.setRow(table.rows() - 1);
    const bool scroll = table.row() >= ScrollFromRow;
    table.addItem(QString::number(m_state.ListRowCount) + u'\t' + body);
    if (scroll) // after the append, so the view can reach the new row
        table.setTopRow(table.rows() - ScrollFromRow);
    if (m_state.ListRowCount >= m_rowLimit) {
        m_state.ListRowCount = 0;
        m_state.ListViewOpen = false;
    }
}

bool RealTimeList::save()
{
    const ModalScope modal(this);
    if (RefusedWhileRecording(this, m_state))
        return false;
    BusyPointer busy;
    if (!ShowSaveDialog(this, m_state))
        return false;
    return SaveTable(this, grid(), m_state);
}

void RealTimeList::closeEvent(QCloseEvent* event)
{
    m_state.ListRowCount = 0;
    m_state.ListViewOpen = false;
    RecordTableWindow::closeEvent(event);
    emit closed();
}

} // namespace veltrix
