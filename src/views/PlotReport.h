// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Report…" of the plot window: the survey report on the samples in view.

#include "views/ChartRules.h"

class QWidget;

namespace veltrix {

// Opens the report dialog on the samples whose x lies in [xMinimum, xMaximum] (days).
void reportOnPlot(QWidget* parent, const QList<PlotSample>& samples, double xMinimum,
                  double xMaximum, const QString& unit);

} // namespace veltrix
