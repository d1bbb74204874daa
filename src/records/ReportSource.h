// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a report is about: the records of a table and what the table knows of them. The table
// windows describe their records; what "Report…" then does is set by the program (the survey's
// report dialog), so that this folder needs nothing of the survey.

#include "records/RecordFile.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace veltrix {

struct ReportSource {
    QString dataName; // the record file's name, or the table's
    QString filePath; // the record file the rows were read from, if any
    RowText rowText;
    int rowCount = 0;
    QString meter; // what the table knows of the meter (a downloaded set's ID code)
    std::optional<qint64> from, to; // only the records in this range (meter's clock, ms)
    double samplingSeconds = 0;
    // Read from the meter now connected (the live table, a downloaded set): the report also
    // names the meter's model and offers the alarm thresholds as levels.
    bool fromMeter = false;
};

// What "Report…" of a table does with its records, over the table's window.
using ReportHandler = std::function<void(QWidget* window, ReportSource source)>;

} // namespace veltrix
