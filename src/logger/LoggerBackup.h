// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Backing up the logger: every set in a record file of its own, named by set number and start
// ("set01_2026-12-06_14-30-00.txt"; a set whose start is not a date is named by number alone).

#include "logger/LoggerProtocol.h"

#include <QString>
#include <QStringList>

namespace veltrix::logger {

// The file name of a set; `century` completes the meter's two-digit year.
QString backupFileName(const SetInfo& set, int century);

// Writes the rows as a record file (header line, one line per record), replacing the file only
// once it is complete. False with the reason in *error.
bool writeRecordFile(const QString& path, const QStringList& rows, QString* error);

} // namespace veltrix::logger
