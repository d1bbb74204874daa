// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time stamps of logged records. The meter stores only a set's start and its interval; record i
// was taken i - 1 intervals after the start. The meter keeps a two-digit year: the PC's century
// completes it for the calendar (leap years, month ends), and the stamps show two digits again,
// so the year after 99 is 00.

#include "logger/LoggerProtocol.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace veltrix::logger {

// The first two digits of a four-digit year (20 for 2026): what completes the meter's years.
int century(const QDate& today);

class SetClock {
public:
    // `century` as above, of the PC's date when the set is read.
    SetClock(const StartBytes& start, int intervalCode, int century);

    // False when the start is not a possible BCD date and time: the stamps are then unknown.
    bool known() const { return m_at.isValid(); }
    // "yy/mm/dd" and "hh:mm:ss.s" of the current record; "--/--/--" and "--:--:--.-" when
    // unknown.
    QString dateText() const;
    QString timeText() const;
    // On to the next record.
    void advance();

    int year() const { return m_at.date().year() % 100; }
    int month() const { return m_at.date().month(); }
    int day() const { return m_at.date().day(); }
    int hour() const { return m_at.time().hour(); }
    int minute() const { return m_at.time().minute(); }
    int tenths() const { return m_at.time().second() * 10 + m_at.time().msec() / 100; }

private:
    QDateTime m_at; // UTC: the meter's clock knows no daylight saving
    qint64 m_stepMs = 0;
};

} // namespace veltrix::logger
