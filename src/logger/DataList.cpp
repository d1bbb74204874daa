#include "logger/DataList.h"

#include "panel/SharedState.h"
#include "records/RecordIcons.h"
#include "records/TableServices.h"
#include "ui/Grid.h"

#include <QAction>
#include <QLabel>
#include <QVBoxLayout>

namespace veltrix {

DataList::DataList(SharedState& state, PollControl* poll, QWidget* parent)
    : RecordTableWindow(QStringLiteral("DataList"), tr("Data List"), QString(), poll, parent),
      m_state(state), LblTitle(new QLabel(this))
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
    if (RefusedWhileRecording(this, m_state) || !ShowSaveDialog(this, m_state))
        return false;
    return SaveTable(this, grid(), m_state);
}

void DataList::plot()
{
    if (grid().rowCount() >= 1) // a list without records has nothing to plot
        emit plotRequested();
}

} // namespace veltrix
