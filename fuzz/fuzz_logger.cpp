// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever arrives for the data logger's commands: the "Y" memory status, the "I" set index, a
// "K" set download (whole or cut short, with dates that need not be BCD) and the "C" clock, then
// the time stamps worked out from a set's start (40 records on); and the logger settings' text
// fields.

#include "FuzzCheck.h"

#include "logger/LoggerProtocol.h"
#include "logger/LoggerRecords.h"
#include "logger/LoggerTimes.h"

using namespace veltrix;
using namespace veltrix::logger;

namespace {

void checkStamps(const StartBytes& start, int intervalCode, int steps)
{
    SetClock clock(start, intervalCode, 20);
    FUZZ_CHECK(clock.known() == startKnown(start));
    for (int i = 0; i < steps; ++i) {
        if (i == 0)
            FUZZ_CHECK(clock.dateText().size() == 8 && clock.timeText().size() == 10);
        if (clock.known()) {
            FUZZ_CHECK(clock.year() >= 0 && clock.year() <= 99);
            FUZZ_CHECK(clock.month() >= 1 && clock.month() <= 12);
            FUZZ_CHECK(clock.day() >= 1 &&
                       clock.day() <= QDate(2000 + clock.year(), clock.month(), 1).daysInMonth());
            FUZZ_CHECK(clock.hour() >= 0 && clock.hour() <= 23);
            FUZZ_CHECK(clock.minute() >= 0 && clock.minute() <= 59);
            FUZZ_CHECK(clock.tenths() >= 0 && clock.tenths() < 600);
        }
        clock.advance();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray reply = fuzz::bytesOf(data, size);

    if (const auto status = parseMemoryStatus(reply)) {
        FUZZ_CHECK(reply.size() == 8);
        (void)intervalText(status->intervalCode);
        (void)remainingMemory(*status);
    }

    const int setCount = size > 0 ? data[0] : 0;
    const QList<SetInfo> sets = parseSetIndex(reply, setCount);
    FUZZ_CHECK(sets.size() <= setCount);
    // A few sets and records exercise every path; more would only slow the run down.
    for (const SetInfo& set : sets.mid(0, 4)) {
        FUZZ_CHECK(set.rowText().count(QLatin1Char('\t')) == 5);
        checkStamps(set.start, set.intervalCode, 40);
    }

    const int records = size > 1 ? data[1] % 16 : 0;
    const SetRecords got = decodeSetRecords(reply, records, QStringLiteral("12.3"), 20);
    FUZZ_CHECK(got.rows.size() <= records);
    FUZZ_CHECK(got.rows.size() <= wholeRecords(int(reply.size())));
    for (const QString& row : got.rows)
        FUZZ_CHECK(row.count(QLatin1Char('\t')) >= 5 &&
                   !row.section(QLatin1Char('\t'), 3, 3).isEmpty());

    const QString clock = clockText(reply);
    FUZZ_CHECK(clock.isEmpty() == (reply.size() != 6));

    const QList<QString> fields = fuzz::fieldsOf(data, size, 2);
    if (const auto id = idCodeFromText(fields[0]))
        FUZZ_CHECK(*id >= 0 && *id <= 65535);
    if (const auto code = intervalCodeFromText(fields[1]))
        FUZZ_CHECK(*code >= 1 && *code <= 255);
    return 0;
}
