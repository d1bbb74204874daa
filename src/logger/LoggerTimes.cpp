#include "logger/LoggerTimes.h"

namespace veltrix::logger {

namespace {
QString two(int v)
{
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}
} // namespace

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int monthLength(int month, int year)
{
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return isLeapYear(year) ? 29 : 28;
    default:
        return 0;
    }
}

SetClock::SetClock(const StartBytes& start, int intervalCode, int century)
    : m_stepTenths(intervalCode * 4), m_century(century), m_known(startKnown(start))
{
    if (!m_known)
        return;
    m_year = bcdValue(start[0]);
    m_month = bcdValue(start[1]);
    m_day = bcdValue(start[2]);
    m_hour = bcdValue(start[3]);
    m_minute = bcdValue(start[4]);
    m_tenths = bcdValue(start[5]) * 10;
}

QString SetClock::dateText() const
{
    if (!m_known)
        return QStringLiteral("--/--/--");
    return two(m_year) + QLatin1Char('/') + two(m_month) + QLatin1Char('/') + two(m_day);
}

QString SetClock::timeText() const
{
    if (!m_known)
        return QStringLiteral("--:--:--.-");
    return two(m_hour) + QLatin1Char(':') + two(m_minute) + QLatin1Char(':') + two(m_tenths / 10) +
           QLatin1Char('.') + QString::number(m_tenths % 10);
}

void SetClock::advance()
{
    if (!m_known)
        return;
    m_tenths += m_stepTenths;
    if (m_tenths >= 600) { // an interval of up to 102 s carries at most two minutes
        m_minute += m_tenths / 600;
        m_tenths %= 600;
    }
    m_hour += m_minute / 60;
    m_minute %= 60;
    m_day += m_hour / 24;
    m_hour %= 24;

    const int length = monthLength(m_month, m_century * 100 + m_year);
    if (length > 0 && m_day > length) {
        m_month += m_day / length;
        m_day %= length;
        if (m_month > 12) {
            m_month %= 12;
            m_year = (m_year + 1) % 100; // the meter's year after 99 is 00
        }
    }
}

} // namespace veltrix::logger
