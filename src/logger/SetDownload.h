// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Downloading logged sets into record files, one file per set: what "Save all sets" in the
// Memory window and `veltrix-cli logger download` both do. Each set is asked for, decoded, named
// and written in turn; what arrived of a set that did not come whole is kept as well, under a
// name that says so. The next "K" goes out only once the line is quiet after a set that ended
// early (the exchange sees to that).

#include "logger/LoggerCommands.h"

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace veltrix::logger {

struct SetSaveHooks {
    // The value the panel shows, which readings the meter marks invalid take (as on the panel).
    std::function<QString()> shownValue;
    // Records of set `index` (1-based within the list) received so far.
    std::function<void(int index, int records)> progress;
    // Set `index` is over; `path` is the file written for it (empty when none was).
    std::function<void(int index, const QString& path)> setDone;
    // Asked at every look at the line; false ends the download after saving what arrived.
    KeepGoing keepGoing;
};

struct SetSaveResult {
    int saved = 0;           // sets written whole
    QStringList written;     // every file written, whole or not
    QStringList failures;    // one line per set not saved whole
    bool unanswered = false; // at least one set got no byte at all
    bool writeFailed = false;
    bool stopped = false; // keepGoing ended it
};

// Downloads `sets` in order into `dir`; `century` completes the meter's two-digit years.
SetSaveResult saveSets(LoggerExchange& exchange, const QList<SetInfo>& sets, const QDir& dir,
                       int century, const SetSaveHooks& hooks = {});

} // namespace veltrix::logger
