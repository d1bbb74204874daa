#pragma once
// Time stamps of logged records. The meter stores only a set's start and its interval; record i
// was taken i - 1 intervals after the start. Stamps are worked out step by step in tenths of a
// second with the carries of the meter's own calendar: seconds into minutes, hours, days, month
// ends with the leap-year rule, and a two-digit year that runs from 99 to 00.

#include "logger/LoggerProtocol.h"

#include <QString>

namespace veltrix::logger {

bool isLeapYear(int year);
// Days in a month (1..12) of a four-digit year; 0 for any other month.
int monthLength(int month, int year);

class SetClock {
public:
    // `century` is the first two digits of the PC's year (20 for 2026): the meter keeps two
    // digits only, and the leap-year test needs four.
    SetClock(const StartBytes& start, int intervalCode, int century);

    // False when the start is not a possible BCD date and time: the stamps are then unknown.
    bool known() const { return m_known; }
    // "yy/mm/dd" and "hh:mm:ss.s" of the current record; "--/--/--" and "--:--:--.-" when
    // unknown.
    QString dateText() const;
    QString timeText() const;
    // On to the next record.
    void advance();

    int year() const { return m_year; }
    int month() const { return m_month; }
    int day() const { return m_day; }
    int hour() const { return m_hour; }
    int minute() const { return m_minute; }
    int tenths() const { return m_tenths; } // seconds × 10

private:
    int m_year = 0, m_month = 0, m_day = 0, m_hour = 0, m_minute = 0, m_tenths = 0;
    int m_stepTenths = 0;
    int m_century = 20;
    bool m_known = false;
};

} // namespace veltrix::logger
