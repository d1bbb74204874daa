// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RealTimeList.h"

#include "records/BusyPointer.h"
#include "records/RecordIcons.h"
#include "records/RecordLimit.h"
#include "records/ReportSource.h"
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

RealTimeList::RealTimeList(TableHost host, QWidget* parent)
    : RecordTableWindow(QStringLiteral("RealTimeList"), tr("Real Time List"), QString(), host.poll,
                        parent),
      m_host(std::move(host)), m_rowLimit(MaxRecords)
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
    source.fromMeter = true;
    if (m_host.describe)
        m_host.describe(source);
}

void RealTimeList::placeBeside(const QRect& panelFrame)
{
    ui::placeBeside(*this, panelFrame);
}

void RealTimeList::AppendLiveRow(const QString& body)
{
    ui::Grid& table = grid();
    ++ListRowCount;
    table.setRow(table.rows() - 1);
    const bool scroll = table.row() >= ScrollFromRow;
    table.addItem(QString::number(ListRowCount) + u'\t' + body);
    if (scroll) // after the append, so the view can reach the new row
        table.setTopRow(table.rows() - ScrollFromRow);
    if (ListRowCount >= m_rowLimit) {
        ListRowCount = 0;
        emit full();
    }
}

bool RealTimeList::save()
{
    const ModalScope modal(this);
    if (RefusedWhileRecording(this, m_host.recording && m_host.recording()))
        return false;
    BusyPointer busy;
    bool chosen = false;
    if (!ShowSaveDialog(this, m_saveFileName, chosen))
        return false;
    return SaveTable(this, grid(), m_saveFileName);
}

void RealTimeList::closeEvent(QCloseEvent* event)
{
    ListRowCount = 0;
    RecordTableWindow::closeEvent(event);
    emit closed();
}

} // namespace veltrix
