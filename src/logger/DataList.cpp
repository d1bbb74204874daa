// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/DataList.h"

#include "records/RecordIcons.h"
#include "records/ReportSource.h"
#include "records/TableServices.h"
#include "ui/Grid.h"

#include <QAction>
#include <QLabel>
#include <QVBoxLayout>

namespace veltrix {

DataList::DataList(TableHost host, QWidget* parent)
    : RecordTableWindow(QStringLiteral("DataList"), tr("Data List"), QString(), host.poll, parent),
      m_host(std::move(host)), LblTitle(new QLabel(this))
{
    LblTitle->setObjectName(QStringLiteral("LblTitle"));
    LblTitle->setFrameShape(QFrame::Panel);
    LblTitle->setFrameShadow(QFrame::Sunken);
    LblTitle->setAlignment(Qt::AlignCenter);
    LblTitle->setMargin(3);
    if (auto* box = qobject_cast<QVBoxLayout*>(layout()))
        box->insertWidget(1, LblTitle);

    connect(addToolButton(QStringLiteral("Save"), tr("Save"), RecordIcon::Save),
            &QAction::triggered, this, &DataList::save);
    m_plot = addToolButton(QStringLiteral("Plot"), tr("Plot"), RecordIcon::Plot);
    connect(m_plot, &QAction::triggered, this, &DataList::plot);
    connect(addToolButton(QStringLiteral("Print"), tr("Print"), RecordIcon::Print),
            &QAction::triggered, this, &DataList::print);
    addExportCsvButton();
    addReportButton();
}

void DataList::describeReport(ReportSource& source) const
{
    source.fromMeter = true;
    if (!m_idCode.isEmpty())
        source.meter += (source.meter.isEmpty() ? QString() : QStringLiteral(", ")) +
                        tr("ID code %1").arg(m_idCode);
    source.dataName = tr("Data List") + QStringLiteral(": ") + LblTitle->text().simplified();
}

bool DataList::save()
{
    const ModalScope modal(this);
    bool chosen = false;
    if (RefusedWhileRecording(this, m_host.recording && m_host.recording()) ||
        !ShowSaveDialog(this, m_saveFileName, chosen))
        return false;
    return SaveTable(this, grid(), m_saveFileName);
}

void DataList::plot()
{
    if (grid().rowCount() >= 1) // a list without records has nothing to plot
        emit plotRequested();
}

} // namespace veltrix
