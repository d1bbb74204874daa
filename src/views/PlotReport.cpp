// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/PlotReport.h"

#include "survey/ReportDialog.h"

#include <QWidget>

#include <memory>

namespace veltrix {

void reportOnPlot(QWidget* parent, const QList<PlotSample>& samples, double xMinimum,
                  double xMaximum, const QString& unit)
{
    // The samples in view as record rows: No. TAB Date TAB Time TAB Value TAB Unit.
    auto rows = std::make_shared<QStringList>();
    for (const PlotSample& s : samples) {
        if (s.x < xMinimum || s.x > xMaximum)
            continue;
        rows->append(
            QStringList{QString::number(rows->size() + 1), s.date, s.time, s.valueText, unit}.join(
                u'\t'));
    }
    ReportSource source;
    source.dataName = QObject::tr("Plot window, %n sample(s) in view", nullptr, int(rows->size()));
    source.rowText = [rows](int row) { return QStringView(rows->at(row - 1)); };
    source.rowCount = int(rows->size());
    runReportDialog(parent, std::move(source));
}

} // namespace veltrix
