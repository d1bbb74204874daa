// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/LoggerTimes.h"

namespace veltrix::logger {

namespace {
QString two(int v)
{
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}
} // namespace

int century(const QDate& today)
{
    return today.year() / 100;
}

SetClock::SetClock(const StartBytes& start, int intervalCode, int century)
    : m_stepMs(qint64(intervalCode) * 400) // the interval code counts 0.4 s steps
{
    if (!startKnown(start))
        return;
    // Invalid (and so unknown) when the day does not exist in this century, e.g. 29 Feb 2100.
    const QDate date(century * 100 + bcdValue(start[0]), bcdValue(start[1]), bcdValue(start[2]));
    const QTime time(bcdValue(start[3]), bcdValue(start[4]), bcdValue(start[5]));
    if (date.isValid() && time.isValid())
        m_at = QDateTime(date, time, Qt::UTC);
}

QString SetClock::dateText() const
{
    if (!known())
        return QStringLiteral("--/--/--");
    return two(year()) + QLatin1Char('/') + two(month()) + QLatin1Char('/') + two(day());
}

QString SetClock::timeText() const
{
    if (!known())
        return QStringLiteral("--:--:--.-");
    return two(hour()) + QLatin1Char(':') + two(minute()) + QLatin1Char(':') + two(tenths() / 10) +
           QLatin1Char('.') + QString::number(tenths() % 10);
}

void SetClock::advance()
{
    if (known())
        m_at = m_at.addMSecs(m_stepMs);
}

} // namespace veltrix::logger
