#include "logger/MeterClock.h"

namespace veltrix {

QByteArray clockSetCommand(const QDateTime& t)
{
    if (!t.isValid() || t.date().year() < 2000 || t.date().year() > 2099)
        return {};
    return "D" + t.toString(QStringLiteral("yyMMddHHmmss")).toLatin1();
}

QString meterTimeText(const QDateTime& t)
{
    return t.toString(QStringLiteral("yy/MM/dd HH:mm:ss"));
}

QString systemTimeText(const QDateTime& t)
{
    return QLatin1Char(' ') + t.toString(QStringLiteral("yy/MM/dd")) + QLatin1Char(' ') +
           t.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace veltrix
