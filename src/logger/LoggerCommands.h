// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data logger's exchanges by name, with the waits the meter expects: what the Memory window,
// the panel and the command-line tool all send. No window here.

#include "logger/LoggerExchange.h"
#include "logger/LoggerProtocol.h"

#include <QString>
#include <functional>

namespace veltrix::logger {

using Progress = std::function<void(int received)>;
using KeepGoing = std::function<bool()>;

// "Y": identification code, interval, number of sets, memory used.
Reply readMemoryStatus(LoggerExchange& exchange, const KeepGoing& keepGoing = {});
// "I": the ten-byte descriptors of `setCount` sets.
Reply readSetIndex(LoggerExchange& exchange, int setCount, const Progress& progress = {},
                   const KeepGoing& keepGoing = {});
// "C": the meter's clock, six BCD bytes.
Reply readMeterClock(LoggerExchange& exchange, const KeepGoing& keepGoing = {});
// "K" + set: the set's header and its `records` two-byte records.
Reply readSetData(LoggerExchange& exchange, int set, int records, const Progress& progress = {},
                  const KeepGoing& keepGoing = {});

// The identification code into EEPROM bytes 0 (high) and 1 (low). False when the program began
// to quit in between.
bool writeIdCode(MeterLink& link, int code);
// The interval code into EEPROM byte 4.
void writeIntervalCode(MeterLink& link, int code);
// "EEE": the meter erases its whole logger memory (it does not answer). The caller checks the
// memory lock first. False when the program is quitting.
bool eraseMemory(MeterLink& link);

// The file "Save all sets" writes a set to: the backup name, with "_incomplete" before the
// suffix when not all of the set arrived.
QString savedSetFileName(const SetInfo& set, int century, bool complete);

} // namespace veltrix::logger
