// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/MeterClock.h"

#include "link/MeterLink.h"
#include "link/Timing.h"

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

bool clockSetExchange(MeterLink& link, const QByteArray& command)
{
    link.emptyInput();
    return link.send(command, timing::AnswerWait);
}

} // namespace veltrix
