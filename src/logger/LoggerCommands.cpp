// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/LoggerCommands.h"

#include "link/Delay.h"
#include "link/Timing.h"
#include "logger/LoggerBackup.h"

namespace veltrix::logger {

namespace {
// Waits before the first look at each reply, as the meter expects them.
constexpr double IndexFirstWait = timing::AnswerWait;
constexpr double SetFirstWait = timing::AnswerWait;
constexpr double ClockFirstWait = timing::AnswerWait;
} // namespace

Reply readMemoryStatus(LoggerExchange& exchange, const KeepGoing& keepGoing)
{
    return exchange.run(command::MemoryStatus, MemoryStatusLength, 0, {}, keepGoing);
}

Reply readSetIndex(LoggerExchange& exchange, int setCount, const Progress& progress,
                   const KeepGoing& keepGoing)
{
    return exchange.run(command::SetIndex, setIndexLength(setCount), IndexFirstWait, progress,
                        keepGoing);
}

Reply readMeterClock(LoggerExchange& exchange, const KeepGoing& keepGoing)
{
    return exchange.run(command::ClockRead, ClockReplyLength, ClockFirstWait, {}, keepGoing);
}

Reply readSetData(LoggerExchange& exchange, int set, int records, const Progress& progress,
                  const KeepGoing& keepGoing)
{
    return exchange.run(setDataCommand(set), setDataLength(records), SetFirstWait, progress,
                        keepGoing);
}

bool writeIdCode(MeterLink& link, int code)
{
    link.EepromWrite(0, code / 256);
    if (quitting())
        return false;
    link.EepromWrite(1, code % 256);
    return true;
}

void writeIntervalCode(MeterLink& link, int code)
{
    link.EepromWrite(4, code);
}

bool eraseMemory(MeterLink& link)
{
    return link.send(command::Erase, timing::AnswerWait);
}

QString savedSetFileName(const SetInfo& set, int century, bool complete)
{
    QString name = backupFileName(set, century);
    if (!complete)
        name.insert(name.size() - 4, QStringLiteral("_incomplete"));
    return name;
}

} // namespace veltrix::logger
